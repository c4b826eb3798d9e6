// Planning of star sights: the times of the Sun's day that frame the star
// sights, and the apparent visual magnitude of every body, by which the
// star-fix wizard sorts and preselects bodies.
//
// All times are UT date-time values (days since 1899 December 30, 0h, the
// time of day as the fraction), as ComputeEphemeris reads them.
#pragma once

#include <array>
#include <string_view>

namespace orvex {

// The nine times of StarSightTwilight, in this order (the Sun's centre at the
// true altitude in brackets):
enum TwilightEvent : int {
    kMorningSightsStart = 0,  // -9 degrees
    kMorningSightsEnd = 1,    // -3 degrees
    kVisibleSunrise = 2,      // upper limb on the visible sea horizon
    kSunrise = 3,             // 0 degrees
    kMeridianPassage = 4,     // upper meridian passage
    kSunset = 5,              // 0 degrees
    kVisibleSunset = 6,       // upper limb on the visible sea horizon
    kEveningSightsStart = 7,  // -3 degrees
    kEveningSightsEnd = 8,    // -9 degrees
};
using TwilightTimes = std::array<double, 9>;

// The nine twilight times of the calendar date of `day` at (lat, lon).
//   lat, lon    degrees, north and east positive
//   day         date-time value; only its calendar date is used
//   heightEye   metres (for the visible sunrise and sunset)
// The day is the one of the date's upper meridian passage of the Sun (near
// noon at the longitude), from twelve hours before the passage to twelve
// hours after it. A morning time is the Sun's last rise through its
// altitude before the passage, an evening time its first descent after it,
// each within a second; one the Sun does not make on that side of that day
// (it stays above or below the altitude) is 0, "not on that day", without
// a message. Returns false, leaving times untouched, when the Sun neither
// rises nor sets that day (above the horizon all day, or below it);
// otherwise true. The altitudes are those of the ephemeris at each instant,
// looked at every ten minutes and refined between: a dip under an altitude
// shorter than that (a few thousandths of a degree deep) may go unseen.
// Uses the shared solver parameters (SolvLongWest, SolvArg1, SolvArg2,
// SolvSunAlt, SolvSunPlace; functions 12 and 13 leave the Sun's hour angle,
// declination and distance of the last trial time in SolvSunGHA, SolvSunDec
// and SolvArg6).
bool StarSightTwilight(double lat, double lon, double day, double heightEye, TwilightTimes& times);

// Apparent visual magnitude of the body `name` (a name of BodyNames()) at
// the UT instant `when`: "SUNLOW"/"SUNUPP" -26.86, "MOONLOW"/"MOONUPP" -11.0,
// a planet from its distances and phase angle (PlanetMagnitude), any other
// name the magnitude column of the star catalogue (0 for a name outside it).
// The name is compared exactly (upper case).
double BodyMagnitude(std::string_view name, double when);

// The planets' magnitude formulas.
//   name    "MARS", "JUPITER", "SATURN" or "VENUS" (any other name gives 0)
//   r       heliocentric distance of the planet, AU
//   delta   distance from the Earth, AU
//   R       distance of the Sun from the Earth, AU
//   beta, lambda  geocentric ecliptic latitude and longitude, degrees
//                 (Saturn's rings only)
//   T       Julian centuries of UT from J2000.0 (Saturn's rings only)
// With the phase angle i (degrees) and L = 5 log10(r delta):
// Mars L - 1.52 + 0.016 i; Jupiter L - 9.40 + 0.005 i;
// Venus L - 4.40 + 0.0009 i + 0.000239 i^2 - 6.5e-07 i^3;
// Saturn L - 8.88 + 0.044 i - 2.6 sin|B| + 1.25 sin^2 B, B the latitude of
// the Earth over the ring plane. A distance that is not positive (no
// series for the planet) gives 0.
double PlanetMagnitude(std::string_view name, double r, double delta, double R, double beta,
                       double lambda, double T);

}  // namespace orvex
