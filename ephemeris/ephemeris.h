// The single door of the ephemeris: a body's Greenwich hour angle,
// declination and distance for a UT instant, and the list of the 66 body
// names every body choice offers.
//
// The body names are upper case: the 58 star names of the catalogue,
// "SUNLOW", "SUNUPP", "MOONLOW", "MOONUPP", "VENUS", "MARS", "JUPITER" and
// "SATURN". The limb in the name does not change the result (the centre of
// the Sun or the Moon); the sight reduction applies the semi-diameter.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvex {

class StarInstantCells;

// The Ephemeris result.
struct EphemerisResult {
    double gha = 0;   // Greenwich hour angle, degrees 0 (included) .. 360 (excluded)
    double dec = 0;   // declination, degrees, north positive
    double dist = 0;  // distance, astronomical units; 272000 for a star
    // Written for a planet only, otherwise left as the caller set them:
    double extra1 = 0;  // heliocentric distance, AU
    double extra2 = 0;  // geocentric ecliptic latitude, degrees (geometric)
    double extra3 = 0;  // geocentric ecliptic longitude, degrees 0..360 (geometric)
};

// The distance given for every star, astronomical units.
inline constexpr double kStarDistance = 272000.0;

// The 66 body names, index 0 to 65, in ascending character-code order of
// the names as spelled (apostrophe and blank included): the order the body
// lists show and that binary searches of them rely on.
const std::vector<std::string>& BodyNames();

// The place of the body `name` at the instant `when`.
//   when   UT date-time value: days since 1899 December 30, 0h, the time of
//          day as the fraction (for a negative value the whole part counts
//          the days back and the fraction is the time of that day, as the
//          host's date type has it). Read to the nearest whole second.
//          Values outside the date type (years 100 to 9999) are held at
//          its limits; a NaN reads as 1899 December 30, 0h.
// Names are compared exactly (case-sensitive): "VENUS", "MARS", "JUPITER",
// "SATURN" fill all six values; "SUNLOW"/"SUNUPP" and "MOONLOW"/"MOONUPP"
// the first three; every other name, a catalogue star or not (lower case,
// empty, misspelt), takes the star path: a name outside the catalogue gives
// the apparent place of right ascension 0, declination 0 (J2000.0), with
// distance 272000 and no message. Without Planet.dat "SATURN" reports the
// file error (twice) and gives the Sun's direction.
void ComputeEphemeris(std::string_view name, double when, EphemerisResult& result);

// The same, the stars' places with their instant terms taken from cells
// (star_instant_cells.h): for many instants close together, as a star fix
// asks. A star's place then agrees with the one above within 1e-12 of a
// degree; every other body's is the same.
void ComputeEphemeris(std::string_view name, double when, EphemerisResult& result,
                      StarInstantCells& cells);

// The same with the six values as separate doubles, in the order of
// EphemerisResult.
void ComputeEphemeris(std::string_view name, double when, double& gha, double& dec, double& dist,
                      double& extra1, double& extra2, double& extra3);

// The calendar date and UT hours the ephemeris reads from a date-time value:
// the whole seconds of the time of day (nearest second; 23:59:59.5 and later
// is 0h of the next day), hours = h + min/60 + s/3600.
struct EphemerisInstant {
    int day = 0, month = 0, year = 0;
    double hours = 0;
};
EphemerisInstant SplitEphemerisInstant(double when);

// The time argument T (Julian centuries of UT from J2000.0) of a date-time
// value, as ComputeEphemeris computes it.
double EphemerisTimeArgument(double when);

}  // namespace orvex
