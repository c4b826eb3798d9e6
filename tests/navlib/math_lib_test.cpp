#include "navlib/math_lib.h"

#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "navlib/constants.h"
#include "navlib/hooks.h"
#include "navlib/nautical_angles.h"

using namespace orvex;

// The degree factors must be derived from the system's own pi, not the
// library's: every published result of the program rests on them.
TEST(Constants, FactorsDerivedFromTwelveDecimalPi) {
    EXPECT_EQ(kPi, 3.141592653589);
    EXPECT_EQ(kHalfPi, 1.5707963267945);
    EXPECT_DOUBLE_EQ(kDegToRad, kPi / 180.0);
    EXPECT_DOUBLE_EQ(kRadToDeg, 180.0 / kPi);
}

TEST(Normalisation, EdgesOfTheCircle) {
    EXPECT_EQ(Norm360(-90), 270);
    EXPECT_EQ(Norm360(720), 0);
    EXPECT_EQ(Norm360(-1e-12), 0);
    EXPECT_EQ(Norm360(359.999999999995), 0);
    EXPECT_EQ(Norm180(180), 180);
    EXPECT_EQ(Norm180(-180), -180);
    EXPECT_EQ(Norm180(190), -170);
    EXPECT_EQ(Norm180(540), 180);
    EXPECT_DOUBLE_EQ(FracPart(-2.25), -0.25);
    EXPECT_EQ(FracPart(2.999999999999995), 0);
    double q = 0;
    EXPECT_DOUBLE_EQ(ModReal(-7, 3, &q), -1);
    EXPECT_EQ(q, -2);
}

// ERFA's normalisations agree away from the ends of the range.
TEST(Normalisation, AgreesWithErfa) {
    std::mt19937 gen(42);
    std::uniform_real_distribution<double> u(-5000.0, 5000.0);
    for (int i = 0; i < 20000; ++i) {
        const double x = u(gen);
        const double n360 = eraAnp(x * ERFA_DD2R) * ERFA_DR2D;
        const double n180 = eraAnpm(x * ERFA_DD2R) * ERFA_DR2D;
        if (n360 > 1e-6 && n360 < 360 - 1e-6) {
            EXPECT_NEAR(Norm360(x), n360, 1e-9) << x;
        }
        if (std::fabs(std::fabs(n180) - 180) > 1e-6) {
            EXPECT_NEAR(Norm180(x), n180, 1e-9) << x;
        }
    }
}

TEST(ScaleToRange, WrapsAndClamps) {
    EXPECT_EQ(ScaleToRange(-360, 0, 360, true), 360);
    EXPECT_NEAR(ScaleToRange(370, 0, 360, true), 10, 1e-12);
    EXPECT_EQ(ScaleToRange(-270, -180, 180, true), 90);
    EXPECT_EQ(ScaleToRange(200, -180, 180, true), -160);
    EXPECT_EQ(ScaleToRange(-5, 0, 10, false), 0);
    EXPECT_EQ(ScaleToRange(15, 0, 10, false), 10);
    RecordingReporter rec;
    EXPECT_EQ(ScaleToRange(5, 10, 10, true), 0);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].title, " Error in mathematical routine");
    EXPECT_EQ(rec.messages[0].style, kIconCritical);
}

TEST(InverseTrig, NeutralValuesAndMessages) {
    RecordingReporter rec;
    EXPECT_EQ(ArcSin(1), kHalfPi);
    EXPECT_TRUE(rec.messages.empty());
    EXPECT_EQ(ArcSin(-1.5), -kHalfPi);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].title, " Error in Arc Sinus routine");
    EXPECT_EQ(rec.messages[0].text, "| Argument Sinus |  >  1.\r\nReturn \xC2\xB1 Pi / 2.");
    EXPECT_EQ(ArcCos(0), kHalfPi);
    EXPECT_EQ(ArcCos(-1), kPi);
    EXPECT_EQ(ArcCos(1), 0);
    EXPECT_EQ(ArcCos(-1.2), kPi);
    ASSERT_EQ(rec.messages.size(), 2u);
    EXPECT_EQ(rec.messages[1].title, " Error in Arc Cosinus routine");
    for (double x = -0.999; x < 1; x += 0.0137) {
        EXPECT_NEAR(ArcSin(x), std::asin(x), 1e-13);
        EXPECT_NEAR(ArcCos(x), std::acos(x), 2e-12);  // kPi is short by 8e-13
    }
}

