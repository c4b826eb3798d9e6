#include "navlib/twilight.h"

#include <cmath>

#include "navlib/constants.h"
#include "navlib/math_lib.h"

namespace orvex {

namespace {
double HourAngleCosine(double h, double lat, double dec) {
    const double hr = h * kDegToRad, latr = lat * kDegToRad, decr = dec * kDegToRad;
    return (std::sin(hr) - std::sin(latr) * std::sin(decr)) / (std::cos(latr) * std::cos(decr));
}
}  // namespace

double HourAngleFromAltitude(double h, double lat, double dec) {
    return ArcCos(HourAngleCosine(h, lat, dec)) * kRadToDeg;
}

bool AltitudeReached(double h, double lat, double dec) {
    return std::fabs(HourAngleCosine(h, lat, dec)) <= 1.0;
}

double VisibleSunriseAltitude(double heightEye, double sunDistance) {
    double a = -0.029283 * std::sqrt(heightEye);  // dip of the sea horizon
    // Refraction (minutes of arc) at the apparent altitude a.
    double r = 1.0 / std::tan((a + 7.31 / (a + 4.4)) * kDegToRad);
    r -= 0.06 * std::sin((14.7 * r + 13.0) * kDegToRad);
    a -= r / 60.0;
    a += ArcSin(std::cos(a * kDegToRad) * 4.26345151e-05 / sunDistance) * kRadToDeg;  // parallax
    a -= 0.266564 / sunDistance;  // semi-diameter
    return a;
}

}  // namespace orvex
