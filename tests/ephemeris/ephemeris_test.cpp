// The ephemeris entry: the body list, the dispatch of every name, the
// reading of the instant, and Saturn's file failures as a caller sees them.
#include "ephemeris/ephemeris.h"

#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "ephemeris/moon.h"
#include "ephemeris/planets.h"
#include "ephemeris/saturn_series.h"
#include "ephemeris/star_catalogue.h"
#include "ephemeris/stars.h"
#include "ephemeris/sun.h"
#include "ephemeris/time_argument.h"
#include "erfa_instant.h"
#include "navlib/app_path.h"
#include "navlib/hooks.h"
#include "saturn_folder.h"
#include "test_data_files.h"

namespace orvex {
namespace {

using testing::DateValue;
using testing::SaturnFolder;

constexpr double kUntouched = -12345.0;

// The list every body choice shows: 66 names, the catalogue's 58 and the
// eight others, in strict character-code order (the grid's binary search
// finds nothing in a list out of order).
TEST(BodyNames, HoldsTheSixtySixNamesInCharacterCodeOrder) {
    const auto& names = BodyNames();
    ASSERT_EQ(names.size(), 66u);
    for (std::size_t i = 1; i < names.size(); ++i) EXPECT_LT(names[i - 1], names[i]) << "at " << i;
    std::set<std::string> expected = {"SUNLOW", "SUNUPP", "MOONLOW", "MOONUPP",
                                      "VENUS",  "MARS",   "JUPITER", "SATURN"};
    for (const auto& s : kStarCatalogue) expected.insert(s.name);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), expected);
    EXPECT_EQ(names.front(), "ACAMAR");
    EXPECT_EQ(names[35], "KAUS AUST");
    EXPECT_EQ(names.back(), "ZUBEN'UBI");
}

// Every name gives a finite place in range at instants across the years;
// the distance tells which routine answered, and only planets write the
// three further values.
TEST(ComputeEphemeris, EveryBodyNameGivesAPlace) {
    SaturnFolder folder(testing::SourceDataFolder());
    RecordingReporter rec;
    const double instants[] = {DateValue(1990, 1, 1), DateValue(2003, 7, 14, 3, 25, 41),
                               DateValue(2024, 2, 29, 23, 59, 59), DateValue(2040, 12, 31, 12)};
    for (double when : instants) {
        for (const auto& name : BodyNames()) {
            EphemerisResult r;
            r.extra1 = r.extra2 = r.extra3 = kUntouched;
            ComputeEphemeris(name, when, r);
            SCOPED_TRACE(name);
            ASSERT_TRUE(std::isfinite(r.gha) && std::isfinite(r.dec) && std::isfinite(r.dist));
            EXPECT_GE(r.gha, 0.0);
            EXPECT_LT(r.gha, 360.0);
            EXPECT_LE(std::fabs(r.dec), 90.0);
            const bool planet =
                name == "VENUS" || name == "MARS" || name == "JUPITER" || name == "SATURN";
            if (planet) {
                EXPECT_GT(r.dist, 0.2);
                EXPECT_LT(r.dist, 11.1);
                EXPECT_GT(r.extra1, 0.7);
                EXPECT_LT(r.extra1, 10.1);
                EXPECT_LE(std::fabs(r.extra2), 10.0);
                EXPECT_GE(r.extra3, 0.0);
                EXPECT_LT(r.extra3, 360.0);
            } else {
                EXPECT_EQ(r.extra1, kUntouched);
                EXPECT_EQ(r.extra2, kUntouched);
                EXPECT_EQ(r.extra3, kUntouched);
                if (name.rfind("SUN", 0) == 0) {
                    EXPECT_NEAR(r.dist, 1.0, 0.02);
                } else if (name.rfind("MOON", 0) == 0) {
                    EXPECT_NEAR(r.dist, 0.00257, 0.00015);
                } else {
                    EXPECT_EQ(r.dist, 272000.0);
                }
            }
        }
    }
    EXPECT_TRUE(rec.messages.empty());
}

