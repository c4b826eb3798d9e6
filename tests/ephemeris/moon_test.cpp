// The Moon: the published worked example of the lunar theory, and the whole
// chain (series, nutation, obliquity, sidereal time) against ERFA's
// implementation of the same theory.
#include "ephemeris/moon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "ephemeris/moon_tables.h"
#include "erfa_oracle.h"

namespace orvex {
namespace {

// 1992 April 12, 0h, the textbook's worked example of this theory.
constexpr double kExampleT = -0.077221081451;

// The example's printed arguments give its printed sums: a wrong row,
// sign or multiple in either table, or the eccentricity factor applied by
// the wrong rule, moves a sum far beyond its last digit.
TEST(MoonSeries, TablesGiveThePublishedSumsOfTheWorkedExample) {
    MoonArguments a;
    a.Lp = 134.290182;
    a.D = 113.842304;
    a.M = 97.643514;
    a.Mp = 5.150833;
    a.F = 219.889721;
    a.A1 = 109.57;
    a.A2 = 123.78;
    a.A3 = 229.53;
    a.E = 1.000194;
    double sl = 0, sb = 0, sr = 0;
    MoonPeriodicSums(a, sl, sb, sr);
    // Each sum rounds to the printed whole number.
    EXPECT_NEAR(sl, -1127527, 0.5);
    EXPECT_NEAR(sb, -3229126, 0.5);
    EXPECT_NEAR(sr, -16590875, 0.5);
}

// From T itself: the eccentricity factor to the printed digits, and the
// place within the small difference between the argument polynomials of
// the two editions (a few millionths of a degree here).
TEST(MoonSeries, WorkedExampleFromItsInstant) {
    const MoonSeriesResult s = MoonSeries(kExampleT);
    EXPECT_NEAR(s.args.E, 1.000194, 5e-7);
    EXPECT_NEAR(s.args.Lp, 134.290182, 1e-5);
    EXPECT_NEAR(s.args.D, 113.842304, 1e-5);
    EXPECT_NEAR(s.args.M, 97.643514, 1e-5);
    EXPECT_NEAR(s.args.Mp, 5.150833, 1e-5);
    EXPECT_NEAR(s.args.F, 219.889721, 1e-5);
    EXPECT_NEAR(s.args.A1, 109.57, 0.005);
    EXPECT_NEAR(s.args.A2, 123.78, 0.005);
    EXPECT_NEAR(s.args.A3, 229.53, 0.005);
    EXPECT_NEAR(s.longitude, 133.162655, 1e-5);
    EXPECT_NEAR(s.latitude, -3.229126, 1e-5);
    EXPECT_NEAR(s.distanceKm, 368409.7, 0.1);
}

// The example's apparent declination, 13.768368 degrees (nutation and true
// obliquity included; the obliquity model differs by milliseconds of arc).
TEST(MoonEphemeris, WorkedExampleDeclinationAndDistance) {
    double gha = 0, dec = 0, dist = 0;
    MoonEphemeris(kExampleT, gha, dec, dist);
    EXPECT_NEAR(dec, 13.768368, 2e-5);
    EXPECT_NEAR(dist, 368409.7 / 149565800.0, 0.05 / 149565800.0);
}

TEST(MoonTables, HaveSixtyRowsWithThePublishedEnds) {
    const auto& a = MoonLongitudeDistanceTable();
    const auto& b = MoonLatitudeTable();
    ASSERT_EQ(a.size(), 60u);
    ASSERT_EQ(b.size(), 60u);
    EXPECT_EQ(a[0].mp, 1);
    EXPECT_EQ(a[0].longitude, 6288774);
    EXPECT_EQ(a[0].distance, -20905355);
    EXPECT_EQ(a[59].longitude, 0);  // blank in the publication
    EXPECT_EQ(a[59].distance, 8752);
    EXPECT_EQ(b[0].f, 1);
    EXPECT_EQ(b[0].latitude, 5128122);
    EXPECT_EQ(b[59].latitude, 107);
    // Rows 14 and 44 of the latitude table carry M multiples 1 and -2, so
    // they take E and E^2 respectively.
    EXPECT_EQ(b[13].d, 2);
    EXPECT_EQ(b[13].m, 1);
    EXPECT_EQ(b[13].f, -1);
    EXPECT_EQ(b[43].m, -2);
    EXPECT_EQ(b[43].f, -1);
}

// The same theory in ERFA, given the instant as TT, with IAU 2006/2000A
// precession-nutation: within 0.02' in declination and in hour angle once
// the fixed half-minute reduction of the hour angle is added back. Guards
// the nutation in longitude, the obliquity used for the conversion, the
// sidereal time and the sign of the half-minute.
TEST(MoonEphemeris, AgreesWithErfaOverFiftyYears) {
    double worstHa = 0, worstDec = 0, worstKm = 0;
    // 1990 January 1 to 2040 December 31, a step that walks through all
    // lunar phases and times of day.
    for (double T = -0.10; T <= 0.41; T += 9.137 / 36525.0) {
        double gha = 0, dec = 0, dist = 0;
        MoonEphemeris(T, gha, dec, dist);
        ASSERT_GE(gha, 0.0);
        ASSERT_LT(gha, 360.0);
        const testing::OraclePlace o = testing::MoonOracle(T);
        worstHa =
            std::max(worstHa, std::fabs(testing::HourAngleDiffMinutes(gha + 0.5 / 60.0, o.gha)));
        worstDec = std::max(worstDec, std::fabs((dec - o.dec) * 60.0));
        worstKm = std::max(worstKm, std::fabs(dist * 149565800.0 - o.dist));
    }
    EXPECT_LT(worstHa, 0.02);
    EXPECT_LT(worstDec, 0.02);
    EXPECT_LT(worstKm, 1.0);
    RecordProperty("worst_ha_arcmin", std::to_string(worstHa));
    RecordProperty("worst_dec_arcmin", std::to_string(worstDec));
    std::printf("Moon vs ERFA: hour angle %.4f', declination %.4f', distance %.3f km\n", worstHa,
                worstDec, worstKm);
}

// Calls do not disturb each other: the same T gives the same place after
// another T was computed.
TEST(MoonEphemeris, RepeatedCallsGiveTheSamePlace) {
    double g1 = 0, d1 = 0, r1 = 0, g2 = 0, d2 = 0, r2 = 0, gx = 0, dx = 0, rx = 0;
    MoonEphemeris(0.123, g1, d1, r1);
    MoonEphemeris(-0.05, gx, dx, rx);
    MoonEphemeris(0.123, g2, d2, r2);
    EXPECT_EQ(g1, g2);
    EXPECT_EQ(d1, d2);
    EXPECT_EQ(r1, r2);
}

}  // namespace
}  // namespace orvex
