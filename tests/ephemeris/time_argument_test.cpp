#include "ephemeris/time_argument.h"

#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "erfa_instant.h"

using namespace orvex;

namespace {

using orvex::testing::AngleDiff;

constexpr double kArcsec = 1.0 / 3600.0;

}  // namespace

// The epoch itself, and the worked instants navigators check by hand: an
// off-by-one in the day count or the half day shows here first.
TEST(TimeArgument, WorkedInstants) {
    EXPECT_EQ(JulianCenturiesJ2000(1, 1, 2000, 12.0), 0.0);
    EXPECT_NEAR(JulianCenturiesJ2000(10, 4, 1987, 0.0), -0.127296372348, 1e-12);
    EXPECT_DOUBLE_EQ(JulianCenturiesJ2000(1, 1, 2001, 12.0), 366.0 / 36525.0);
    EXPECT_DOUBLE_EQ(JulianCenturiesJ2000(1, 1, 1999, 12.0), -365.0 / 36525.0);
    EXPECT_DOUBLE_EQ(JulianCenturiesJ2000(1, 1, 1996, 12.0), -1461.0 / 36525.0);
}

// January 1 is day 1; March 1 is day 61 in a leap year and day 60 otherwise.
// A wrong leap-day correction for March to December moves every later date.
TEST(TimeArgument, DayOfYearAroundFebruary) {
    auto dayNumber = [](int d, int m, int y) {
        return JulianCenturiesJ2000(d, m, y, 12.0) * 36525.0;
    };
    EXPECT_DOUBLE_EQ(dayNumber(1, 3, 2024) - dayNumber(1, 1, 2024), 60.0);
    EXPECT_DOUBLE_EQ(dayNumber(1, 3, 2023) - dayNumber(1, 1, 2023), 59.0);
    EXPECT_DOUBLE_EQ(dayNumber(1, 3, 1900) - dayNumber(1, 1, 1900), 59.0);
    EXPECT_DOUBLE_EQ(dayNumber(1, 3, 2000) - dayNumber(1, 1, 2000), 60.0);
}

// Gregorian rule, including the century years that trip a plain "divisible by
// 4" test.
TEST(TimeArgument, LeapYears) {
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_FALSE(IsLeapYear(2100));
    for (int y = 100; y <= 9999; ++y) {
        const bool expected = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
        ASSERT_EQ(IsLeapYear(y), expected) << y;
    }
}

// The day count must equal ERFA's calendar conversion for every date from 1601
// to 2400, on both sides of 2000 (the truncation toward zero of the leap-day
// terms is what makes negative years right).
TEST(TimeArgument, DayCountMatchesCalendarEveryDay1601To2400) {
    static const int kMonthDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int y = 1601; y <= 2400; ++y) {
        for (int m = 1; m <= 12; ++m) {
            const int last = kMonthDays[m] + (m == 2 && IsLeapYear(y) ? 1 : 0);
            for (int d = 1; d <= last; ++d) {
                double djm0 = 0, djm = 0;
                ASSERT_EQ(eraCal2jd(y, m, d, &djm0, &djm), 0);
                const double expected = djm - 51544.0;  // MJD of 2000 January 1
                const double got = JulianCenturiesJ2000(d, m, y, 12.0) * 36525.0;
                ASSERT_NEAR(got, expected, 1e-7) << y << "-" << m << "-" << d;
            }
        }
    }
}

// IAU 1982 sidereal time at the published instants.
TEST(SiderealTime, WorkedValues) {
    EXPECT_NEAR(GreenwichMeanSiderealTime(0.0), 67310.54841 / 240.0, 1e-9);
    // 13h10m46.3668s; T printed to 12 decimals is too coarse for the sixth
    // decimal of a degree, so the date itself is used.
    EXPECT_NEAR(GreenwichMeanSiderealTime(JulianCenturiesJ2000(10, 4, 1987, 0.0)), 197.693195,
                1e-6);
}

// Against ERFA's IAU 1982 sidereal time over 1900-2100, to 0.01": a slip in
// the linear term or in the signed fraction before 2000 shows as seconds of
// time.
TEST(SiderealTime, AgreesWithErfaGmst82) {
    std::mt19937 gen(1982);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    for (int i = 0; i < 2000; ++i) {
        const double T = dist(gen);
        const double gmst = GreenwichMeanSiderealTime(T);
        ASSERT_GE(gmst, 0.0);
        ASSERT_LT(gmst, 360.0);
        const double ref = eraGmst82(ERFA_DJ00, T * ERFA_DJC) * ERFA_DR2D;
        ASSERT_NEAR(AngleDiff(gmst, ref), 0.0, 0.01 * kArcsec) << T;
    }
}

// Apparent sidereal time adds the equation of the equinoxes: ERFA's IAU 1994
// equation with the same nutation agrees to a few milliseconds of arc.
TEST(SiderealTime, ApparentAddsEquationOfEquinoxes) {
    const double T = 0.25;
    const double dj = T * ERFA_DJC;
    double dpsi = 0, deps = 0;
    eraNut80(ERFA_DJ00, dj, &dpsi, &deps);
    const double eps = (eraObl80(ERFA_DJ00, dj) + deps) * ERFA_DR2D;
    const double ast = ApparentSiderealTime(T, dpsi * ERFA_DR2AS, eps);
    const double ref = eraGst94(ERFA_DJ00, dj) * ERFA_DR2D;
    EXPECT_NEAR(AngleDiff(ast, ref), 0.0, 0.01 * kArcsec);
}
