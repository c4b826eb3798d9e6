// The Moon's apparent Greenwich hour angle, declination and distance from
// the truncated lunar theory ELP-2000/82 (60 + 60 periodic terms, see
// moon_tables.h), with the IAU 1980 nutation and Laskar's mean obliquity.
//
// T is in Julian centuries of UT from J2000.0 and the series are evaluated
// at that T: no correction from UT to dynamical time is made, so the place
// is that of the theory for the instant T read as TT. Accuracy of the theory
// itself: about 10" in longitude and 4" in latitude.
#pragma once

namespace orvex {

// The fundamental arguments of the theory, degrees 0..360, and the
// eccentricity factor of the Earth's orbit.
struct MoonArguments {
    double Lp = 0;  // L', the Moon's mean longitude
    double D = 0;   // mean elongation of the Moon
    double M = 0;   // the Sun's mean anomaly
    double Mp = 0;  // M', the Moon's mean anomaly
    double F = 0;   // the Moon's argument of latitude
    double A1 = 0;  // action of Venus
    double A2 = 0;  // action of Jupiter
    double A3 = 0;  // latitude term of the flattening
    double E = 0;   // 1 - 0.002516 T - 0.0000074 T^2 (not an angle)
};

// The arguments for T Julian centuries from J2000.0 (first-edition
// polynomials of the theory's abridgement).
MoonArguments MoonArgumentsAt(double T);

// The periodic sums for given arguments, the additive terms included:
//   sumL  longitude, 1e-6 degree
//   sumB  latitude, 1e-6 degree
//   sumR  distance, 1e-3 km
void MoonPeriodicSums(const MoonArguments& a, double& sumL, double& sumB, double& sumR);

// The intermediate values of the series for one T.
struct MoonSeriesResult {
    MoonArguments args;
    double sumL = 0;  // 1e-6 degree
    double sumB = 0;  // 1e-6 degree
    double sumR = 0;  // 1e-3 km
    double longitude =
        0;  // geometric ecliptic longitude, mean equinox of date, degrees (not reduced)
    double latitude = 0;    // geometric ecliptic latitude, degrees
    double distanceKm = 0;  // distance between the centres of Earth and Moon, km
};

// The series and the geocentric place of the Moon, mean equinox of date,
// without nutation.
MoonSeriesResult MoonSeries(double T);

// The Moon's apparent place for T Julian centuries of UT from J2000.0:
//   gha   Greenwich hour angle, degrees 0 (included) to 360 (excluded),
//         diminished by a fixed half minute of arc (the value navigators
//         have reduced their Moon sights with)
//   dec   apparent declination, degrees, north positive
//   dist  geocentric distance in astronomical units of 149,565,800 km
// The limb is not applied: callers take the semi-diameter and parallax from
// dist. Nutation in longitude is applied; no aberration.
void MoonEphemeris(double T, double& gha, double& dec, double& dist);

}  // namespace orvex
