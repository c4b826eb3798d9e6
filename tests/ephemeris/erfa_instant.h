// Instants and angles shared by the ephemeris tests: the program's UT
// date-time value of a calendar instant through ERFA's calendar, and the
// difference of two angles.
#pragma once

#include <erfa.h>
#include <gtest/gtest.h>

#include <cmath>

namespace orvex::testing {

// The date-time value (days from 1899-12-30 0h UT) of a UT calendar
// instant, through ERFA's calendar; an instant ERFA refuses fails the test.
inline double DateValue(int y, int m, int d, int h = 0, int min = 0, double s = 0) {
    double djm0 = 0, djm = 0;
    EXPECT_EQ(eraCal2jd(y, m, d, &djm0, &djm), 0);
    return djm0 + djm - 2415018.5 + (h * 3600.0 + min * 60.0 + s) / 86400.0;
}

// Difference a - b of two angles in degrees, folded into -180..180.
inline double AngleDiff(double a, double b) {
    double d = std::fmod(a - b, 360.0);
    if (d > 180.0) d -= 360.0;
    if (d < -180.0) d += 360.0;
    return d;
}

}  // namespace orvex::testing