// The dispatch hands each name to its own routine with the T of the
// instant: the results equal the body routines' bit for bit, and the two
// limbs of the Sun and of the Moon give the same centre.
TEST(ComputeEphemeris, DispatchesToTheBodyRoutines) {
    SaturnFolder folder(testing::SourceDataFolder());
    const double when = DateValue(2019, 11, 3, 17, 42, 9);
    const double T = JulianCenturiesJ2000(3, 11, 2019, 17 + 42 / 60.0 + 9 / 3600.0);
    EXPECT_EQ(EphemerisTimeArgument(when), T);
    for (const auto& name : BodyNames()) {
        EphemerisResult r;
        ComputeEphemeris(name, when, r);
        double g = 0, d = 0, x = 0;
        if (name == "SUNLOW" || name == "SUNUPP") {
            SunEphemeris(T, g, d, x);
        } else if (name == "MOONLOW" || name == "MOONUPP") {
            MoonEphemeris(T, g, d, x);
        } else if (name == "VENUS" || name == "MARS" || name == "JUPITER" || name == "SATURN") {
            PlanetPlace p;
            PlanetEphemeris(name, T, p);
            g = p.gha;
            d = p.dec;
            x = p.delta;
            EXPECT_EQ(r.extra1, p.r) << name;
            EXPECT_EQ(r.extra2, p.beta) << name;
            EXPECT_EQ(r.extra3, p.lambda) << name;
        } else {
            StarEphemeris(name, T, g, d);
            x = 272000.0;
        }
        EXPECT_EQ(r.gha, g) << name;
        EXPECT_EQ(r.dec, d) << name;
        EXPECT_EQ(r.dist, x) << name;
    }
    EphemerisResult a, b;
    ComputeEphemeris("SUNLOW", when, a);
    ComputeEphemeris("SUNUPP", when, b);
    EXPECT_EQ(a.gha, b.gha);
    EXPECT_EQ(a.dec, b.dec);
    ComputeEphemeris("MOONLOW", when, a);
    ComputeEphemeris("MOONUPP", when, b);
    EXPECT_EQ(a.gha, b.gha);
    EXPECT_EQ(a.dec, b.dec);
    EXPECT_EQ(a.dist, b.dist);
}

// Names are compared exactly: lower case, blanks, empty or unknown names
// take the star path without a message and give the apparent place of
// right ascension 0, declination 0 (J2000.0) at distance 272000, leaving
// the further values as they were.
TEST(ComputeEphemeris, OtherNamesTakeTheStarPathSilently) {
    RecordingReporter rec;
    const double when = DateValue(2011, 5, 6, 7, 8, 9);
    const double T = EphemerisTimeArgument(when);
    double g0 = 0, d0 = 0;
    StarEphemeris("", T, g0, d0);
    // The same point from ERFA: the ICRS origin, apparent for the instant.
    double ri = 0, di = 0, eo = 0;
    eraAtci13(0.0, 0.0, 0.0, 0.0, 0.0, 0.0, ERFA_DJ00, T * ERFA_DJC, &ri, &di, &eo);
    const double egha =
        eraAnp(eraGst06a(ERFA_DJ00, T * ERFA_DJC, ERFA_DJ00, T * ERFA_DJC) - eraAnp(ri - eo)) *
        ERFA_DR2D;
    EXPECT_NEAR(std::remainder(g0 - egha, 360.0) * 60.0, 0.0, 0.1);
    EXPECT_NEAR((d0 - di * ERFA_DR2D) * 60.0, 0.0, 0.1);
    for (const char* name : {"sirius", "venus", "sunlow", "moonupp", "Saturn", "", "XYZ", " VEGA",
                             "VEGA ", "SUN", "MOON"}) {
        double gha = 0, dec = 0, dist = 0, e1 = kUntouched, e2 = kUntouched, e3 = kUntouched;
        ComputeEphemeris(name, when, gha, dec, dist, e1, e2, e3);
        EXPECT_EQ(gha, g0) << name;
        EXPECT_EQ(dec, d0) << name;
        EXPECT_EQ(dist, 272000.0) << name;
        EXPECT_EQ(e1, kUntouched);
        EXPECT_EQ(e2, kUntouched);
        EXPECT_EQ(e3, kUntouched);
    }
    EXPECT_TRUE(rec.messages.empty());
}

// The instant is read to the whole second: midnight is 0 h, a fraction of a
// second below one half changes nothing, and rounding up at the last half
// second of a day moves to 0 h of the next day, across a month and a year.
TEST(EphemerisInstant, ReadsTheCalendarDateAndWholeSeconds) {
    EphemerisInstant t = SplitEphemerisInstant(DateValue(2000, 1, 1, 12));
    EXPECT_EQ(t.day, 1);
    EXPECT_EQ(t.month, 1);
    EXPECT_EQ(t.year, 2000);
    EXPECT_EQ(t.hours, 12.0);
    EXPECT_EQ(EphemerisTimeArgument(DateValue(2000, 1, 1, 12)), 0.0);

    t = SplitEphemerisInstant(DateValue(1987, 4, 10));
    EXPECT_EQ(t.day, 10);
    EXPECT_EQ(t.month, 4);
    EXPECT_EQ(t.year, 1987);
    EXPECT_EQ(t.hours, 0.0);

    const double base = DateValue(2016, 2, 29, 18, 30, 15);
    const double T0 = EphemerisTimeArgument(base);
    EXPECT_EQ(EphemerisTimeArgument(base + 0.3 / 86400.0), T0);
    EXPECT_EQ(EphemerisTimeArgument(base - 0.3 / 86400.0), T0);
    EXPECT_EQ(EphemerisTimeArgument(base + 0.7 / 86400.0),
              JulianCenturiesJ2000(29, 2, 2016, 18.5 + 16 / 3600.0));

    t = SplitEphemerisInstant(DateValue(2024, 12, 31, 23, 59, 59.8));
    EXPECT_EQ(t.day, 1);
    EXPECT_EQ(t.month, 1);
    EXPECT_EQ(t.year, 2025);
    EXPECT_EQ(t.hours, 0.0);
}