// The three reports of the angle helpers, byte for byte with their stop icon
// and OK button: the windows show them as they stand, leading blank included.
TEST(InverseTrig, EveryReportAsItStands) {
    RecordingReporter rec;
    ScaleToRange(1, 5, -5, false);
    ArcSin(2);
    ArcCos(1.5);
    ASSERT_EQ(rec.messages.size(), 3u);
    for (const auto& m : rec.messages) EXPECT_EQ(m.style, kIconCritical + kButtonsOk);
    EXPECT_EQ(rec.messages[0].title, " Error in mathematical routine");
    EXPECT_EQ(rec.messages[0].text,
              "Unable to scale your number due to an incorrect range. See doc for help.");
    EXPECT_EQ(rec.messages[1].title, " Error in Arc Sinus routine");
    EXPECT_EQ(rec.messages[1].text, "| Argument Sinus |  >  1.\r\nReturn \u00B1 Pi / 2.");
    EXPECT_EQ(rec.messages[2].title, " Error in Arc Cosinus routine");
    EXPECT_EQ(rec.messages[2].text, "| Argument Cosinus |  >  1.\r\nReturn 0 or Pi.");
    // The neutral values that follow each report.
    EXPECT_EQ(ArcSin(2), kHalfPi);
    EXPECT_EQ(ArcCos(1.5), 0.0);
}

TEST(Sexagesimal, PackedForms) {
    EXPECT_NEAR(DegToDM(12.5), 12.3, 1e-12);
    EXPECT_NEAR(DegToDM(-0.5), -0.3, 1e-12);
    EXPECT_EQ(DegToDM(12.99995), 13);
    EXPECT_EQ(DegToDM(-12.99995), -13);
    EXPECT_NEAR(DMToDeg(12.3), 12.5, 1e-12);
    EXPECT_NEAR(DMSToDeg(12.3030), 12.508333333333, 1e-9);
}

// 7.22 is stored as 7.2199999..., whose minutes truncate to 21 and whose
// "seconds" then read as 99.99: a whole-minute value once came out 40"
// too large.
TEST(Sexagesimal, WholeMinutesDoNotLoseAMinute) {
    EXPECT_NEAR(DMSToDeg(7.22), 7 + 22 / 60.0, 1e-12);
    EXPECT_NEAR(DMSToDeg(-7.22), -(7 + 22 / 60.0), 1e-12);
    EXPECT_NEAR(DMSToDeg(21.33), 21.55, 1e-12);
}

// The packed DD.MMSS reading agrees with ERFA's sexagesimal assembly.
TEST(Sexagesimal, AgreesWithErfa) {
    for (int d = 0; d < 90; d += 7)
        for (int m = 0; m < 60; m += 11)
            for (double s = 0; s < 60; s += 13.7) {
                double rad = 0;
                ASSERT_EQ(eraAf2a('+', d, m, s, &rad), 0);
                const double packed = d + m / 100.0 + s / 10000.0;
                EXPECT_NEAR(DMSToDeg(packed), rad * ERFA_DR2D, 1e-9);
                char sign;
                int idmsf[4];
                eraA2af(6, rad, &sign, idmsf);
                EXPECT_NEAR(DMToDeg(DegToDM(rad * ERFA_DR2D)), rad * ERFA_DR2D, 1e-9);
            }
}

TEST(Atan2Deg, Quadrants) {
    EXPECT_EQ(Atan2Deg(0, 0), 0);
    EXPECT_EQ(Atan2Deg(-1, 0), 180);
    EXPECT_NEAR(Atan2Deg(1, -1), 315, 1e-10);  // the short pi shows at 1e-11
    EXPECT_EQ(Atan2Deg(0, 1), 90);
    EXPECT_EQ(Atan2Deg(0, -2), 270);
    EXPECT_EQ(MathAngleToAzimuth(0), 90);
    EXPECT_EQ(MathAngleToAzimuth(90), 0);
    EXPECT_EQ(MathAngleToAzimuth(180), 270);
}

TEST(Spherical, RoundTripsAndEcliptic) {
    for (double lat = -80; lat <= 80; lat += 20)
        for (double lon = 5; lon < 360; lon += 45) {
            double x, y, z, r, la, lo;
            SphericalToCartesian(2.5, lat, lon, x, y, z);
            CartesianToSpherical(x, y, z, r, la, lo);
            EXPECT_NEAR(r, 2.5, 1e-12);
            EXPECT_NEAR(la, lat, 1e-9);
            EXPECT_NEAR(lo, lon, 1e-9);
        }
    // A point of the ecliptic against ERFA's ecliptic-to-ICRS rotation at
    // the J2000 obliquity (precession-free epoch, so only the tilt matters).
    const double eps = eraObl06(ERFA_DJ00, 0) * ERFA_DR2D;
    for (double lam = 0; lam < 360; lam += 17) {
        double dec, ra;
        EclipticToEquatorial(lam, eps, dec, ra);
        const double l = lam * ERFA_DD2R, e = eps * ERFA_DD2R;
        const double x = std::cos(l), y = std::sin(l) * std::cos(e), z = std::sin(l) * std::sin(e);
        EXPECT_NEAR(dec, std::asin(z) * ERFA_DR2D, 1e-9);
        EXPECT_NEAR(ra, eraAnp(std::atan2(y, x)) * ERFA_DR2D, 1e-9);
    }
}

