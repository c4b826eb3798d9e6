// The fixed lists and the input masks of the main window, checked against
// the published ellipsoid parameters and the text rules the other windows
// rely on.
#include "inputs/main_lists.h"

#include <gtest/gtest.h>

#include <GeographicLib/Constants.hpp>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "ephemeris/ephemeris.h"
#include "ephemeris/star_catalogue.h"
#include "navlib/number_format.h"
#include "navlib/rhumb_line.h"
#include "tests/locale_switch.h"
#include "workbench/core/input_masks.h"

namespace orvex {
namespace {

// The axis in nautical miles each row must give (the catalogue's column).
const double kAxisNm[20] = {3443.6087451, 3443.9308855, 3443.5189822, 3443.9559395, 3443.9790200,
                            3443.4537501, 3443.9184665, 3443.9902808, 3444.0539957, 3443.9767819,
                            3443.9341253, 3443.4882230, 3443.4687165, 3443.9254860, 3443.9295356,
                            3437.7467705, 3443.9281857, 3443.9227862, 3443.9173866, 3443.9184665};

// A number written with a point, read without the C library's locale.
double PointNumber(const std::string& text) {
    double v = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

// Every row read back through the selection handler's decoding, with both
// separators: a separator mix-up or a wrong ItemData gives a wrong Earth
// model for every sailing and fix.
TEST(EllipsoidList, EveryRowDecodesToItsFlatteningAndAxis) {
    ASSERT_EQ(EllipsoidRows().size(), 20u);
    for (const std::string sep : {".", ","}) {
        for (size_t i = 0; i < 20; ++i) {
            const EllipsoidRow& row = EllipsoidRows()[i];
            const std::string text = EllipsoidRowText(row, sep);
            bool sphere = false;
            const EarthModel e =
                EarthModelFromEllipsoidRow(text, row.ItemData, sep, EarthModel{}, &sphere);
            EXPECT_NEAR(e.SemiMajorAxis, kAxisNm[i], 5e-8) << text;
            if (i == kSphereEllipsoidRow) {
                EXPECT_TRUE(sphere);
                EXPECT_EQ(text, "Normal Sphere - 0");
                EXPECT_EQ(e.InvFlattening, 1e100);
                EXPECT_TRUE(e.IsSphere());
                continue;
            }
            EXPECT_FALSE(sphere);
            // The last 16 characters are the inverse flattening.
            const std::string tail = text.substr(text.size() - 16);
            EXPECT_EQ(tail.substr(3, 1), sep) << text;
            const std::string expected =
                std::string(row.NamePart).substr(std::string(row.NamePart).size() - 3) + "." +
                row.Decimals;
            EXPECT_DOUBLE_EQ(e.InvFlattening, PointNumber(expected)) << text;
            EXPECT_GT(e.InvFlattening, 293.0);
            EXPECT_LT(e.InvFlattening, 301.0);
        }
    }
}

// WGS 1984 and GRS 1980 against GeographicLib's published constants: a
// digit lost in the table would shift every ellipsoidal distance.
TEST(EllipsoidList, Wgs84AndGrs80MatchThePublishedConstants) {
    const auto& wgs = EllipsoidRows()[kWgs84EllipsoidRow];
    const EarthModel e =
        EarthModelFromEllipsoidRow(EllipsoidRowText(wgs, "."), wgs.ItemData, ".", {});
    EXPECT_EQ(EllipsoidRowText(wgs, "."), "WGS 1984 - 1/298.257223560493");
    // The catalogue carries the value to twelve decimals of its own rounding.
    EXPECT_NEAR(e.InvFlattening, 1.0 / GeographicLib::Constants::WGS84_f(), 1e-8);
    EXPECT_DOUBLE_EQ(e.InvFlattening, 298.257223560493);
    EXPECT_DOUBLE_EQ(e.SemiMajorAxis, 6378137.0 / 1852.0);
    const auto& grs = EllipsoidRows()[6];
    const EarthModel g =
        EarthModelFromEllipsoidRow(EllipsoidRowText(grs, ","), grs.ItemData, ",", {});
    // GRS 80 defines 1/f = 298.257222101 (derived from J2).
    EXPECT_NEAR(g.InvFlattening, 298.257222101, 1e-8);
    EXPECT_DOUBLE_EQ(g.SemiMajorAxis * 1852.0, GeographicLib::Constants::GRS80_a());
    // The sphere's radius: one nautical mile per minute of arc.
    const auto& sph = EllipsoidRows()[kSphereEllipsoidRow];
    EXPECT_NEAR((sph.ItemData / 10000.0 + 6300000.0), 1852.0 * 10800.0 / M_PI, 1e-3);
}

// The model handed to the sailing page from a row's own number is the one
// the shown text gives under either separator, and its name is the text
// before " - " (the report prints it, so no trailing blank).
TEST(EllipsoidList, ModelAndNameOfEachRow) {
    for (const EllipsoidRow& row : EllipsoidRows()) {
        const std::string text = EllipsoidRowText(row, ",");
        const EarthModel shown = EarthModelFromEllipsoidRow(text, row.ItemData, ",", {});
        const EarthModel e = EarthModelOf(row);
        EXPECT_EQ(e.InvFlattening, shown.InvFlattening) << text;
        EXPECT_EQ(e.SemiMajorAxis, shown.SemiMajorAxis) << text;
        EXPECT_EQ(EllipsoidNameOf(row) + " - ", text.substr(0, text.rfind(" - ") + 3)) << text;
        EXPECT_NE(EllipsoidNameOf(row).back(), ' ') << text;
    }
    EXPECT_EQ(EllipsoidNameOf(EllipsoidRows()[kSphereEllipsoidRow]), "Normal Sphere");
}

// A damaged row text must not put NaN into the Earth model.
TEST(EllipsoidList, UnreadableTextKeepsThePreviousFlattening) {
    EarthModel prev;
    prev.InvFlattening = 297.0;
    const EarthModel e = EarthModelFromEllipsoidRow("short", 781370000, ".", prev);
    EXPECT_EQ(e.InvFlattening, 297.0);
    const EarthModel f =
        EarthModelFromEllipsoidRow("WGS 1984 - 1/298x257223560493", 781370000, ".", prev);
    EXPECT_EQ(f.InvFlattening, 297.0);
}

// The program runs with the user's LC_NUMERIC. Reading a row through strtod
// once stopped at the point under de_DE and kept the previous row's
// flattening: Clarke 1866 computed as WGS 84, and after the sphere every row
// stayed a sphere, so 0 to 60 N by rhumb line showed 3600,00 miles, not
// 3592,95. Each row is chosen after the sphere, as a user switching lists.
TEST(EllipsoidList, ReadAlikeUnderDecimalCommaLocales) {
    auto chooseEach = [](const std::string& sep) {
        std::vector<EarthModel> models;
        for (const EllipsoidRow& row : EllipsoidRows()) {
            const auto& sph = EllipsoidRows()[kSphereEllipsoidRow];
            const EarthModel sphere = EarthModelFromEllipsoidRow(EllipsoidRowText(sph, sep),
                                                                 sph.ItemData, sep, EarthModel{});
            models.push_back(
                EarthModelFromEllipsoidRow(EllipsoidRowText(row, sep), row.ItemData, sep, sphere));
        }
        return models;
    };
    auto rhumbMiles = [](const EarthModel& e) {
        double course = 0, miles = 0;
        RhumbLineInverse(0, 0, 60, 0, course, miles, e);
        return miles;
    };
    const std::vector<EarthModel> inC = chooseEach(".");
    ASSERT_EQ(FormatNumber(rhumbMiles(inC[kWgs84EllipsoidRow]), "00000.00"), "03592.95");
    EXPECT_EQ(inC[3].InvFlattening, PointNumber("294.978698213901"));  // Clarke 1866
    for (const char* name : test::kCommaLocales) {
        test::LocaleSwitch locale(name);
        if (!locale.Installed()) GTEST_SKIP() << name << " is not installed";
        for (const std::string sep : {",", "."}) {
            const std::vector<EarthModel> here = chooseEach(sep);
            for (size_t i = 0; i < here.size(); ++i) {
                EXPECT_EQ(here[i].InvFlattening, inC[i].InvFlattening) << name << " row " << i;
                EXPECT_EQ(here[i].SemiMajorAxis, inC[i].SemiMajorAxis) << name << " row " << i;
            }
            EXPECT_EQ(FormatNumber(rhumbMiles(here[kWgs84EllipsoidRow]), "00000.00", sep),
                      "03592" + sep + "95")
                << name;
        }
    }
}

TEST(TimeZoneList, FortyRowsFromPlus14ToMinus12WithGmtAt24) {
    const auto& rows = TimeZoneRows();
    ASSERT_EQ(rows.size(), 40u);
    EXPECT_STREQ(rows.front().Label, "GMT +14");
    EXPECT_STREQ(rows.back().Label, "GMT -12");
    EXPECT_STREQ(rows[kGmtTimeZoneRow].Label, "GMT");
    EXPECT_EQ(rows[kGmtTimeZoneRow].ItemData, 0);
    // Offsets fall strictly from east to west, and each label's whole hours
    // agree with its ItemData (a swapped row would give a wrong ETA zone).
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) {
            EXPECT_LT(rows[i].ItemData, rows[i - 1].ItemData);
        }
        const std::string label = rows[i].Label;
        if (label == "GMT") continue;
        const int hours = std::stoi(label.substr(4, 3));
        EXPECT_EQ(hours, rows[i].ItemData / 100) << label;
        const int fraction = std::abs(rows[i].ItemData % 100);
        const bool hasFraction = label.find('/') != std::string::npos;
        EXPECT_EQ(hasFraction, fraction != 0) << label;
        if (label.find("1/2") != std::string::npos) {
            EXPECT_EQ(fraction, 50);
        }
        if (label.find("3/4") != std::string::npos) {
            EXPECT_EQ(fraction, 75);
        }
    }
}

// The grid finds bodies by binary search: the list must be in ascending
// character-code order and hold the 66 names once each: the catalogue's 58
// stars as the catalogue spells them, and the eight limbs and planets.
TEST(BodyNames, SixtySixNamesInCharacterCodeOrder) {
    const auto& names = BodyNames();
    ASSERT_EQ(names.size(), 66u);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
    std::vector<std::string> bodies = {"SUNLOW", "SUNUPP", "MOONLOW", "MOONUPP",
                                       "VENUS",  "MARS",   "JUPITER", "SATURN"};
    for (const CatalogueStar& star : kStarCatalogue) bodies.emplace_back(star.name);
    for (const std::string& b : bodies)
        EXPECT_TRUE(std::binary_search(names.begin(), names.end(), b)) << b;
}

// Every mask that holds a separator must carry the user's, and the design
// masks none; a point left in a comma locale makes every entry unreadable.
TEST(InputMasks, SeparatorFollowsTheLocale) {
    for (const std::string sep : {".", ","}) {
        const auto masks = StartMasks(sep);
        auto last = [&](const std::string& field, int index) {
            std::string m;
            for (const auto& a : masks)
                if (a.Field == field && a.Index == index) m = a.Mask;
            return m;
        };
        EXPECT_EQ(last("mskLat", 0), "9#°##'" + sep + "# ?");
        EXPECT_EQ(last("mskLat", 5), "9#°##'" + sep + "# ?");
        EXPECT_EQ(last("mskLat", 4), "9#°##'");
        EXPECT_EQ(last("mskLong", 3), "99#°##'" + sep + "# ?");
        EXPECT_EQ(last("mskLong", 4), "9#°#0'");
        EXPECT_EQ(last("mskCourse", 1), "99#°" + sep + "#");
        EXPECT_EQ(last("mskInstErr", 1), "+9#" + sep + "##");
        EXPECT_EQ(last("mskHeightInst", -1), "9#°##'" + sep + "#");
        EXPECT_EQ(last("mskSpeed", -1), "###" + sep + "#");
        EXPECT_EQ(last("mskHeightF", -1), "###" + sep + "#");
        EXPECT_EQ(last("mskHeightM", -1), "##" + sep + "#");
        EXPECT_EQ(last("mskPressHg", -1), "##" + sep + "##");
        EXPECT_EQ(last("mskDist", -1), "#####" + sep + "##");
        EXPECT_EQ(last("mskDTG", -1), "#####" + sep + "##");
        EXPECT_EQ(last("mskInterv", -1), "##" + sep + "##");
        EXPECT_EQ(last("mskMinSpeed", -1), "###" + sep + "#");
        EXPECT_EQ(last("mskMaxSpeed", -1), "###" + sep + "#");
        EXPECT_EQ(last("mskPress_mBars", -1), "####");
        EXPECT_EQ(last("mskTempCelcius", 1), "&&#");
        EXPECT_EQ(last("mskTempFahr", 0), "&&#");
        EXPECT_EQ(BlankLatitudeText(sep), "__°__'" + sep + "_ _");
        EXPECT_EQ(BlankLongitudeText(sep), "___°__'" + sep + "_ _");
    }
}

}  // namespace
}  // namespace orvex
