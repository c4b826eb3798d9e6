#include "ephemeris/stars.h"

#include <cmath>

#include "ephemeris/precession_nutation.h"
#include "ephemeris/star_catalogue.h"
#include "ephemeris/sun.h"
#include "ephemeris/time_argument.h"
#include "navlib/constants.h"
#include "navlib/math_lib.h"
#include "navlib/nautical_angles.h"

namespace orvex {

void StarEphemeris(std::string_view name, double T, double& gha, double& dec) {
    const CatalogueEntry star = StarCatalogue(name);

    // Seconds of arc per year to degrees per Julian century.
    const double pmRa = star.pmRa / 36.0;
    const double pmDec = star.pmDec / 36.0;
    const double ra0 = DMSToDeg(star.ra) * 15.0;
    const double dec0 = DMSToDeg(star.dec);

    // The J2000 place moved to the epoch of date, still on the J2000 equator.
    double ra1 = 0.0, dec1 = 0.0;
    ApplyProperMotion(dec0, ra0, pmDec, pmRa, T, dec1, ra1);

    // Mean place of date.
    double zeta = 0.0, theta = 0.0, z = 0.0;
    PrecessionAngles(T, zeta, theta, z);
    double ra2 = 0.0, dec2 = 0.0;
    ApplyPrecession(90.0 - zeta / 3600.0, theta / 3600.0, -90.0 - z / 3600.0, dec1, ra1, dec2, ra2);

    // The Sun's true geometric longitude for the aberration.
    const SunElements sun = SunMeanElements(T);
    const double sunLongitude = KeplerFirstResult(sun.e, sun.M) + sun.L;

    double dpsi = 0.0, deps = 0.0;
    Nutation(T, dpsi, deps);
    double ra3 = 0.0;
    ApplyNutationAberration(sun.eps0, dpsi, deps, sunLongitude, ra2, dec2, ra3, dec);

    const double eps = sun.eps0 + deps / 3600.0;
    gha = Norm360(ApparentSiderealTime(T, dpsi, eps) - ra3);
}

void ApplyProperMotion(double dec, double ra, double pmDec, double pmRa, double T, double& newDec,
                       double& newRa) {
    // The catalogue's motion in right ascension is already the motion on the
    // sky: it is not multiplied by cos dec again.
    const double east = pmRa;
    const double north = pmDec;
    const double mu = Hypot(east, north);
    const double direction = Atan2Deg(north, east);  // 0 north, 90 east
    TransformSpherical(dec, ra, direction, mu * T, newDec, newRa);
}

double KeplerFirstResult(double e, double M) {
    double gamma = 0.0, r = 0.0;
    SolveKepler(e, M, gamma, r);
    return gamma;
}

void ApplyNutationAberration(double eps0, double dpsi, double deps, double sunLongitude, double ra,
                             double dec, double& newRa, double& newDec) {
    const double eps = eps0 + deps / 3600.0;
    double dDec1 = 0.0, dRa1 = 0.0;
    NutationInRaDec(eps0, -dpsi, -deps, dec, ra, dDec1, dRa1);
    double dDec2 = 0.0, dRa2 = 0.0;
    AberrationInRaDec(-kAberrationConstant, sunLongitude + 90.0, eps, dec, ra, dDec2, dRa2);
    newRa = ra + (dRa1 + dRa2) / 3600.0;
    newDec = dec + (dDec1 + dDec2) / 3600.0;
}

void AberrationInRaDec(double k, double lambda, double eps, double dec, double ra, double& dDec,
                       double& dRa) {
    double x1 = 0.0, y1 = 0.0, z1 = 0.0;
    SphericalToCartesian(k, lambda - 90.0, eps, x1, y1, z1);
    double x2 = 0.0, y2 = 0.0, z2 = 0.0;
    SphericalToCartesian(1.0, 90.0 - dec, -ra, x2, y2, z2);
    const double a = ra * kDegToRad;
    dRa = (std::cos(a) * x1 + std::sin(a) * z1) / z2;
    dDec = x1 * y2 + x2 * z1 + y1 * z2;
}

}  // namespace orvex
