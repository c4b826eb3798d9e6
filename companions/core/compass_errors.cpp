#include "companions/core/compass_errors.h"

#include <cmath>

#include "navlib/math_lib.h"

namespace orvex {

double FoldError(double e) {
    if (std::fabs(e) > 180.0) return e - 360.0 * (e > 0 ? 1.0 : -1.0);
    return e;
}

CompassErrors ComputeCompassErrors(double trueBearing, double gyroBearing, double gyroHeading,
                                   double compassHeading, double variation) {
    CompassErrors r;
    r.gyroError = FoldError(trueBearing - gyroBearing);
    r.trueHeading = Norm360(r.gyroError + gyroHeading);
    r.compassError = FoldError(r.trueHeading - compassHeading);
    r.deviation = r.compassError - variation;
    return r;
}

}  // namespace orvex
