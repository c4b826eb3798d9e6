// The utilities page refusing what it cannot solve, typed as a navigator
// types: a rhumb line with no solution, a route to the same place, a limit
// below the route, and what each refusal leaves on screen.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <cmath>

#include "charts/print_lib.h"
#include "navlib/inout_lib.h"
#include "navlib/number_format.h"
#include "sailing/great_circle_report_box.h"
#include "tests/keyboard.h"
#include "utilities_driver.h"

namespace orvex {
namespace {

using test::UtilitiesDriver;

// Types a departure of 45°N 10°W, a course of 045 and an arrival on the
// same parallel: a problem the rhumb-line routine refuses.
void TypeSameLatitudes(UtilitiesDriver& p) {
    p.TypeAndTab("mskLat_0", "45000n");
    p.TypeAndTab("mskLong_0", "010000w");
    p.TypeAndTab("mskCourse_1", "0450");
    p.TypeAndTab("mskLat_1", "45000n");
}

// Guards a refusal shown as a result: after "no solution" the result
// fields stay empty instead of showing the routine's neutral zeros.
TEST(UtilitiesTyped, RefusedRhumbLineShowsNoResult) {
    UtilitiesDriver p;
    TypeSameLatitudes(p);
    ASSERT_EQ(p.script.messages.size(), 1u);
    EXPECT_TRUE(p.script.messages[0].text.startsWith(
        "You have entered 2 same latitudes and a course which is neither E nor W."));
    EXPECT_TRUE(p.Field("mskLong_1")->IsEmptyEntry()) << p.Shown("mskLong_1").toStdString();
    EXPECT_TRUE(p.Field("mskDist")->IsEmptyEntry()) << p.Shown("mskDist").toStdString();
    EXPECT_NE(p.Field("mskDist")->BackColor(), kComputedYellow);
}

// Guards one message per click: Compute on a refused rhumb line ran the
// computation twice and showed the routine's refusal twice.
TEST(UtilitiesTyped, OneComputeClickOneRefusal) {
    UtilitiesDriver p;
    TypeSameLatitudes(p);
    for (int click = 0; click < 2; ++click) {
        p.script.Clear();
        p.Click("cmdCompute_0");
        EXPECT_EQ(p.script.messages.size(), 1u) << click;
    }
}

// Guards the equality check of the great-circle Compute button, which
// compared the positions exactly: the same place written twice (the 180th
// meridian east and west, a pole with two longitudes) is refused like an
// identical one instead of giving a route of courses 270/270.
TEST(UtilitiesTyped, SamePlaceWrittenTwiceIsRefused) {
    const char* cases[][4] = {{"50000n", "180000e", "50000n", "180000w"},
                              {"90000n", "010000w", "90000n", "045000e"}};
    for (const auto& c : cases) {
        UtilitiesDriver p("mnuUtilGC");
        p.TypeGreatCircle(c[0], c[1], c[2], c[3]);
        p.Click("cmdCompute_1");
        ASSERT_EQ(p.script.messages.size(), 1u) << c[1] << " " << c[3];
        EXPECT_EQ(p.script.messages[0].title, " Departure = Arrival ?");
        EXPECT_FALSE(p.Named("rtfCalcWP")->isVisible());
    }
}

// Types a route from 35°S 20°E to 38°S 145°E limited to 40°S and computes
// it: a composite sailing.
void ComputeSouthernComposite(UtilitiesDriver& p) {
    p.TypeGreatCircle("35000s", "020000e", "38000s", "145000e");
    p.TypeAndTab("mskLat_4", "4000");
    p.Click("cmdCompute_1");
}

// Guards the limit's arrows after a southern composite sailing, where the
// limit holds its southern sign: up raised -40 to -39 and showed 39, down
// did nothing. Each arrow now steps the limit's size.
TEST(UtilitiesTyped, LimitArrowsAfterASouthernComposite) {
    UtilitiesDriver p("mnuUtilGC");
    ComputeSouthernComposite(p);
    ASSERT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
    ASSERT_EQ(p.Named<QLabel>("lblNS")->text(), "S");
    p.Click("updLat_Up");
    EXPECT_EQ(p.Shown("mskLat_4"), QString("41°00'"));
    p.Click("updLat_Down");
    p.Click("updLat_Down");
    EXPECT_EQ(p.Shown("mskLat_4"), QString("39°00'"));
    p.Click("cmdCompute_1");
    EXPECT_DOUBLE_EQ(p.S().Lat(5), -39.0);
}

// Guards the ETA table computed from a value the user did not see: after a
// refused speed ("030._" left in the field) Compute no longer recomputes
// the table with the maximum that stood in for it. Also the table's layout:
// header pictures, and column widths from the speed field and the picker.
TEST(UtilitiesTyped, EtaTableNotRecomputedAfterARefusal) {
    UtilitiesDriver p("mnuUtilETA");
    MaskedField* minSpeed = p.Field("mskMinSpeed");
    p.TypeAndTab("mskDTG", "0030000");
    p.Click("cmdCompute_2");
    QTableWidget* g = p.EtaTable();
    ASSERT_EQ(g->rowCount(), 29);
    EXPECT_EQ(g->columnWidth(0), std::lround(1.7 * minSpeed->width()));
    EXPECT_EQ(g->columnWidth(1), std::lround(0.9 * p.Named("dtpTime_2")->width()));
    EXPECT_EQ(g->columnWidth(2), g->columnWidth(1));
    for (int c = 0; c < 3; ++c) EXPECT_FALSE(g->horizontalHeaderItem(c)->icon().isNull()) << c;

    p.TypeAndTab("mskMinSpeed", "0300");
    ASSERT_EQ(p.script.messages.size(), 1u);
    p.Click("cmdCompute_2");
    EXPECT_EQ(minSpeed->MaskedText(), QString(test::Shown("030._")));
    EXPECT_TRUE(minSpeed->hasFocus());
    ASSERT_EQ(g->rowCount(), 29);
    EXPECT_EQ(g->item(0, 0)->text(), test::Shown("10.0"));
}

// Guards a limit refused after a composite sailing: the report showed raw
// placeholders where the sailing had been (and printed so), the outline
// the previous sailing, and the ETA tab took its distance. A refused run
// leaves no result that looks current: nothing shown, nothing to print, no
// distance handed on; the next complete run shows its report again.
TEST(UtilitiesTyped, RefusedLimitLeavesNoStaleSailing) {
    UtilitiesDriver p("mnuUtilGC");
    ComputeSouthernComposite(p);
    ASSERT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
    ASSERT_TRUE(p.Named("rtfCalcWP")->isVisible());
    EXPECT_TRUE(p.Named("cmdAskPrint_0")->isEnabled());

    p.TypeAndTab("mskLat_4", "3000");  // nearer the equator than 35 S
    p.Click("cmdCompute_1");
    ASSERT_EQ(p.script.messages.size(), 1u);
    EXPECT_EQ(p.script.messages[0].text,
              "The maximum latitude is smaller than the departure latitude.");
    EXPECT_FALSE(p.Named("rtfCalcWP")->isVisible());
    EXPECT_EQ(p.Report().count(kPlaceholderMark), 0);
    EXPECT_FALSE(p.Report().contains("Composite"));
    EXPECT_FALSE(p.Named("outGCRes")->isVisible());
    const std::vector<test::OutlineEntry> outline = p.Outline();
    ASSERT_EQ(outline.size(), 23u);
    for (size_t row = 0; row < 23; ++row)
        EXPECT_EQ(outline[row].text.toStdString(), GreatCircleOutlineHeadings()[row].Text) << row;
    EXPECT_TRUE(p.Named("fraEllipsoid_1")->isVisible());
    QTemporaryDir dir;
    PrinterScript printers;
    printers.printers = {"Bridge printer"};
    printers.folder = dir.path();
    EXPECT_FALSE(p.Named("cmdAskPrint_0")->isEnabled());
    p.Click("cmdAskPrint_0");
    EXPECT_TRUE(printers.jobs.isEmpty());
    p.Click("cmdNextTabUtil_1");
    ASSERT_EQ(p.Tab(), 2);
    EXPECT_EQ(p.Field("mskDTG")->MaskedText().toStdString(), "_____" + p.S().DecSep + "__");

    // Back, the limit corrected: the composite sailing is current again.
    p.Click("cmdPrevTabUtil_2");
    p.TypeAndTab("mskLat_4", "4000");
    p.Click("cmdCompute_1");
    EXPECT_TRUE(p.Named("rtfCalcWP")->isVisible());
    EXPECT_TRUE(p.Report().contains("Composite sailing:"));
    EXPECT_TRUE(p.Named("cmdAskPrint_0")->isEnabled());
    // The distance handed on is the report's.
    const QString report = p.Report();
    p.Click("cmdNextTabUtil_1");
    const double dtg =
        ParsePositiveText(p.Field("mskDTG")->MaskedText().toStdString(), p.S().DecSep);
    EXPECT_TRUE(report.contains(QString::fromStdString(
        "The total distance is " + FormatNumber(dtg, "####0.0", p.S().DecSep) + " nautical")))
        << dtg;
}

// Guards the heading of the composite sailing in the report, which lost its
// bold underline to the move onto its placeholder.
TEST(UtilitiesTyped, CompositeHeadingBoldAndUnderlined) {
    UtilitiesDriver p("mnuUtilGC");
    ComputeSouthernComposite(p);
    const QTextCursor found =
        p.Named<RichTextBox>("rtfCalcWP")->document()->find("Composite sailing:");
    ASSERT_FALSE(found.isNull());
    QTextCursor inside(p.Named<RichTextBox>("rtfCalcWP")->document());
    inside.setPosition(found.selectionStart() + 1);
    EXPECT_EQ(inside.charFormat().fontWeight(), QFont::Bold);
    EXPECT_TRUE(inside.charFormat().fontUnderline());
    inside.setPosition(found.selectionEnd() + 3);  // the sentence after it
    EXPECT_NE(inside.charFormat().fontWeight(), QFont::Bold);
}

}  // namespace
}  // namespace orvex