// The arc end point agrees with an independent spherical direct problem.
TEST(Spherical, TransformAgreesWithSphericalTrig) {
    for (double lat = -60; lat <= 60; lat += 30)
        for (double brg = 10; brg < 360; brg += 40)
            for (double arc = 1; arc < 170; arc += 33) {
                double lat2, lon2;
                TransformSpherical(lat, 20, brg, arc, lat2, lon2);
                const double p1 = lat * ERFA_DD2R, b = brg * ERFA_DD2R, d = arc * ERFA_DD2R;
                const double p2 = std::asin(std::sin(p1) * std::cos(d) +
                                            std::cos(p1) * std::sin(d) * std::cos(b));
                const double dl = std::atan2(std::sin(b) * std::sin(d) * std::cos(p1),
                                             std::cos(d) - std::sin(p1) * std::sin(p2));
                EXPECT_NEAR(lat2, p2 * ERFA_DR2D, 1e-8);
                EXPECT_NEAR(Norm180(lon2 - (20 + dl * ERFA_DR2D)), 0, 1e-8);
            }
}

TEST(NauticalTests, SameLatitudeLongitude) {
    EXPECT_TRUE(SameLatitude(0.00003, -0.00003));
    EXPECT_FALSE(SameLatitude(0.00005, -0.00002));
    EXPECT_TRUE(SameLatitude(10, 10.00007));
    EXPECT_FALSE(SameLatitude(0, 0.00005));
    EXPECT_TRUE(SameLongitude(179.99999, -179.99999));
    EXPECT_TRUE(SameLongitude(-170, 190));
    EXPECT_TRUE(SameLongitude(0.00001, -0.00001));
    EXPECT_FALSE(SameLongitude(10, 10.001));
    // One place: a metre apart, or at a pole whatever the longitudes.
    EXPECT_TRUE(SamePosition(50, -5, 50 + 1.0 / 111120, -5));
    EXPECT_TRUE(SamePosition(90, -10, 90, 45));
    EXPECT_FALSE(SamePosition(90, 0, -90, 0));
    EXPECT_FALSE(SamePosition(50, -5, 50, -5.001));
}

// The two longitude forms swap into each other; 180 and 0 stay as they are.
TEST(NauticalTests, ToggleLongitudeRange) {
    EXPECT_EQ(ToggleLongitudeRange(-10), 350);
    EXPECT_EQ(ToggleLongitudeRange(350), -10);
    EXPECT_EQ(ToggleLongitudeRange(190), -170);
    EXPECT_EQ(ToggleLongitudeRange(180), 180);
    EXPECT_EQ(ToggleLongitudeRange(0), 0);
    EXPECT_EQ(ToggleLongitudeRange(-180), 180);
}

TEST(NauticalTests, SensesAndBearings) {
    EXPECT_EQ(LongitudeSense(350, 10), 1);
    EXPECT_EQ(LongitudeSense(10, 350), -1);
    EXPECT_EQ(LongitudeSense(20, 20), -1);
    EXPECT_EQ(LongitudeSense(0, 180), -1);
    EXPECT_EQ(CompareBearings(10, 10), 0);
    EXPECT_EQ(CompareBearings(10, 20), -1);
    EXPECT_EQ(CompareBearings(20, 10), 1);
    EXPECT_EQ(CompareBearings(350, 5), -1);
    EXPECT_EQ(CompareBearings(0, 180), 1);
}

TEST(NauticalTests, CourseFromQuadrant) {
    EXPECT_EQ(CourseFromQuadrant(30, 0, 0, 1, -1), 330);
    EXPECT_EQ(CourseFromQuadrant(30, 0, 0, 1, 1), 30);
    EXPECT_EQ(CourseFromQuadrant(30, 0, 0, -1, -1), 210);
    EXPECT_EQ(CourseFromQuadrant(30, 0, 0, -1, 1), 150);
    EXPECT_EQ(CourseFromQuadrant(0, 0, 5, 1, 5), 360);
    EXPECT_EQ(CourseFromQuadrant(90, 10, 0, 10, 1), 90);
    EXPECT_EQ(CourseFromQuadrant(30, 0, 179, 1, -179), 30);  // east across the date line
}

TEST(PolyEval, PowersAndEmpty) {
    const double a[] = {1, 2, 3};
    EXPECT_EQ(PolyEval(0.0, 2, a), 1);
    EXPECT_EQ(PolyEval(2.0, 2, a), 17);
    EXPECT_EQ(PolyEval(2.0, -1, a), 0);
    EXPECT_NEAR(Log10(1000), 3, 1e-14);
}
