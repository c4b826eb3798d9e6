#include "navlib/nautical_angles.h"

#include <cmath>

#include "navlib/constants.h"
#include "navlib/math_lib.h"

namespace orvex {

namespace {
int Sgn(double x) {
    return x > 0 ? 1 : (x < 0 ? -1 : 0);
}
}  // namespace

void RotateSpherical(double a, double b, double c, double& lon, double& colat) {
    const double ar = a * kDegToRad, br = b * kDegToRad, cr = c * kDegToRad;
    RotateSphericalTrig(std::sin(ar), std::cos(ar), std::sin(br), std::cos(br), std::sin(cr),
                        std::cos(cr), lon, colat);
}

void RotateSphericalTrig(double sinA, double cosA, double sinB, double cosB, double sinC,
                         double cosC, double& lon, double& colat) {
    const double p = sinA * sinB;
    const double q = sinC * cosB - cosC * sinB * cosA;
    const double r = cosB * cosC + sinC * sinB * cosA;
    lon = Atan2Deg(q, p);
    colat = ArcCos(r) * kRadToDeg;
}

void TransformSpherical(double lat, double lon, double bearing, double arc, double& lat2,
                        double& lon2) {
    double dlon = 0, colat = 0;
    RotateSpherical(bearing, arc, 90.0 - lat, dlon, colat);
    lat2 = 90.0 - colat;
    lon2 = Norm360(lon + dlon);
}

double ToggleLongitudeRange(double x) {
    if (x < 0) return x + 360.0;
    if (x > 180.0) return x - 360.0;
    return x;
}

bool SameLatitude(double a, double b) {
    return (Sgn(a) == Sgn(b) && std::fabs(a - b) < kSameAngleTolerance) ||
           (std::fabs(a) < kEquatorBand && std::fabs(b) < kEquatorBand);
}

bool SameLongitude(double a, double b) {
    const double d = std::fabs(ToggleLongitudeRange(a) - ToggleLongitudeRange(b));
    return d < kSameAngleTolerance || d > kFullCircleComplement;
}

bool SamePosition(double lat1, double lon1, double lat2, double lon2) {
    if (!SameLatitude(lat1, lat2)) return false;
    return SameLongitude(lon1, lon2) || SameLatitude(std::fabs(lat1), 90.0);
}

int LongitudeSense(double a, double b) {
    const double a1 = Norm360(a);
    double b1 = Norm360(b);
    if (a1 - b1 > 180.0 && a1 > 180.0) b1 += 360.0;
    return (a1 < b1 && b1 < a1 + 180.0) ? 1 : -1;
}

int CompareBearings(double a, double b) {
    return CompareNormalisedBearings(Norm360(a), Norm360(b));
}

int CompareNormalisedBearings(double a1, double b1) {
    if (a1 == b1) return 0;
    if (a1 - b1 > 180.0 && a1 > 180.0) b1 += 360.0;
    return (a1 < b1 && b1 < a1 + 180.0) ? -1 : 1;
}

double CourseFromQuadrant(double x, double lat1, double lon1, double lat2, double lon2) {
    x = std::fabs(x);
    int q = (lat2 - lat1 > 0) ? 1 : 3;
    if (Norm180(lon2 - lon1) > 0) q += 1;
    switch (q) {
        case 1:
            return 360.0 - x;
        case 2:
            return x;
        case 3:
            return 180.0 + x;
        default:
            return 180.0 - x;
    }
}

}  // namespace orvex
