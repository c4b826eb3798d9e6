// The reasoning of the star-fix wizard and of the azimuth tool, checked
// against ERFA: where the stars stand at the twilight the wizard finds, the
// expected sextant altitude, the proposal of bright stars spread in azimuth,
// and the gyro and compass errors.
#include "companions/core/wizard_star_choice.h"

#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "companions/core/compass_errors.h"
#include "ephemeris/ephemeris.h"
#include "ephemeris/star_catalogue.h"
#include "ephemeris/twilight.h"
#include "erfa_places.h"
#include "navlib/date_time.h"
#include "navlib/math_lib.h"
#include "navlib/sight_reduction.h"
#include "tests/ephemeris/erfa_oracle.h"

namespace orvex {
namespace {

using testing::ErfaStarAzAlt;
using testing::kDateOrigin;

// The Sun's true altitude (degrees) from ERFA's Earth ephemeris: geometric
// direction, precession-nutation and apparent sidereal time.
double ErfaSunAltitude(double ut, double lat, double lon) {
    const double T = (kDateOrigin + ut - testing::kJ2000) / 36525.0;
    double pvh[2][3], pvb[2][3];
    eraEpv00(testing::kJ2000, T * 36525.0, pvh, pvb);
    double sun[3] = {-pvh[0][0], -pvh[0][1], -pvh[0][2]};
    testing::OraclePlace p;
    testing::ApparentHourAngle(sun, T, p);
    const double d = ERFA_DD2R;
    return std::asin(std::sin(lat * d) * std::sin(p.dec * d) +
                     std::cos(lat * d) * std::cos(p.dec * d) * std::cos((p.gha + lon) * d)) *
           ERFA_DR2D;
}

// The instant near `guess` (within an hour) at which f crosses zero.
double Bisect(const std::function<double(double)>& f, double a, double b) {
    double fa = f(a);
    for (int i = 0; i < 60; ++i) {
        const double m = 0.5 * (a + b);
        const double fm = f(m);
        if ((fm < 0) == (fa < 0)) {
            a = m;
            fa = fm;
        } else {
            b = m;
        }
    }
    return 0.5 * (a + b);
}

const double kLat = 45.5, kLon = -10.25;  // North Atlantic, west of Europe
// (A function: the calendar of the date library is not ready during static
// initialisation.)
double Day() {
    return MakeDateTime(2026, 3, 20);
}

// Guards a twilight window out by the time zone, a sign of the longitude or
// a wrong target altitude: each time of the morning and evening sights must
// put ERFA's Sun at -9 or -3 degrees within a minute.
TEST(WizardTwilight, ObservationWindowsAgreeWithErfa) {
    TwilightTimes t{};
    ASSERT_TRUE(StarSightTwilight(kLat, kLon, Day(), 12.0, t));
    const struct {
        int index;
        double target;
        double sign;  // the Sun rising (+) or setting (-)
    } cases[] = {{kMorningSightsStart, -9, 1},
                 {kMorningSightsEnd, -3, 1},
                 {kEveningSightsStart, -3, -1},
                 {kEveningSightsEnd, -9, -1}};
    for (const auto& c : cases) {
        const double ours = t[static_cast<size_t>(c.index)];
        const double erfa =
            Bisect([&](double ut) { return c.sign * (ErfaSunAltitude(ut, kLat, kLon) - c.target); },
                   ours - 1.0 / 24, ours + 1.0 / 24);
        EXPECT_NEAR(ours, erfa, 1.0 / 1440) << "time " << c.index;
    }
    // The evening observations begin after the visible sunset, in order.
    for (int i = 1; i < 9; ++i) EXPECT_LT(t[i - 1], t[i]);
}

// Guards azimuths or altitudes from a wrong hour angle (longitude sign,
// argument order of the azimuth routine) in the star list: every proposed
// star's azimuth and altitude agree with ERFA at the evening twilight.
TEST(WizardStarChoice, CandidatesStandWhereErfaPutsThem) {
    TwilightTimes t{};
    ASSERT_TRUE(StarSightTwilight(kLat, kLon, Day(), 12.0, t));
    const double when = t[kEveningSightsStart];
    const StarCandidates c = ChooseStars(when, kLat, kLon, 12.0);
    ASSERT_GT(c.Count(), 15);
    int stars = 0;
    for (int i = 0; i < c.Count(); ++i) {
        const auto u = static_cast<size_t>(i);
        const CatalogueEntry e = StarCatalogue(c.CandName[u]);
        if (e.ra == 0.0 && e.dec == 0.0) continue;  // a planet or the Moon
        ++stars;
        double az = 0, alt = 0;
        ErfaStarAzAlt(e, when, kLat, kLon, az, alt);
        EXPECT_NEAR(std::remainder(c.CandAz[u] - az, 360.0), 0.0, 0.5 / 60) << c.CandName[u];
        const BodyPlace p = ComputeBodyPlace(c.CandName[u], when, kLat, kLon, 12.0);
        EXPECT_NEAR(p.hc, alt, 0.5 / 60) << c.CandName[u];
        EXPECT_DOUBLE_EQ(p.hs, c.CandHs[u]);
        EXPECT_DOUBLE_EQ(p.mag, c.CandMag[u]);
        EXPECT_EQ(c.CandMag[u], e.magnitude);
    }
    EXPECT_GT(stars, 15);
}

// Guards the proposal rules: no Sun, nothing below the horizon, the list in
// magnitude order, proposals only bright and at good altitudes, never two
// proposed stars too close in azimuth or opposite, and each bright star in
// the band dropped only for a brighter (or equally bright, earlier) one.
TEST(WizardStarChoice, ProposalRules) {
    TwilightTimes t{};
    ASSERT_TRUE(StarSightTwilight(kLat, kLon, Day(), 12.0, t));
    for (double when : {t[kMorningSightsStart], t[kEveningSightsStart]}) {
        const StarCandidates c = ChooseStars(when, kLat, kLon, 12.0);
        int proposed = 0;
        for (int i = 0; i < c.Count(); ++i) {
            const auto u = static_cast<size_t>(i);
            EXPECT_NE(c.CandName[u].rfind("SUN", 0), 0u);
            EXPECT_GE(c.CandHs[u], 0.0);
            if (i > 0) {
                EXPECT_LE(c.CandMag[u - 1], c.CandMag[u]);
            }
            const bool inBand = c.CandMag[u] <= 1.3 && c.CandHs[u] >= 10 && c.CandHs[u] <= 70;
            if (c.CandSelected[u]) {
                ++proposed;
                EXPECT_TRUE(inBand) << c.CandName[u];
                for (int j = 0; j < i; ++j)
                    if (c.CandSelected[static_cast<size_t>(j)]) {
                        EXPECT_FALSE(AzimuthConflict(c.CandAz[static_cast<size_t>(j)], c.CandAz[u]))
                            << c.CandName[static_cast<size_t>(j)] << " / " << c.CandName[u];
                    }
            } else if (inBand) {
                bool blocked = false;
                for (int j = 0; j < i; ++j)
                    blocked |= c.CandSelected[static_cast<size_t>(j)] &&
                               AzimuthConflict(c.CandAz[static_cast<size_t>(j)], c.CandAz[u]);
                EXPECT_TRUE(blocked) << c.CandName[u] << " dropped without a brighter neighbour";
            }
        }
        EXPECT_GE(proposed, 4);
    }
}

// Guards the spread test at its edges and across north.
TEST(WizardStarChoice, AzimuthConflictEdges) {
    EXPECT_TRUE(AzimuthConflict(100.0, 103.5));
    EXPECT_TRUE(AzimuthConflict(100.0, 96.5));
    EXPECT_FALSE(AzimuthConflict(100.0, 103.6));
    EXPECT_FALSE(AzimuthConflict(100.0, 96.4));
    EXPECT_TRUE(AzimuthConflict(100.0, 280.0));
    EXPECT_TRUE(AzimuthConflict(100.0, 276.5));
    EXPECT_TRUE(AzimuthConflict(100.0, 283.5));
    EXPECT_FALSE(AzimuthConflict(100.0, 283.6));
    EXPECT_TRUE(AzimuthConflict(358.5, 1.0));
    EXPECT_TRUE(AzimuthConflict(1.0, 358.5));
    EXPECT_TRUE(AzimuthConflict(1.0, 182.5));
    EXPECT_FALSE(AzimuthConflict(10.0, 50.0));
}

// Guards the corrections of the expected sextant altitude: the refraction
// agrees with ERFA's model of the standard atmosphere above 15 degrees, the
// dip grows as the root of the height, the limbs straddle the centre by the
// semi-diameter, and no altitude (down to the refraction's pole) gives a NaN
// or a body above the horizon that lies well below it.
TEST(WizardStarChoice, ExpectedSextantAltitude) {
    double refa = 0, refb = 0;
    eraRefco(1010.0, 10.0, 0.0, 0.55, &refa, &refb);
    for (double hc : {15.0, 20.0, 30.0, 45.0, 60.0, 80.0}) {
        const double z = (90.0 - hc) * ERFA_DD2R;
        const double erfaRefraction =
            (refa * std::tan(z) + refb * std::pow(std::tan(z), 3)) * ERFA_DR2D;
        const double hs = ComputeSextantAltitude(hc, 0.0, kStarDistance, "SIRIUS");
        EXPECT_NEAR(hs - hc, erfaRefraction, 0.15 / 60) << hc;
    }
    const double h0 = ComputeSextantAltitude(30.0, 0.0, kStarDistance, "VEGA");
    EXPECT_NEAR(ComputeSextantAltitude(30.0, 9.0, kStarDistance, "VEGA") - h0, 3 * 0.029283, 1e-12);
    // The Sun at 1 AU: the upper limb reads two semi-diameters above the lower.
    const double low = ComputeSextantAltitude(30.0, 0.0, 1.0, "SUNLOW");
    const double upp = ComputeSextantAltitude(30.0, 0.0, 1.0, "SUNUPP");
    EXPECT_NEAR(low - upp, -2 * 0.266564, 0.001);
    // The Moon: about 15.5' of semi-diameter at its mean distance and its
    // parallax of nearly a degree at the horizon lowers the reading.
    const double moonDist = 384401.0 / 149597870.7;
    // (High up, where the refraction hardly differs between the limbs.)
    const double mLow = ComputeSextantAltitude(85.0, 0.0, moonDist, "MOONLOW");
    const double mUpp = ComputeSextantAltitude(85.0, 0.0, moonDist, "MOONUPP");
    // The parallax of the higher limb is smaller by SD x sin(parallax).
    EXPECT_NEAR((mUpp - mLow) / 2 * 60, 15.55 * (1 + 0.0166), 0.02);
    EXPECT_LT(ComputeSextantAltitude(30.0, 0.0, moonDist, "MOONLOW"), 30.0 - 0.7);
    for (double hc = -20.0; hc <= 90.0; hc += 0.01) {
        for (double eye : {0.0, 30.0, 304.8}) {
            const double hs = ComputeSextantAltitude(hc, eye, kStarDistance, "DENEB");
            ASSERT_TRUE(std::isfinite(hs)) << hc;
            if (hc <= -2.5) {
                ASSERT_LT(hs, 0.0) << hc << " " << eye;
            }
        }
    }
}

// Guards the texts of the list and the table.
TEST(WizardStarChoice, Texts) {
    EXPECT_EQ(FormatWizardAltitude(35.5), "35°30'");
    EXPECT_EQ(FormatWizardAltitude(9.9999), "10°00'");
    EXPECT_EQ(FormatWizardAzimuth(7.4), "007°");
    EXPECT_EQ(FormatWizardMagnitude(-1.46, "."), "-1.5");
    EXPECT_EQ(FormatWizardMagnitude(0.3, ","), "+0,3");
    EXPECT_EQ(FormatWizardMagnitude(0.0, "."), " 0.0");
    StarCandidates c;
    c.CandName = {"BETELGEUSE"};
    c.CandMag = {0.45};
    c.CandAz = {123.4};
    c.CandHs = {35.5};
    c.CandSelected = {true};
    EXPECT_EQ(CandidateItemText(c, 0, "."), "+0.5 BETELGEUSE: 123° / 35°30'");
}

// Guards the visible bodies: Sun and Moon limbs listed by day when up, no
// body below the horizon, and nothing proposed.
TEST(WizardStarChoice, VisibleBodiesByDay) {
    const double noon = MakeDateTime(2026, 6, 21, 12, 40);
    const StarCandidates c = VisibleBodies(noon, kLat, kLon, 10.0);
    bool sunLow = false, sunUpp = false;
    for (int i = 0; i < c.Count(); ++i) {
        const auto u = static_cast<size_t>(i);
        EXPECT_GE(c.CandHs[u], 0.0);
        EXPECT_FALSE(c.CandSelected[u]);
        sunLow |= c.CandName[u] == "SUNLOW";
        sunUpp |= c.CandName[u] == "SUNUPP";
        if (i > 0) {
            EXPECT_LT(c.CandName[u - 1], c.CandName[u]);  // BodyNames order
        }
    }
    EXPECT_TRUE(sunLow);
    EXPECT_TRUE(sunUpp);
    EXPECT_GT(c.Count(), 20);
    EXPECT_LT(c.Count(), 50);
}

// Guards the folding of the errors: the edge cases a navigator meets.
TEST(CompassErrors, FoldedAndSigned) {
    // Gyro bearing 359 with a true bearing of 1: +2, not -358.
    CompassErrors e = ComputeCompassErrors(1.0, 359.0, 359.0, 0.0, 0.0);
    EXPECT_DOUBLE_EQ(e.gyroError, 2.0);
    // Gyro heading 359 with +2: true heading 1, not 361.
    EXPECT_NEAR(e.trueHeading, 1.0, 1e-9);
    // A compass error of exactly 180 stays +180.
    e = ComputeCompassErrors(100.0, 100.0, 200.0, 20.0, 0.0);
    EXPECT_DOUBLE_EQ(e.compassError, 180.0);
    EXPECT_DOUBLE_EQ(FoldError(-180.0), -180.0);
    EXPECT_DOUBLE_EQ(FoldError(-181.0), 179.0);
    EXPECT_DOUBLE_EQ(FoldError(181.0), -179.0);
    // West variation 5 with a compass error of -3: deviation +2.
    e = ComputeCompassErrors(90.0, 90.0, 90.0, 93.0, -5.0);
    EXPECT_DOUBLE_EQ(e.compassError, -3.0);
    EXPECT_DOUBLE_EQ(e.deviation, 2.0);
}

}  // namespace
}  // namespace orvex
