// Entries typed into every masked field of the star-fix page and of the
// utilities page, each field holding an old value and entered by Tab or by a
// click at the left end, middle or right end of its text: the keys of one
// entry make the new value, no digit of the old one is read with them, and
// the field shows what is stored.
#include <gtest/gtest.h>

#include <map>

#include "grid_test_support.h"
#include "input_fields_support.h"
#include "input_page_widgets.h"
#include "locale_texts.h"
#include "tests/entry_checks.h"

namespace orvex {
namespace {

constexpr double kMin = 1.0 / 60.0;
const char* const kNoLatHemisphere = "A latitude can only be N (North) or S (South).";
const char* const kNoLongHemisphere = "A longitude can only be W (West) or E (East).";

// Where the main window keeps the value of the field named `n`.
double Stored(const WorkbenchState& s, const QString& n) {
    const int i = n.right(1).toInt();
    const std::map<QString, double> v = {{"mskCourse_0", s.CourseInput},
                                         {"mskSpeed", s.SpeedInput},
                                         {"mskHeightM", s.HeightEye},
                                         {"mskHeightF", s.HeightEye / 0.3048},
                                         {"mskInstErr_0", s.InstErr},
                                         {"mskPress_mBars", s.PressMBars},
                                         {"mskPressHg", s.PressHg},
                                         {"mskTempCelcius_0", s.TempAirC},
                                         {"mskTempCelcius_1", s.TempWaterC},
                                         {"mskTempFahr_0", s.TempAirF},
                                         {"mskTempFahr_1", s.TempWaterF},
                                         {"mskCourse_1", s.Utilities.RLCourse},
                                         {"mskDist", s.Utilities.RLDist},
                                         {"mskDTG", s.Utilities.EtaDist},
                                         {"mskMinSpeed", s.Utilities.MinSpeed},
                                         {"mskMaxSpeed", s.Utilities.MaxSpeed},
                                         {"mskInterv", s.Utilities.SpeedInterv}};
    if (n.startsWith("mskLat_")) return s.Lat(i + 1);
    if (n.startsWith("mskLong_")) return s.Long(i + 1);
    return v.at(n);
}

struct TypedFields : ::testing::Test, test::GridWindow {
    void Check(const std::vector<test::FieldEntry>& entries) {
        test::CheckFieldEntries(
            w.get(), entries, [&](const QString& n) { return Stored(w->State(), n); }, script,
            [](const QString& t) { return test::ShownNumbers(t); });
    }
};

// Guards the star-fix page: "-1.5" typed after a click into -01.20 left
// -01.20, "+0.5" gave +01.20 and "2" "201.2_"; "-5" into 17 °C gave -50 °C
// and "14" 140; "8" into the speed 011.5 gave 081.5.
TEST_F(TypedFields, StarFixPage) {
    test::TabSet(*w, "tabIn")->setCurrentIndex(0);
    Check({{"mskLat_5", "38°30'.0 N", "41100n", "41°10'.0 N", 41 + 10 * kMin},
           {"mskLat_5", "38°30'.0 N", "4110", "", 0, kNoLatHemisphere},
           {"mskLong_5", "031°20'.0 W", "0051230e", "005°12'.3 E", 5 + 12.3 * kMin},
           {"mskLong_5", "031°20'.0 W", "512", "", 0, kNoLongHemisphere},
           {"mskCourse_0", "235°.0", "45", "045°.0", 45},
           {"mskCourse_0", "235°.0", "1234", "123°.4", 123.4},
           {"mskSpeed", "011.5", "8", "008.0", 8},
           {"mskSpeed", "011.5", "12.5", "_12.5", 12.5},
           {"mskSpeed", "011.5", "105.0", "105.0", 105}});
    EnterEverything();
    test::TabSet(*w, "tabIn")->setCurrentIndex(1);
    Check({{"mskHeightM", "14.0", "2", "02.0", 2},
           {"mskHeightM", "14.0", "12.5", "12.5", 12.5},
           {"mskHeightF", "045.9", "8", "008.0", 8},
           {"mskHeightF", "045.9", "32.8", "_32.8", 32.8},
           {"mskInstErr_0", "-01.20", "-1.5", "-01.50", -1.5},
           {"mskInstErr_0", "-01.20", "+0.5", "+00.50", 0.5},
           {"mskInstErr_0", "-01.20", "2", "+02.00", 2},
           {"mskInstErr_0", "-01.20", "+1234", "+12.34", 12.34},
           {"mskPress_mBars", "1021", "990", "0990", 990},
           {"mskPress_mBars", "1021", "1013", "1013", 1013},
           {"mskPressHg", "30.15", "30", "30.00", 30},
           {"mskPressHg", "30.15", "29.92", "29.92", 29.92},
           {"mskTempCelcius_0", "_17", "-5", "_-5", -5},
           {"mskTempCelcius_0", "_17", "14", "_14", 14},
           {"mskTempCelcius_0", "_17", "-15", "-15", -15},
           {"mskTempCelcius_1", "_18", "9", "__9", 9},
           {"mskTempFahr_0", "_63", "5", "__5", 5},
           {"mskTempFahr_0", "_63", "-40", "-40", -40},
           {"mskTempFahr_1", "_64", "72", "_72", 72}});
}

// Guards the grid's altitude and correction editors, opened by space on a
// committed cell and clicked at either end or in the middle.
TEST_F(TypedFields, GridEditors) {
    PutRow(1, "8 Dec 2026 19:22:00", "VEGA", "46°23'.8", "-01.20");
    auto* grid = test::InputNamed<ObservationGrid>(*w, "grdObs");
    const struct {
        int col;
        const char* keys;
        const char* cell;
    } entries[] = {{2, "45", "45°00'.0"}, {2, "4530", "45°30'.0"}, {3, "-1.5", "-01.50"},
                   {3, "+0.5", "+00.50"}, {3, "2", "+02.00"},      {3, "0120", "+01.20"}};
    for (const auto& e : entries)
        for (test::Place place :
             {test::Place::LeftEnd, test::Place::Middle, test::Place::RightEnd}) {
            SCOPED_TRACE(std::string(e.keys) + " at place " + std::to_string(int(place)));
            PutRow(1, "8 Dec 2026 19:22:00", "VEGA", "46°23'.8", "-01.20");
            grid->SetCurrentCell(1, e.col);
            grid->setFocus();
            test::Type(" ");
            test::Click(QApplication::focusWidget(), place);
            test::Type(e.keys);
            test::Tab();
            EXPECT_EQ(grid->TextMatrix(1, e.col), test::ShownNumbers(QString(e.cell)));
        }
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
}

// Guards the utilities page: its positions, course, distances, speeds and
// interval.
TEST_F(TypedFields, UtilitiesPage) {
    test::RunAction(*w, "mnuUtilRL");
    Check({{"mskLat_0", "12°34'.5 N", "41100n", "41°10'.0 N", 41 + 10 * kMin},
           {"mskLat_0", "12°34'.5 N", "4110", "", 0, kNoLatHemisphere},
           {"mskLong_0", "012°34'.5 E", "0051230w", "005°12'.3 W", -(5 + 12.3 * kMin)},
           {"mskLong_0", "012°34'.5 E", "512", "", 0, kNoLongHemisphere},
           {"mskLat_1", "20°00'.0 S", "01015s", "01°01'.5 S", -(1 + 1.5 * kMin)},
           {"mskLong_1", "020°00'.0 W", "1791000e", "179°10'.0 E", 179 + 10 * kMin},
           {"mskCourse_1", "090°.0", "45", "045°.0", 45},
           {"mskCourse_1", "090°.0", "1234", "123°.4", 123.4},
           {"mskDist", "00120.00", "12.5", "00012.50", 12.5},
           {"mskDist", "00120.00", "0012345", "00123.45", 123.45}});
    test::TabSet(*w, "tabUtil")->setCurrentIndex(1);
    Check({{"mskLat_2", "12°34'.5 N", "41100n", "41°10'.0 N", 41 + 10 * kMin},
           {"mskLong_2", "012°34'.5 E", "512", "", 0, kNoLongHemisphere},
           {"mskLat_3", "12°34'.5 N", "4110", "", 0, kNoLatHemisphere},
           {"mskLong_3", "012°34'.5 E", "0051230w", "005°12'.3 W", -(5 + 12.3 * kMin)},
           {"mskLat_4", "60°00'", "5", "05°00'", 5},
           {"mskLat_4", "60°00'", "6530", "65°30'", 65.5},
           {"mskLong_4", "05°30'", "2", "20°00'", 20},
           {"mskLong_4", "05°30'", "125", "12°50'", 12 + 50 * kMin}});
    test::TabSet(*w, "tabUtil")->setCurrentIndex(2);
    Check({{"mskDTG", "00120.00", "12.5", "00012.50", 12.5},
           {"mskDTG", "00120.00", "0012345", "00123.45", 123.45},
           {"mskMinSpeed", "_10.0", "8", "__8.0", 8},
           {"mskMinSpeed", "_10.0", "0125", "_12.5", 12.5},
           {"mskMaxSpeed", "_24.0", "30", "_30.0", 30},
           {"mskMaxSpeed", "_24.0", "0400", "_40.0", 40},
           {"mskInterv", "_0.50", "2", "_2.00", 2},
           {"mskInterv", "_0.50", "0150", "_1.50", 1.5}});
}

}  // namespace
}  // namespace orvex
