// The Sun: its apparent Greenwich hour angle, declination and distance, and
// the two building blocks the stars and the planets share with it: the Sun's
// mean elements with their periodic perturbations (Newcomb's theory, time
// counted in Julian centuries from 1900 January 0.5) and the solution of
// Kepler's equation.
//
// T is the time argument of JulianCenturiesJ2000 (Julian centuries of UT from
// J2000.0; no delta-T). Inside SunMeanElements every polynomial uses
// T + 1, centuries from 1900. Angles are decimal degrees, distances
// astronomical units. Nothing here shows a message.
#pragma once

namespace orvex {

// The constant of aberration the Sun and the stars apply, seconds of arc
// (not the IAU 1976 value 20.49552").
inline constexpr double kAberrationConstant = 20.484;

// The Sun's mean elements of date.
struct SunElements {
    double L = 0.0;     // mean longitude with its perturbation in longitude, degrees;
                        // not reduced again, so it may end a few thousandths of a
                        // degree below 0 or above 360
    double eps0 = 0.0;  // mean obliquity of the ecliptic (Newcomb), degrees
    double M = 0.0;     // mean anomaly, degrees 0 (included) to 360 (excluded)
    double e = 0.0;     // eccentricity of the Earth's orbit
    double dR = 0.0;    // perturbation in radius vector, astronomical units
};

// The mean obliquity of SunMeanElements(T) alone, degrees (the same number).
double SunMeanObliquity(double T);

// The Sun's mean elements for T (Julian centuries of UT from J2000.0). At
// T = 0: L = 280.461696, eps0 = 23.439280, M = 357.525427, e = 0.016709114,
// dR = 0.0000110.
SunElements SunMeanElements(double T);

// Kepler's equation E = M + e sin E solved to 1e-11 radians by Newton's
// method from E = M + e sin M + (e^2 / 2) sin 2M (one step for the Sun, two
// for the planets), at most 50 steps.
//   e       eccentricity, 0 <= e < 1 (e >= 1, no orbit, is iterated as
//           E = M + e sin E from E = e and stops after 50 steps with the
//           last iterate)
//   M       mean anomaly, degrees, any value (brought into 0..360 first)
//   gamma   equation of the centre v - M, degrees (v the true anomaly,
//           0..360), not reduced to +-180: use it only inside a sine or
//           cosine or an angle that is reduced afterwards
//   r       radius vector in units of the semi-major axis, 1 - e cos E
// e = 0 gives gamma = 0, r = 1. A NaN e or M gives NaN in both outputs at
// once instead of iterating.
void SolveKepler(double e, double M, double& gamma, double& r);

// The Sun's apparent place for T (Julian centuries of UT from J2000.0).
//   gha   Greenwich hour angle, degrees 0 (included) to 360 (excluded)
//   dec   declination, degrees, north positive
//   R     distance, astronomical units (0.983 to 1.017)
// The centre of the Sun; the limb is applied by the sight reduction.
// Accurate to about 0.2' in hour angle and 0.1' in declination over
// 1990-2040 (aberration as the constant -20.484", ecliptic latitude 0).
void SunEphemeris(double T, double& gha, double& dec, double& R);

}  // namespace orvex
