#include "navlib/earth_radii.h"

#include <cmath>

#include "navlib/constants.h"

namespace orvex {

namespace {

// e^2 from the inverse flattening, with 1/F^2 taken as (1/F)/F so that the
// sphere's 1e100 does not overflow.
double EccentricitySquared(double F) {
    const double f = 1.0 / F;
    return 2.0 / F - f / F;
}

// e^2 for the latitude conversions: an eccentricity below 1e-11 is a sphere.
double ConversionEccentricitySquared(double F) {
    const double e2 = EccentricitySquared(F);
    return std::sqrt(e2) < kZeroTolerance ? 0.0 : e2;
}

}  // namespace

double RadiusMeridian(double lat, double F, double a) {
    const double e2 = EccentricitySquared(F);
    const double s = std::sin(lat * kDegToRad);
    return a * (1.0 - e2) / std::pow(1.0 - e2 * std::pow(s, 2.0), 1.5);
}

double RadiusMeridian(double lat, const EarthModel& E) {
    return RadiusMeridian(lat, E.InvFlattening, E.SemiMajorAxis);
}

double RadiusPrimeVertical(double lat, double F, double a) {
    const double e2 = EccentricitySquared(F);
    const double s = std::sin(lat * kDegToRad);
    return a / std::sqrt(1.0 - e2 * std::pow(s, 2.0));
}

double RadiusPrimeVertical(double lat, const EarthModel& E) {
    return RadiusPrimeVertical(lat, E.InvFlattening, E.SemiMajorAxis);
}

double MeridianArc(double lat1, double lat2, const EarthModel& E) {
    const double f = E.Flattening();
    const double n = f / (2.0 - f), n2 = n * n, n3 = n2 * n, n4 = n3 * n;
    // Distance from the equator along the meridian to latitude lat.
    auto fromEquator = [&](double lat) {
        const double phi = lat * kDegToRad;
        return E.SemiMajorAxis / (1.0 + n) * (1.0 + n2 / 4.0 + n4 / 64.0) *
               (phi - (1.5 * n - 9.0 / 16.0 * n3) * std::sin(2.0 * phi) +
                (15.0 / 16.0 * n2 - 15.0 / 32.0 * n4) * std::sin(4.0 * phi) -
                35.0 / 48.0 * n3 * std::sin(6.0 * phi) + 315.0 / 512.0 * n4 * std::sin(8.0 * phi));
    };
    return std::fabs(fromEquator(lat2) - fromEquator(lat1));
}

double GeodeticToGeocentric(double lat, double F) {
    const double e2 = ConversionEccentricitySquared(F);
    if (e2 == 0.0) return lat;
    return std::atan((1.0 - e2) * std::tan(lat * kDegToRad)) * kRadToDeg;
}

double GeocentricToGeodetic(double lat, double F) {
    const double e2 = ConversionEccentricitySquared(F);
    if (e2 == 0.0) return lat;
    return std::atan(std::tan(lat * kDegToRad) / (1.0 - e2)) * kRadToDeg;
}

}  // namespace orvex
