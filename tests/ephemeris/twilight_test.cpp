// Twilight times against an independent search of the Sun's altitude with
// ERFA, and the magnitudes against the published formulas on ERFA geometry.
#include "ephemeris/twilight.h"

#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ephemeris/ephemeris.h"
#include "ephemeris/saturn_series.h"
#include "erfa_instant.h"
#include "erfa_sun.h"
#include "navlib/app_path.h"
#include "navlib/hooks.h"
#include "navlib/solver_callback.h"
#include "navlib/twilight.h"
#include "test_data_files.h"

namespace orvex {
namespace {

using testing::DateValue;
using testing::kDateValueToJd;
using testing::OracleCrossing;
using testing::OracleTransit;
using testing::SunFromErfa;

// ---------------------------------------------------------------- twilight

// Every one of the nine times within 1.5 minutes of the oracle's, over
// latitudes up to 60 degrees, both hemispheres, both sides of Greenwich and
// the seasons; a target the Sun does not reach gives 0 and says so.
TEST(StarSightTwilight, AgreesWithErfaSearch) {
    const double days[] = {DateValue(2024, 3, 20), DateValue(2024, 6, 21), DateValue(2025, 9, 23),
                           DateValue(2025, 12, 21), DateValue(2026, 2, 5)};
    const double lons[] = {-150.0, 0.0, 100.0};
    const double heightEye = 12.0;
    int compared = 0;
    for (double day : days) {
        for (double lat = -60.0; lat <= 60.0; lat += 15.0) {
            for (double lon : lons) {
                SCOPED_TRACE(::testing::Message()
                             << "day " << day << " lat " << lat << " lon " << lon);
                RecordingReporter rec;
                TwilightTimes times{};
                ASSERT_TRUE(StarSightTwilight(lat, lon, day + 0.7, heightEye, times));
                const double transit = OracleTransit(day, lon);
                EXPECT_NEAR(times[kMeridianPassage], transit, 1.5 / 1440.0);
                const double visible = VisibleSunriseAltitude(heightEye, SunFromErfa(day).dist);
                const struct {
                    double target;
                    int morning, evening;
                } pairs[] = {{0.0, kSunrise, kSunset},
                             {visible, kVisibleSunrise, kVisibleSunset},
                             {-3.0, kMorningSightsEnd, kEveningSightsStart},
                             {-9.0, kMorningSightsStart, kEveningSightsEnd}};
                bool unreached = false;
                for (const auto& pr : pairs) {
                    const double m = OracleCrossing(transit, lat, lon, pr.target, -1);
                    const double e = OracleCrossing(transit, lat, lon, pr.target, +1);
                    if (m == 0 || e == 0) {
                        EXPECT_EQ(times[pr.morning], 0.0);
                        EXPECT_EQ(times[pr.evening], 0.0);
                        unreached = true;
                        continue;
                    }
                    EXPECT_NEAR(times[pr.morning], m, 1.5 / 1440.0) << pr.target;
                    EXPECT_NEAR(times[pr.evening], e, 1.5 / 1440.0) << pr.target;
                    compared += 2;
                }
                EXPECT_TRUE(rec.messages.empty());
                // Order of the day.
                if (!unreached) {
                    for (int i = 1; i < 9; ++i) EXPECT_LT(times[i - 1], times[i]) << i;
                }
            }
        }
    }
    EXPECT_GT(compared, 900);
}

// Guards searches without bounds at high latitudes, which gave times of
// another day or year as found (66.5 N 150 W, 29 Apr 2026: the morning's
// -9 degrees on 16 Jan 2025), and the rise decided from the declination at
// 0 h. Over the polar days and nights of 2026 each time lies in the day of
// its meridian passage and agrees with ERFA's, a time the Sun does not make
// that day is 0, and the Sun rises or sets on the days ERFA's does.
TEST(StarSightTwilight, HighLatitudesOnTheDayAsked) {
    int compared = 0, k = 0;
    for (double lat : {62.0, 66.5, 67.0, 70.0, 75.0, 80.0, -62.0, -66.0, -70.0}) {
        for (double day = DateValue(2026, 1, 4); day < DateValue(2027, 1, 1); day += 10) {
            const double lon = (k++ % 3) * 125.0 - 150.0;
            SCOPED_TRACE(::testing::Message() << "day " << day << " lat " << lat << " lon " << lon);
            RecordingReporter rec;
            TwilightTimes times{};
            const bool rises = StarSightTwilight(lat, lon, day, 0.0, times);
            const double transit = OracleTransit(day, lon);
            EXPECT_EQ(rises, OracleCrossing(transit, lat, lon, 0, -1) != 0 ||
                                 OracleCrossing(transit, lat, lon, 0, 1) != 0);
            EXPECT_TRUE(rec.messages.empty());
            if (!rises) continue;
            EXPECT_NEAR(times[kMeridianPassage], transit, 2.0 / 86400.0);
            const double visible = VisibleSunriseAltitude(0.0, SunFromErfa(day).dist);
            const struct {
                double target;
                int time, dir;
            } events[] = {{-9, kMorningSightsStart, -1},
                          {-3, kMorningSightsEnd, -1},
                          {visible, kVisibleSunrise, -1},
                          {0, kSunrise, -1},
                          {0, kSunset, 1},
                          {visible, kVisibleSunset, 1},
                          {-3, kEveningSightsStart, 1},
                          {-9, kEveningSightsEnd, 1}};
            for (const auto& e : events) {
                const double expected = OracleCrossing(transit, lat, lon, e.target, e.dir);
                if (expected == 0) {
                    EXPECT_EQ(times[e.time], 0.0) << e.time;
                } else {
                    EXPECT_NEAR(times[e.time], expected, 1.5 / 1440.0) << e.time;
                    ++compared;
                }
            }
        }
    }
    EXPECT_GT(compared, 1000);
}

// At 60 N in midsummer the Sun stays above -9 degrees: an expected case,
// so no technical box; the two times become 0 (not available), the other
// seven are still there and the result is true.
TEST(StarSightTwilight, TargetNotReachedInTheSummerNight) {
    RecordingReporter rec;
    TwilightTimes times{};
    times.fill(-1.0);
    ASSERT_TRUE(StarSightTwilight(60.0, 5.0, DateValue(2024, 6, 21), 0.0, times));
    EXPECT_EQ(times[kMorningSightsStart], 0.0);
    EXPECT_EQ(times[kEveningSightsEnd], 0.0);
    for (int i = 1; i < 8; ++i) EXPECT_GT(times[i], 1000.0) << i;
    EXPECT_TRUE(rec.messages.empty());
}

// The midnight Sun: no sunrise, no sunset, nothing written, no message.
TEST(StarSightTwilight, MidnightSunLeavesTimesUntouched) {
    RecordingReporter rec;
    TwilightTimes times;
    times.fill(-12345.0);
    EXPECT_FALSE(StarSightTwilight(70.0, 20.0, DateValue(2024, 6, 21), 10.0, times));
    EXPECT_FALSE(StarSightTwilight(-70.0, 20.0, DateValue(2024, 12, 21), 10.0, times));
    for (double t : times) EXPECT_EQ(t, -12345.0);
    EXPECT_TRUE(rec.messages.empty());
}

TEST(StarSightTwilight, EquinoxOnTheEquator) {
    RecordingReporter rec;
    TwilightTimes times{};
    const double day = DateValue(2024, 3, 20);
    ASSERT_TRUE(StarSightTwilight(0.0, 0.0, day, 0.0, times));
    EXPECT_NEAR(times[kSunset] - times[kSunrise], 0.5, 5.0 / 1440.0);
    EXPECT_NEAR((times[kSunset] + times[kSunrise]) / 2, times[kMeridianPassage], 1.0 / 1440.0);
    EXPECT_LT(times[kVisibleSunrise], times[kSunrise]);
    EXPECT_GT(times[kVisibleSunset], times[kSunset]);
    // The Sun's distance of the last trial time stays in the solver block.
    EXPECT_NEAR(SharedSolverParameters().SolvArg6, 0.996, 0.002);
    EXPECT_TRUE(rec.messages.empty());
}

// ---------------------------------------------------------------- magnitudes

TEST(BodyMagnitude, FixedValues) {
    const double t = DateValue(2024, 5, 1, 3);
    EXPECT_EQ(BodyMagnitude("SUNUPP", t), -26.86);
    EXPECT_EQ(BodyMagnitude("SUNLOW", t), -26.86);
    EXPECT_EQ(BodyMagnitude("MOONLOW", t), -11.0);
    EXPECT_EQ(BodyMagnitude("MOONUPP", t), -11.0);
    EXPECT_EQ(BodyMagnitude("SIRIUS", t), -1.6);
    EXPECT_EQ(BodyMagnitude("sirius", t), 0.0);
    EXPECT_EQ(BodyMagnitude("NOT A BODY", t), 0.0);
    // Phase angle 0 (Sun, Earth and planet in line, r = 2, delta = 0.5,
    // R = 1.5) and r delta = 1.
    EXPECT_NEAR(PlanetMagnitude("MARS", 2, 0.5, 1.5, 0, 0, 0), -1.52, 1e-12);
    EXPECT_NEAR(PlanetMagnitude("JUPITER", 2, 0.5, 1.5, 0, 0, 0), -9.40, 1e-12);
    EXPECT_NEAR(PlanetMagnitude("VENUS", 2, 0.5, 1.5, 0, 0, 0), -4.40, 1e-12);
    // No distances (the planet's series missing): no magnitude, no NaN.
    EXPECT_EQ(PlanetMagnitude("SATURN", 0, 0, 1, 0, 0, 0), 0.0);
    // Saturn seen edge-on to its rings (on the ring plane's node).
    EXPECT_NEAR(PlanetMagnitude("SATURN", 2, 0.5, 1.5, 0, 169.50847, 0), -8.88, 1e-9);
}

// The published formulas (Mars -1.52, Jupiter -9.40, Venus -4.40 with the
// cubic in the phase angle, Saturn -8.88 with the rings' tilt B and the
// difference dU of the Saturnicentric longitudes of Sun and Earth) evaluated
// on ERFA's planetary and Earth positions.
double PublishedMagnitude(int np, double when) {
    const double tt = when + kDateValueToJd - 2451545.0;
    double pvh[2][3], pvb[2][3], pv[2][3];
    eraEpv00(2451545.0, tt, pvh, pvb);
    eraPlan94(2451545.0, tt, np, pv);
    double g[3];
    eraPmp(pv[0], pvh[0], g);  // geocentric planet
    const double r = eraPm(pv[0]), delta = eraPm(g), R = eraPm(pvh[0]);
    const double i = std::acos((r * r + delta * delta - R * R) / (2 * r * delta)) * ERFA_DR2D;
    const double L = 5 * std::log10(r * delta);
    switch (np) {
        case 2:
            return L - 4.40 + 0.0009 * i + 0.000239 * i * i - 0.00000065 * i * i * i;
        case 4:
            return L - 1.52 + 0.016 * i;
        case 5:
            return L - 9.40 + 0.005 * i;
        default:
            break;
    }
    // Saturn: ring pole on the ecliptic of date, from the ring plane's node
    // and inclination; positions turned from the equator of J2000 to the
    // ecliptic of date.
    const double T = tt / 36525.0;
    const double incl = (28.075216 - 0.012998 * T) * ERFA_DD2R;
    const double node = (169.50847 + 1.394681 * T) * ERFA_DD2R;
    double pole[3] = {std::sin(incl) * std::sin(node), -std::sin(incl) * std::cos(node),
                      std::cos(incl)};
    double rm[3][3];
    eraEcm06(2451545.0, tt, rm);  // GCRS -> ecliptic of date
    double toEarth[3], toSun[3], gm[3] = {-g[0], -g[1], -g[2]},
                                 hm[3] = {-pv[0][0], -pv[0][1], -pv[0][2]};
    eraRxp(rm, gm, toEarth);
    eraRxp(rm, hm, toSun);
    const double B = std::asin(eraPdp(pole, toEarth) / eraPm(toEarth));
    auto project = [&](double v[3], double out[3]) {
        const double k = eraPdp(pole, v);
        for (int j = 0; j < 3; ++j) out[j] = v[j] - k * pole[j];
    };
    double pe[3], ps[3];
    project(toEarth, pe);
    project(toSun, ps);
    const double dU = std::acos(eraPdp(pe, ps) / (eraPm(pe) * eraPm(ps))) * ERFA_DR2D;
    return L - 8.88 + 0.044 * dU - 2.60 * std::sin(std::fabs(B)) + 1.25 * std::sin(B) * std::sin(B);
}

TEST(BodyMagnitude, PlanetsAgreeWithThePublishedFormulas) {
    RecordingReporter rec;
    ResetSaturnSeries();
    SetAppPath(testing::SourceDataFolder().string());
    const struct {
        const char* name;
        int np;
    } planets[] = {{"VENUS", 2}, {"MARS", 4}, {"JUPITER", 5}, {"SATURN", 6}};
    for (double when : {DateValue(2003, 8, 28), DateValue(2017, 10, 16, 6), DateValue(2024, 6, 1),
                        DateValue(2032, 1, 10, 18)}) {
        for (const auto& p : planets) {
            EXPECT_NEAR(BodyMagnitude(p.name, when), PublishedMagnitude(p.np, when), 0.3)
                << p.name << " at " << when;
        }
    }
    // Mars at its 2003 opposition was near -2.9.
    EXPECT_NEAR(BodyMagnitude("MARS", DateValue(2003, 8, 28)), -2.9, 0.15);
    SetAppPath("");
    ResetSaturnSeries();
    EXPECT_TRUE(rec.messages.empty());
}

// Without the planetary data file Saturn's place falls back on the Sun's
// direction; its magnitude must still be a number.
TEST(BodyMagnitude, SaturnWithoutItsSeriesIsStillANumber) {
    RecordingReporter rec;
    testing::ScratchFolder empty("twilight_no_planet_dat");
    ResetSaturnSeries();
    SetAppPath(empty.path().string());
    EXPECT_TRUE(std::isfinite(BodyMagnitude("SATURN", DateValue(2024, 6, 1))));
    EXPECT_FALSE(rec.messages.empty());  // the ephemeris reported the missing file
    SetAppPath("");
    ResetSaturnSeries();
}

}  // namespace
}  // namespace orvex
