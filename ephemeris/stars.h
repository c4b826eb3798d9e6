// Apparent places of the catalogue stars: proper motion, precession, nutation
// and annual aberration carry the J2000.0 catalogue place to the true equator
// and equinox of date; the Greenwich hour angle follows from the apparent
// sidereal time. The planets use the same nutation-and-aberration step.
//
// T is the time argument of JulianCenturiesJ2000 (Julian centuries of UT from
// J2000.0; no delta-T). Angles are decimal degrees; corrections are seconds of
// arc. Nothing here shows a message.
#pragma once

#include <string_view>

namespace orvex {

// The terms of a star's apparent place that depend on the instant alone.
struct StarInstant {
    double T = 0.0;             // the time argument
    double eps0 = 0.0;          // mean obliquity of date (SunMeanObliquity), degrees
    double sunLongitude = 0.0;  // the Sun's true geometric longitude, degrees; only its
                                // sine and cosine are taken (any whole turn may be added)
    double dpsi = 0.0;          // nutation in longitude, seconds of arc
    double deps = 0.0;          // nutation in obliquity, seconds of arc
};

// The instant terms for T as the apparent place takes them: SunMeanElements
// and KeplerFirstResult for the Sun's longitude, Nutation.
StarInstant StarInstantAt(double T);

// The apparent place of the named star for the instant of the terms given:
// StarEphemeris(name, T, ...) is this with StarInstantAt(T), to the bit.
void StarEphemeris(std::string_view name, const StarInstant& instant, double& gha, double& dec);

// The apparent place of the named star for T.
//   gha   Greenwich hour angle, degrees 0 (included) to 360 (excluded)
//   dec   declination, degrees
// A name outside the catalogue gives the apparent place of right ascension 0,
// declination 0 (J2000.0) for the instant. Over 1990-2040 the place agrees
// with a full modern reduction to a few seconds of arc on the sky (the
// eccentricity terms of aberration and the parallax are left out; close to
// the pole the hour angle alone magnifies this by 1/cos dec).
void StarEphemeris(std::string_view name, double T, double& gha, double& dec);

// A place moved by its proper motion over T Julian centuries, along the great
// circle in the direction of the motion.
//   dec, ra        place, degrees
//   pmDec, pmRa    proper motion northward and eastward ON THE SKY (the
//                  catalogue's motion in right ascension is already multiplied
//                  by cos dec), degrees per Julian century
//   T              centuries; negative moves the place back along its path
//   newDec         degrees; newRa 0..360 degrees
// Both motions 0 leave the place where it is.
void ApplyProperMotion(double dec, double ra, double pmDec, double pmRa, double T, double& newDec,
                       double& newRa);

// The equation of the centre (true minus mean anomaly, degrees) for
// eccentricity e and mean anomaly M (degrees): the first result of
// SolveKepler.
double KeplerFirstResult(double e, double M);

// Nutation and annual aberration added to a mean place of date.
//   eps0           mean obliquity, degrees
//   dpsi, deps     nutation in longitude and obliquity, seconds of arc
//   sunLongitude   the Sun's true geometric longitude of date, degrees
//   ra, dec        mean place of date, degrees
//   newRa          apparent right ascension, degrees, NOT reduced to 0..360
//                  (it may pass 360 or fall below 0 by the corrections)
//   newDec         apparent declination, degrees
// Nutation is taken with the mean obliquity, aberration with the true one;
// the constant of aberration is 20.484".
void ApplyNutationAberration(double eps0, double dpsi, double deps, double sunLongitude, double ra,
                             double dec, double& newRa, double& newDec);

// Annual aberration corrections, in the unit of k.
//   k        constant of aberration with its sign (the callers pass -20.484)
//   lambda   the Sun's longitude + 90, degrees
//   eps      true obliquity, degrees
//   dec, ra  the place, degrees; cos dec must not be 0 (every catalogue star
//            has cos dec above 0.01)
// dRa = (cos ra x1 + sin ra z1) / cos dec with x1 = k cos sun cos eps,
// z1 = k sin sun; dDec the matching declination term. The terms of the
// eccentricity of the Earth's orbit are not included.
void AberrationInRaDec(double k, double lambda, double eps, double dec, double ra, double& dDec,
                       double& dRa);

}  // namespace orvex