// The time argument from a date-time value equals ERFA's Julian date
// (UT) for instants spread over two centuries, to the whole second.
TEST(EphemerisInstant, TimeArgumentMatchesErfaCalendar) {
    for (int y = 1901; y <= 2099; y += 7) {
        for (int m = 1; m <= 12; m += 5) {
            const int d = 1 + (y * m) % 28;
            const int h = (y + m) % 24, mi = (y * 7) % 60, s = (m * 13) % 60;
            double djm0 = 0, djm = 0;
            ASSERT_EQ(eraCal2jd(y, m, d, &djm0, &djm), 0);
            const double T =
                (djm0 - ERFA_DJ00 + djm + (h * 3600.0 + mi * 60.0 + s) / 86400.0) / ERFA_DJC;
            EXPECT_NEAR(EphemerisTimeArgument(DateValue(y, m, d, h, mi, s)), T, 1e-13)
                << y << "-" << m << "-" << d;
        }
    }
}

// Instants the date type cannot hold do not crash or give NaN.
TEST(EphemerisInstant, OutOfRangeValuesStayFinite) {
    for (double when : {std::nan(""), 1e300, -1e300, -657435.0, 2958466.5}) {
        EphemerisResult r;
        ComputeEphemeris("SIRIUS", when, r);
        EXPECT_TRUE(std::isfinite(r.gha));
        EXPECT_TRUE(std::isfinite(r.dec));
    }
    const EphemerisInstant early = SplitEphemerisInstant(-1.25);  // 1899-12-29, 06:00
    EXPECT_EQ(early.year, 1899);
    EXPECT_EQ(early.month, 12);
    EXPECT_EQ(early.day, 29);
    EXPECT_EQ(early.hours, 6.0);
}

// Saturn's file failures through the entry: the message through the
// reporter, a finite place (the Sun's direction), and a fresh attempt on
// the next call, which succeeds once the file is good.
TEST(ComputeEphemeris, SaturnFileFailuresAreReportedAndRetried) {
    testing::ScratchFolder dir("entry_saturn");
    SaturnFolder folder(dir.path());
    const std::string path = (dir.path() / "Planet.dat").string();
    const auto good = testing::ReadAllBytes(testing::SourceDataFolder() / "Planet.dat");
    const double when = DateValue(2030, 8, 1, 4);

    auto corrupted = good;
    corrupted[5000 * 8 + 7] = 0xff;  // exponent all ones: NaN
    corrupted[5000 * 8 + 6] = 0xff;
    const std::vector<std::vector<unsigned char>> bad = {
        {}, std::vector<unsigned char>(good.begin(), good.begin() + 40000), corrupted};
    const char* expectedTail[] = {"Error 53: File not found", "Error 62: Input past end of file",
                                  "Error 62: Input past end of file",
                                  "Error 321: Invalid file format"};
    for (int k = -1; k < 3; ++k) {
        if (k >= 0) testing::WriteAllBytes(path, bad[k]);  // k = -1: no file at all
        RecordingReporter rec;
        EphemerisResult r;
        ComputeEphemeris("SATURN", when, r);
        ASSERT_EQ(rec.messages.size(), 2u) << k;
        const std::string tail = expectedTail[k + 1];
        const std::string& text = rec.messages[0].text;
        EXPECT_EQ(text.substr(text.size() - tail.size()), tail) << k;
        EXPECT_EQ(text.rfind("An error occured during file access:\r\n" + path + ".\r\n", 0), 0u);
        EXPECT_TRUE(std::isfinite(r.gha) && std::isfinite(r.dec) && std::isfinite(r.dist));
        EphemerisResult sun;
        ComputeEphemeris("SUNLOW", when, sun);
        EXPECT_NEAR(std::remainder(r.gha - sun.gha, 360.0) * 60.0, 0.0, 0.05);
        // The next call tries again.
        ComputeEphemeris("SATURN", when, r);
        EXPECT_EQ(rec.messages.size(), 4u) << k;
    }
    testing::WriteAllBytes(path, good);
    RecordingReporter rec;
    EphemerisResult r;
    ComputeEphemeris("SATURN", when, r);
    EXPECT_TRUE(rec.messages.empty());
    EXPECT_GT(r.dist, 8.0);
}

}  // namespace
}  // namespace orvex
