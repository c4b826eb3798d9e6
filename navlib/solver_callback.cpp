#include "navlib/solver_callback.h"

namespace orvex {

SolverParameters& SharedSolverParameters() {
    static SolverParameters block;
    return block;
}

NautLibFct::NautLibFct() : NautLibFct(SharedSolverParameters()) {}

NautLibFct::NautLibFct(SolverParameters& params) : params_(params) {}

double NautLibFct::f(double x, int iFct) {
    if ((iFct >= 0 && iFct <= 4) || iFct == 14) return RhumbLineCallbackFunction(x, iFct, params_);
    if (iFct >= 5 && iFct <= 13) return GreatCircleCallbackFunction(x, iFct, params_, remembered_);
    return 0.0;
}

double NautLibFct::SysEq(const Vector& x, int i) {
    if (i < 1 || i > 6) return 0.0;
    return GreatCircleCallbackEquation(x, i, params_);
}

}  // namespace orvex
