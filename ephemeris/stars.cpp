#include "ephemeris/stars.h"

#include <array>
#include <cmath>

#include "ephemeris/precession_nutation.h"
#include "ephemeris/star_catalogue.h"
#include "ephemeris/sun.h"
#include "ephemeris/time_argument.h"
#include "navlib/constants.h"
#include "navlib/math_lib.h"
#include "navlib/nautical_angles.h"

namespace orvex {

namespace {

// What the apparent place of a catalogue star starts from: its J2000.0 place
// in degrees, and its proper motion as a rate along a great circle (degrees
// per century) with the sines and cosines of the two angles of that motion
// that do not change with the time, the bearing of the circle and the polar
// distance of the place (those ApplyProperMotion turns by).
struct StarStart {
    double ra = 0.0, dec = 0.0, mu = 0.0;
    double sinBearing = 0.0, cosBearing = 1.0, sinPolar = 0.0, cosPolar = 1.0;
};

StarStart StartOf(const CatalogueEntry& star) {
    // Seconds of arc per year to degrees per Julian century. The catalogue's
    // motion in right ascension is already the motion on the sky.
    const double pmRa = star.pmRa / 36.0;
    const double pmDec = star.pmDec / 36.0;
    StarStart s;
    s.ra = DMSToDeg(star.ra) * 15.0;
    s.dec = DMSToDeg(star.dec);
    s.mu = Hypot(pmRa, pmDec);
    const double bearing = Atan2Deg(pmDec, pmRa) * kDegToRad;  // 0 north, 90 east
    s.sinBearing = std::sin(bearing);
    s.cosBearing = std::cos(bearing);
    const double polar = (90.0 - s.dec) * kDegToRad;
    s.sinPolar = std::sin(polar);
    s.cosPolar = std::cos(polar);
    return s;
}

// The starts of the catalogue's stars, in its order: constant data, worked
// out on first use.
const StarStart& CatalogueStart(int row) {
    static const std::array<StarStart, kStarCount> starts = [] {
        std::array<StarStart, kStarCount> a;
        for (int i = 0; i < kStarCount; ++i)
            a[static_cast<size_t>(i)] = StartOf(kStarCatalogue[i].entry);
        return a;
    }();
    return starts[static_cast<size_t>(row)];
}

// ApplyNutationAberration with its sines and cosines taken once: those of
// the right ascension serve the nutation and the aberration alike, and the
// cosine of the true obliquity comes back for the sidereal time. The
// formulas of NutationInRaDec and AberrationInRaDec, term for term.
void NutationAberration(double eps0, double dpsi, double deps, double sunLongitude, double ra,
                        double dec, double& newRa, double& newDec, double& cosEps) {
    const double eps = eps0 + deps / 3600.0;
    const double a = ra * kDegToRad;
    const double sinRa = std::sin(a), cosRa = std::cos(a);

    // NutationInRaDec(eps0, -dpsi, -deps, dec, ra).
    const double p = -dpsi, q = -deps;
    const double polarEps = (90.0 - eps0) * kDegToRad;
    const double x = p * std::cos(polarEps) * cosRa;
    const double y = p * std::cos(polarEps) * sinRa;
    const double zc = p * std::sin(polarEps);
    const double dDec1 = -(x + q * sinRa);
    const double dRa1 = std::tan(dec * kDegToRad) * (q * cosRa - y) - zc;

    // AberrationInRaDec(-20.484, sunLongitude + 90, eps, dec, ra); the place
    // at (90 - dec, -ra) has the cosine of ra and minus its sine.
    const double k = -kAberrationConstant;
    const double sun = (sunLongitude + 90.0 - 90.0) * kDegToRad;
    const double e = eps * kDegToRad;
    cosEps = std::cos(e);
    const double x1 = k * std::cos(sun) * cosEps;
    const double y1 = k * std::cos(sun) * std::sin(e);
    const double z1 = k * std::sin(sun);
    const double polarDec = (90.0 - dec) * kDegToRad;
    const double x2 = std::cos(polarDec) * cosRa;
    const double y2 = std::cos(polarDec) * -sinRa;
    const double z2 = std::sin(polarDec);
    const double dRa2 = (cosRa * x1 + sinRa * z1) / z2;
    const double dDec2 = x1 * y2 + x2 * z1 + y1 * z2;

    newRa = ra + (dRa1 + dRa2) / 3600.0;
    newDec = dec + (dDec1 + dDec2) / 3600.0;
}

}  // namespace

StarInstant StarInstantAt(double T) {
    StarInstant at;
    at.T = T;
    // The Sun's true geometric longitude for the aberration.
    const SunElements sun = SunMeanElements(T);
    at.eps0 = sun.eps0;
    at.sunLongitude = KeplerFirstResult(sun.e, sun.M) + sun.L;
    Nutation(T, at.dpsi, at.deps);
    return at;
}

void StarEphemeris(std::string_view name, double T, double& gha, double& dec) {
    StarEphemeris(name, StarInstantAt(T), gha, dec);
}

void StarEphemeris(std::string_view name, const StarInstant& instant, double& gha, double& dec) {
    const double T = instant.T;
    const int row = StarIndex(name);
    const StarStart star = row >= 0 ? CatalogueStart(row) : StartOf(CatalogueEntry{});

    // The J2000 place moved to the epoch of date, still on the J2000 equator
    // (ApplyProperMotion).
    const double arc = star.mu * T * kDegToRad;
    double dlon = 0.0, colat = 0.0;
    RotateSphericalTrig(star.sinBearing, star.cosBearing, std::sin(arc), std::cos(arc),
                        star.sinPolar, star.cosPolar, dlon, colat);
    const double dec1 = 90.0 - colat;
    const double ra1 = Norm360(star.ra + dlon);

    // Mean place of date.
    double zeta = 0.0, theta = 0.0, z = 0.0;
    PrecessionAngles(T, zeta, theta, z);
    double ra2 = 0.0, dec2 = 0.0;
    ApplyPrecession(90.0 - zeta / 3600.0, theta / 3600.0, -90.0 - z / 3600.0, dec1, ra1, dec2, ra2);

    // Nutation and aberration.
    const double dpsi = instant.dpsi;
    double ra3 = 0.0, cosEps = 0.0;
    NutationAberration(instant.eps0, dpsi, instant.deps, instant.sunLongitude, ra2, dec2, ra3, dec,
                       cosEps);

    // The apparent sidereal time (ApparentSiderealTime with the true
    // obliquity's cosine at hand).
    gha = Norm360(GreenwichMeanSiderealTime(T) + cosEps * dpsi / 3600.0 - ra3);
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
    double cosEps = 0.0;
    NutationAberration(eps0, dpsi, deps, sunLongitude, ra, dec, newRa, newDec, cosEps);
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
