// The time argument every body routine of the ephemeris shares, and the
// Greenwich sidereal time from which each forms its hour angle.
//
// All instants are UT. No correction from UT to dynamical time (delta-T) is
// applied anywhere in the ephemeris: every series, the sidereal time included,
// is evaluated with T on the UT scale.
#pragma once

namespace orvex {

// Gregorian leap-year rule: divisible by 4 and either not by 100 or by 400.
// Remainders are taken with ModReal, so negative years follow the same rule
// (a remainder of zero or less counts as none for the tests by 4 and by 400).
bool IsLeapYear(int year);

// The time argument T: Julian centuries of 36525 days of UT from 2000 January
// 1, 12h UT (T = 0 at that instant).
//   day, month, year   Gregorian calendar date (day 1..31, month 1..12); any
//                      year of the date-time type (100..9999) is counted right
//   hours              UT hours of that day, 0 to under 24 (any real value is
//                      accepted and simply added as a fraction of a day)
// The Sun's and the inner planets' mean elements count from 1900 with T + 1.
double JulianCenturiesJ2000(int day, int month, int year, double hours);

// Greenwich mean sidereal time, degrees 0 (included) to 360 (excluded), from
// the IAU 1982 expression evaluated with T of JulianCenturiesJ2000 (UT).
// T before 2000 (negative) is handled through the signed fraction of a day.
double GreenwichMeanSiderealTime(double T);

// Greenwich apparent sidereal time, degrees (not reduced: it may pass 360 by
// the equation of the equinoxes): the mean sidereal time plus the nutation in
// longitude projected on the equator.
//   T      time argument, Julian centuries of UT from J2000.0
//   dpsi   nutation in longitude, seconds of arc (Nutation)
//   eps    true obliquity of the ecliptic, degrees
// Every body routine forms its Greenwich hour angle as
// Norm360(ApparentSiderealTime(T, dpsi, eps) - apparent right ascension).
double ApparentSiderealTime(double T, double dpsi, double eps);

}  // namespace orvex
