// Reduction of places from the standard epoch J2000.0 to the equator and
// equinox of date: the IAU 1976 precession angles and the rotation that
// applies them, the IAU 1980 nutation in its 63-term abridgement (terms down
// to 0.0003"), the first-order nutation corrections in right ascension and
// declination, and Laskar's mean obliquity of the ecliptic.
//
// T is the time argument of JulianCenturiesJ2000: Julian centuries of UT from
// J2000.0 (no delta-T). Angles are degrees unless said otherwise; precession
// angles, nutation and the corrections in right ascension and declination are
// seconds of arc.
#pragma once

namespace orvex {

// IAU 1976 precession angles from J2000.0 to the epoch T, seconds of arc, in
// the order zeta, theta, z. All three are 0 at T = 0.
void PrecessionAngles(double T, double& zeta, double& theta, double& z);

// A rotation of the sphere by three angles a1, a2, a3 (degrees) applied to the
// place (dec, ra) (degrees). With a1 = 90 - zeta, a2 = theta, a3 = -90 - z
// (zeta, theta, z of PrecessionAngles divided by 3600) it carries a J2000.0
// mean place to the mean equator and equinox of date (rigorous precession).
//   newDec   -90..90 degrees
//   newRa    0 (included) to 360 (excluded) degrees
void ApplyPrecession(double a1, double a2, double a3, double dec, double ra, double& newDec,
                     double& newRa);

// IAU 1980 nutation, 63 terms: the nutation in longitude dpsi and in
// obliquity deps, seconds of arc. Agrees with the full 106-term series to
// about 0.005" over 1900-2100.
void Nutation(double T, double& dpsi, double& deps);

// First-order corrections of a place for a rotation of the equinox and
// equator (nutation), in the units of p and q.
//   eps        obliquity, degrees (the caller passes the MEAN obliquity)
//   p, q       the caller passes p = -dpsi, q = -deps (seconds of arc)
//   dec, ra    the place, degrees
// dDec = -(p sin eps cos ra + q sin ra);
// dRa  = tan dec (q cos ra - p sin eps sin ra) - p cos eps.
// dRa grows without bound as dec nears +-90 (tan dec); the catalogue's
// highest declination, POLARIS at 89.26, stays well clear of it.
void NutationInRaDec(double eps, double p, double q, double dec, double ra, double& dDec,
                     double& dRa);

// Laskar's mean obliquity of the ecliptic, degrees (23.43929111 at T = 0);
// valid for |T| up to 100 centuries, accurate to 0.01" over 1000 years about
// J2000. The Moon uses it; the Sun, planets and stars use the Sun's Newcomb
// mean obliquity (SunMeanElements).
double MeanObliquityLaskar(double T);

}  // namespace orvex
