// Venus, Mars, Jupiter and Saturn: apparent Greenwich hour angle,
// declination and distance, and the geometric values the magnitude routine
// reads (heliocentric distance, geocentric ecliptic latitude and longitude).
//
// Venus, Mars and Jupiter come from Newcomb-type mean elements with their
// main periodic perturbations (for Jupiter the great inequality with
// Saturn), in Julian centuries from 1900 January 0.5 (T1900 = T + 1).
// Saturn's heliocentric place comes from the series file (saturn_series.h).
// The Earth's place is the Sun's (sun.h). One light-time correction, then
// the nutation and annual aberration of the star chain, then the hour angle
// from the apparent sidereal time. T is always Julian centuries of UT from
// J2000.0; no UT-to-TT correction is made. Against a modern reduction
// over 1990-2040 the hour angle stays within 0.65' (Venus), 0.6' (Mars) and
// 1.1' (Jupiter), the declination within 0.35'; Saturn follows its complete
// series to 0.01'.
//
// Angles in degrees, distances in astronomical units.
#pragma once

#include <functional>
#include <string_view>

namespace orvex {

// Semi-major axes, astronomical units.
inline constexpr double kVenusSemiMajorAxis = 0.7233316;
inline constexpr double kMarsSemiMajorAxis = 1.5236883;
inline constexpr double kJupiterSemiMajorAxis = 5.202561;
// Light time per astronomical unit, days.
inline constexpr double kLightTimeDaysPerAu = 0.0057756;

// The orbital elements of one planet at one instant, as the element
// routines give them.
struct PlanetElements {
    double L = 0;      // mean longitude with its perturbations, degrees (about 0..360)
    double Omega = 0;  // longitude of the ascending node, degrees 0..360
    double i = 0;      // inclination, degrees
    double M = 0;      // mean anomaly, degrees (perturbed, not reduced)
    double e = 0;      // eccentricity
    double delta = 0;  // Venus, Mars: perturbation of the radius vector (AU, added to r);
                       // Jupiter: perturbation of the semi-major axis (AU)
};

// Mean anomalies of the Earth (M0), Venus (M2), Mars (M4) and Jupiter (M5),
// degrees 0..360, for the perturbation arguments.
struct PlanetMeanAnomalySet {
    double M0 = 0, M2 = 0, M4 = 0, M5 = 0;
};

// The planet outputs of the ephemeris.
struct PlanetPlace {
    double gha = 0;     // Greenwich hour angle, degrees 0 (included) .. 360 (excluded)
    double dec = 0;     // apparent declination, degrees, north positive
    double delta = 0;   // geocentric distance, AU (geometric, after light time)
    double r = 0;       // heliocentric distance, AU
    double beta = 0;    // geocentric ecliptic latitude, degrees (geometric, mean equinox of date)
    double lambda = 0;  // geocentric ecliptic longitude, degrees 0..360 (geometric)
};

// The ephemeris of "VENUS", "MARS", "JUPITER" or "SATURN" (exact upper-case
// names) for T Julian centuries of UT from J2000.0. Callers pass only these
// four names; any other has no heliocentric place (see PlanetHeliocentric)
// and gives the Sun's direction. With Planet.dat missing or unreadable every
// Saturn request shows the file error twice (once per heliocentric place)
// and gives the Sun's direction too.
void PlanetEphemeris(std::string_view name, double T, PlanetPlace& place);

// The same with the six outputs as separate doubles, in the order gha, dec,
// delta, r, beta, lambda.
void PlanetEphemeris(std::string_view name, double T, double& gha, double& dec, double& delta,
                     double& r, double& beta, double& lambda);

// The chain of PlanetEphemeris for a planet whose heliocentric place
// (latitude b, longitude l in degrees, mean ecliptic and equinox of date;
// radius vector r in AU, not 0) for a given T comes from `heliocentric`.
using HeliocentricPlaceFn = std::function<void(double T, double& b, double& l, double& r)>;
void PlanetEphemerisFrom(const HeliocentricPlaceFn& heliocentric, double T, PlanetPlace& place);

// Heliocentric ecliptic latitude b, longitude l (mean equinox of date,
// degrees; l not reduced) and radius vector r (AU) of a planet. An unknown
// name gives the place Saturn takes without its series file: b = l = 0 and
// r = 1e-11 (the Sun's centre, without a division by zero further on).
void PlanetHeliocentric(std::string_view name, double T, double& b, double& l, double& r);

// Mean elements with perturbations for T Julian centuries of UT from J2000.0.
PlanetElements VenusElements(double T);
PlanetElements MarsElements(double T);
PlanetElements JupiterElements(double T);

// The four mean anomalies for T1900 Julian centuries from 1900 January 0.5.
PlanetMeanAnomalySet PlanetMeanAnomalies(double T1900);

// The periodic terms inside VenusElements and MarsElements, for T1900.
struct InnerPlanetPerturbations {
    double longitude = 0;  // perturbation in longitude, degrees
    double radius = 0;     // perturbation of the radius vector, AU
    double x = 0;          // the long-period term added to L and M, degrees
};
InnerPlanetPerturbations VenusPerturbations(double T1900);
InnerPlanetPerturbations MarsPerturbations(double T1900);

// The great inequality and the other terms inside JupiterElements, for T1900.
struct JupiterPerturbationSums {
    double A = 0;  // mean longitude, degrees
    double B = 0;  // eccentricity, units of 1e-7
    double C = 0;  // perihelion, degrees
    double D = 0;  // semi-major axis, units of 1e-6 AU
};
JupiterPerturbationSums JupiterPerturbations(double T1900);

// Ecliptic latitude b and longitude l to declination and right ascension
// for the obliquity eps (degrees). The declination lies in -90..90, the
// right ascension in 0 (included) .. 360 (excluded).
void EclipticToEquatorialFull(double b, double l, double eps, double& dec, double& ra);

// The geocentric direction of a planet from its heliocentric direction
// (declination decH, right ascension raH), the ratio q = R / r of the Sun's
// to the planet's distance, the Sun's geocentric longitude sunLon and the
// obliquity eps (degrees). dec in -90..90, ra in 0..360.
void HelioToGeocentric(double q, double sunLon, double eps, double decH, double raH, double& dec,
                       double& ra);

// Geocentric ecliptic latitude beta (-90..90) and longitude lambda (0..360)
// of a planet from the Sun's distance R and geocentric longitude sunLon and
// the planet's heliocentric r, b, l; returns the geocentric distance. A
// planet at the Sun's centre (r = 0) gives R, 0 and sunLon reduced.
double GeocentricPosition(double R, double sunLon, double r, double b, double l, double& beta,
                          double& lambda);

}  // namespace orvex
