// The utilities page of the main window: the rhumb-line tab computing as its
// inputs complete a problem, the refusals of the utilities' own fields, the
// erase buttons, the great-circle tab with its report and outline, the ETA
// table, and pictures of the three tabs with results.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTreeWidget>
#include <QtTest/QTest>
#include <set>

#include "charts/print_lib.h"
#include "navlib/date_time.h"
#include "navlib/hooks.h"
#include "navlib/inout_lib.h"
#include "navlib/number_format.h"
#include "navlib/rhumb_line.h"
#include "sailing/core/great_circle_report.h"
#include "sailing/great_circle_report_box.h"
#include "sailing/utilities_page.h"
#include "workbench/options_page.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

// A started window on its utilities page, with the real report template.
struct UtilPage {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    std::unique_ptr<FrmWorking> w;

    // templateReadable false: a folder stands in the template's place.
    explicit UtilPage(int tab = 0, bool templateReadable = true) {
        QFile t(QString(ORVEX_PROGRAM_DIR) + "/CalcWP.rtf");
        EXPECT_TRUE(t.open(QIODevice::ReadOnly));
        folder.Write("CalcWP.rtf", t.readAll().toStdString());
        if (!templateReadable) {
            QFile::remove(folder.Path() + "/CalcWP.rtf");
            QDir().mkdir(folder.Path() + "/CalcWP.rtf");
        }
        w = test::StartedWindow(settings);
        w->resize(1100, 760);
        w->show();
        w->mnuUtil_Click(tab);
        script.Clear();
    }
    MaskedField* Field(const char* name) { return w->MaskField(name, -1); }
    // Types a text into a field and leaves it.
    bool Enter(MaskedField* f, const QString& text) {
        f->setFocus();
        f->SetMaskedText(text);
        return f->Commit();
    }
    // Enters latitude and longitude field `index` in that order.
    void EnterPosition(int index, const QString& lat, const QString& lon) {
        Enter(w->Utilities()->mskLat[index], lat);
        Enter(w->Utilities()->mskLong[index], lon);
    }
    WorkbenchState& S() { return w->State(); }
};

// Departure, course 045 and distance 100: the arrival appears in yellow at
// once and agrees with the library; the typed fields stay green.
TEST(UtilitiesRhumbLine, DirectProblemShowsTheArrival) {
    UtilPage p;
    auto* w = p.w.get();
    EXPECT_TRUE(w->Utilities()->imgStopCompute->isVisible());
    p.EnterPosition(0, test::Shown("45°00'.0 N"), test::Shown("005°00'.0 W"));
    p.Enter(w->Utilities()->mskCourse1, test::Shown("045°.0"));
    EXPECT_TRUE(w->Utilities()->imgStopCompute->isVisible());
    p.Enter(p.Field("mskDist"), test::Shown("00100.00"));
    EXPECT_FALSE(w->Utilities()->imgStopCompute->isVisible());
    double lat2 = 0, lon2 = 0;
    RhumbLineDirect(45, -5, 45, 100, lat2, lon2, p.S().E);
    EXPECT_EQ(w->Utilities()->mskLat[1]->MaskedText().toStdString(),
              FormatLatitude(lat2, test::ShownSep()));
    EXPECT_EQ(w->Utilities()->mskLong[1]->MaskedText().toStdString(),
              FormatLongitude(lon2, test::ShownSep()));
    EXPECT_EQ(w->Utilities()->mskLat[1]->BackColor(), kComputedYellow);
    EXPECT_EQ(w->Utilities()->mskLong[1]->BackColor(), kComputedYellow);
    EXPECT_EQ(p.Field("mskDist")->BackColor(), kValidGreen);
    EXPECT_EQ(w->Utilities()->mskCourse1->BackColor(), kValidGreen);
    EXPECT_FALSE(p.S().Utilities.UtilEntered[2]);  // a computed field stays an output
    EXPECT_TRUE(p.S().Utilities.RLShown);
    EXPECT_TRUE(p.script.messages.empty());

    // With a result shown a changed course does not recompute...
    const QString shown = w->Utilities()->mskLat[1]->MaskedText();
    p.Enter(w->Utilities()->mskCourse1, test::Shown("090°.0"));
    EXPECT_EQ(w->Utilities()->mskLat[1]->MaskedText(), shown);
    // ... the Compute button does.
    w->Utilities()->cmdCompute_Click(0);
    EXPECT_EQ(w->Utilities()->mskLat[1]->MaskedText().toStdString(),
              FormatLatitude(45.0, test::ShownSep()));
}

// Two positions, no course or distance: course "000°.0" and distance
// "00000.00" in yellow; a distance without a course poses nothing.
TEST(UtilitiesRhumbLine, InverseProblemAndNoProblem) {
    UtilPage p;
    auto* w = p.w.get();
    p.EnterPosition(0, test::Shown("50°00'.0 N"), test::Shown("001°00'.0 W"));
    p.EnterPosition(1, test::Shown("40°00'.0 N"), test::Shown("070°00'.0 W"));
    double c = 0, d = 0;
    RhumbLineInverse(50, -1, 40, -70, c, d, p.S().E);
    EXPECT_EQ(w->Utilities()->mskCourse1->MaskedText().toStdString(),
              FormatNumber(c, "000°.0", test::ShownSep()));
    EXPECT_EQ(p.Field("mskDist")->MaskedText().toStdString(),
              FormatNumber(d, "00000.00", test::ShownSep()));
    EXPECT_EQ(w->Utilities()->mskCourse1->BackColor(), kComputedYellow);

    // Swap: departure and arrival change places, course and distance are
    // erased and the swapped route is computed again at the next Compute.
    w->Utilities()->cmdShift_Click();
    EXPECT_EQ(w->Utilities()->mskLat[0]->MaskedText(), test::Shown("40°00'.0 N"));
    EXPECT_EQ(w->Utilities()->mskLong[1]->MaskedText(), test::Shown("001°00'.0 W"));
    EXPECT_FALSE(p.S().Utilities.UtilEntered[10]);
    EXPECT_FALSE(p.S().Utilities.UtilEntered[11]);
    w->Utilities()->cmdCompute_Click(0);
    RhumbLineInverse(40, -70, 50, -1, c, d, p.S().E);
    EXPECT_EQ(w->Utilities()->mskCourse1->MaskedText().toStdString(),
              FormatNumber(c, "000°.0", test::ShownSep()));

    // "Erase all" clears the tab; departure, arrival latitude and distance
    // without a course show the stop sign.
    w->Utilities()->cmdErase_Click(6);
    EXPECT_FALSE(p.S().Utilities.RLShown);
    for (int i : {0, 1, 2, 3, 10, 11}) EXPECT_FALSE(p.S().Utilities.UtilEntered[i]) << i;
    EXPECT_EQ(w->Utilities()->mskLat[0]->MaskedText(), test::Shown("__°__'._ _"));
    p.EnterPosition(0, test::Shown("50°00'.0 N"), test::Shown("001°00'.0 W"));
    p.Enter(w->Utilities()->mskLat[1], test::Shown("40°00'.0 N"));
    p.Enter(p.Field("mskDist"), test::Shown("00100.00"));
    EXPECT_TRUE(w->Utilities()->imgStopCompute->isVisible());
    EXPECT_EQ(w->Utilities()->mskLong[1]->MaskedText(), test::Shown("___°__'._ _"));
}

// Erasing one input after a result leaves RLShown: completing the inputs
// again shows nothing new until Compute.
TEST(UtilitiesRhumbLine, SingleEraseKeepsTheShownResult) {
    UtilPage p;
    auto* w = p.w.get();
    p.EnterPosition(0, test::Shown("10°00'.0 N"), test::Shown("020°00'.0 W"));
    p.Enter(w->Utilities()->mskCourse1, test::Shown("180°.0"));
    p.Enter(p.Field("mskDist"), test::Shown("00060.00"));
    double lat60 = 0, lat120 = 0, lon = 0;
    RhumbLineDirect(10, -20, 180, 60, lat60, lon, p.S().E);
    RhumbLineDirect(10, -20, 180, 120, lat120, lon, p.S().E);
    const QString first = QString::fromStdString(FormatLatitude(lat60, test::ShownSep()));
    EXPECT_EQ(w->Utilities()->mskLat[1]->MaskedText(), first);
    w->Utilities()->cmdErase_Click(5);
    EXPECT_EQ(p.Field("mskDist")->MaskedText(), test::Shown("_____.__"));
    EXPECT_TRUE(p.Field("mskDist")->hasFocus() || !w->isActiveWindow());
    p.Enter(p.Field("mskDist"), test::Shown("00120.00"));
    EXPECT_EQ(w->Utilities()->mskLat[1]->MaskedText(), first);
    w->Utilities()->cmdCompute_Click(0);
    EXPECT_EQ(w->Utilities()->mskLat[1]->MaskedText().toStdString(),
              FormatLatitude(lat120, test::ShownSep()));
}

// The refusals of the ETA fields, byte for byte, with their substitutions,
// and the one silent pass after a crossed speed.
TEST(UtilitiesEta, FieldRefusals) {
    UtilPage p(2);
    auto* w = p.w.get();
    p.Enter(p.Field("mskMinSpeed"), test::Shown("_30.0"));
    ASSERT_EQ(p.script.messages.size(), 1u);
    EXPECT_EQ(p.script.messages[0].title, " Error in input data");
    EXPECT_EQ(p.script.messages[0].text, "Your minimum speed is greater than the maximum speed.");
    EXPECT_EQ(p.script.messages[0].style, kIconExclamation + kButtonsOk);
    EXPECT_DOUBLE_EQ(p.S().Utilities.MinSpeed, 24.0);
    // The next commit of either speed passes silently once.
    p.Enter(p.Field("mskMaxSpeed"), test::Shown("__5.0"));
    EXPECT_EQ(p.script.messages.size(), 1u);
    w->Utilities()->cmdErase_Click(14);
    p.Enter(p.Field("mskMaxSpeed"), test::Shown("__5.0"));
    EXPECT_EQ(p.script.LastText(), "Your maximum speed is less than the minimum speed.");
    EXPECT_DOUBLE_EQ(p.S().Utilities.MaxSpeed, 10.0);
    w->Utilities()->cmdErase_Click(14);
    p.script.Clear();
    // The pass left by the refused maximum is used by this commit.
    p.Enter(p.Field("mskMinSpeed"), test::Shown("__0.0"));
    EXPECT_TRUE(p.script.messages.empty());
    p.Enter(p.Field("mskMinSpeed"), test::Shown("__0.0"));
    EXPECT_EQ(p.script.LastText(), "Your minimum speed is zero or negative.");
    p.Enter(p.Field("mskMaxSpeed"), test::Shown("__0.0"));
    EXPECT_EQ(p.script.LastText(), "Your maximum speed is zero or negative.");
    w->Utilities()->cmdErase_Click(14);
    p.Enter(p.Field("mskInterv"), test::Shown("00.00"));
    EXPECT_EQ(p.script.LastText(), "Your speed interval is negative or zero.");
    EXPECT_DOUBLE_EQ(p.S().Utilities.SpeedInterv, 0.1);
    p.Enter(p.Field("mskInterv"), test::Shown("15.00"));
    EXPECT_EQ(p.script.LastText(), "Your speed interval is too big.");
    EXPECT_DOUBLE_EQ(p.S().Utilities.SpeedInterv, 14.0);
    // An interval equal to the range is accepted.
    p.script.Clear();
    p.Enter(p.Field("mskInterv"), test::Shown("14.00"));
    EXPECT_TRUE(p.script.messages.empty());
    EXPECT_DOUBLE_EQ(p.S().Utilities.SpeedInterv, 14.0);
}

// The ETA table from the Compute button: rows, speeds, rounding, zones.
TEST(UtilitiesEta, TableRowsAndRounding) {
    UtilPage p(2);
    auto* w = p.w.get();
    EXPECT_FALSE(w->Utilities()->grdCalcETA->isVisible());
    w->Utilities()->dtpDeparture->setDateTime(QDateTime(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC));
    p.Enter(p.Field("mskDTG"), test::Shown("00240.00"));
    w->Utilities()->cmdCompute_Click(2);
    ASSERT_TRUE(w->Utilities()->grdCalcETA->isVisible());
    ASSERT_EQ(w->Utilities()->grdCalcETA->rowCount(), 29);
    EXPECT_EQ(w->Utilities()->grdCalcETA->item(0, 0)->text(), test::Shown("10.0"));
    EXPECT_EQ(w->Utilities()->grdCalcETA->item(0, 1)->text(), "2 Mar 2026 12:00:00");
    EXPECT_EQ(w->Utilities()->grdCalcETA->item(28, 0)->text(), test::Shown("24.0"));
    EXPECT_EQ(w->Utilities()->grdCalcETA->item(28, 1)->text(), "1 Mar 2026 22:00:00");
    EXPECT_EQ(w->Utilities()->grdCalcETA->horizontalHeaderItem(1)->text(), "ETA in GMT        ");
    EXPECT_EQ(w->Utilities()->grdCalcETA->horizontalHeaderItem(2)->text(), "ETA in LT           ");

    // Quarters of an hour; 240 miles at 10.5 knots take 22 h 51' 26": 10:51:26
    // the next day reads 10:45.
    w->Utilities()->optRound[2]->click();
    EXPECT_DOUBLE_EQ(p.S().Utilities.EtaRound, 96.0);
    w->Utilities()->cmdCompute_Click(2);
    EXPECT_EQ(w->Utilities()->grdCalcETA->item(1, 0)->text(), test::Shown("10.5"));
    EXPECT_EQ(w->Utilities()->grdCalcETA->item(1, 1)->text(), "2 Mar 2026 10:45:00");
    // Local column in zone +2 (list row "GMT +2").
    w->Utilities()->cboGMT[1]->setCurrentIndex(w->Utilities()->cboGMT[1]->findData(200));
    w->Utilities()->cmdCompute_Click(2);
    EXPECT_EQ(w->Utilities()->grdCalcETA->item(1, 2)->text(), "2 Mar 2026 12:45:00");

    // Erase all hides the table and resets the speeds.
    w->Utilities()->cmdErase_Click(14);
    EXPECT_FALSE(w->Utilities()->grdCalcETA->isVisible());
    EXPECT_EQ(p.Field("mskMinSpeed")->MaskedText(), test::Shown("_10.0"));
    EXPECT_EQ(p.Field("mskInterv")->MaskedText(), test::Shown("_0.50"));
    EXPECT_DOUBLE_EQ(p.S().Utilities.MaxSpeed, 24.0);
}

// Moving to the ETA tab brings the rhumb-line distance; the departure time
// is the current UTC hour.
TEST(UtilitiesEta, EnteringTheTabTakesTheRhumbLineDistance) {
    UtilPage p;
    auto* w = p.w.get();
    p.EnterPosition(0, test::Shown("50°00'.0 N"), test::Shown("001°00'.0 W"));
    p.EnterPosition(1, test::Shown("50°00'.0 N"), test::Shown("003°00'.0 W"));
    const QString dist = p.Field("mskDist")->MaskedText();
    w->Utilities()->cmdNextTabUtil_Click();
    w->Utilities()->cmdNextTabUtil_Click();
    ASSERT_EQ(w->tabUtil->currentIndex(), 2);
    EXPECT_EQ(p.Field("mskDTG")->MaskedText(), dist);
    EXPECT_NEAR(p.S().Utilities.EtaDist, p.S().Utilities.RLDist, 0.005);
    EXPECT_EQ(w->Utilities()->dtpDeparture->time().minute(), 0);
    EXPECT_EQ(w->Utilities()->dtpDeparture->time().second(), 0);
}

// A zero interval between equal speeds gives one row, not an error; the
// error report of a failing step is shown once a second.
TEST(UtilitiesEta, ErrorReportShownOncePerSecond) {
    UtilPage p(2);
    auto* w = p.w.get();
    ManualClock clock(1000.0);
    p.S().Utilities.MinSpeed = 10;
    p.S().Utilities.MaxSpeed = 20;
    p.S().Utilities.SpeedInterv = 0;  // as no field would let through
    w->Utilities()->TestCompute(2);
    w->Utilities()->TestCompute(2);
    ASSERT_EQ(p.script.messages.size(), 1u);
    EXPECT_EQ(p.script.messages[0].title, " ERROR REPORT");
    EXPECT_EQ(p.script.messages[0].style, kIconCritical + kButtonsOk);
    EXPECT_TRUE(p.script.messages[0].text.endsWith("Division by zero."));
    clock.seconds += 2.0;
    w->Utilities()->TestCompute(2);
    EXPECT_EQ(p.script.messages.size(), 2u);
    p.S().Utilities.MaxSpeed = 10;
    w->Utilities()->TestCompute(2);
    EXPECT_EQ(w->Utilities()->grdCalcETA->rowCount(), 1);
}

// The great-circle Compute refuses incomplete or identical positions.
TEST(UtilitiesGreatCircle, RefusalsOfTheComputeButton) {
    UtilPage p(1);
    auto* w = p.w.get();
    p.EnterPosition(2, test::Shown("40°00'.0 N"), test::Shown("010°00'.0 W"));
    p.Enter(w->Utilities()->mskLat[3], test::Shown("40°00'.0 N"));
    p.script.Clear();
    w->Utilities()->cmdCompute_Click(1);
    ASSERT_EQ(p.script.messages.size(), 1u);
    EXPECT_EQ(p.script.messages[0].title, " Missing data");
    EXPECT_EQ(p.script.messages[0].text,
              "Departure and/or arrival position not complete. Please correct.");
    EXPECT_FALSE(w->Utilities()->rtfCalcWP->isVisible());
    p.Enter(w->Utilities()->mskLong[3], test::Shown("010°00'.0 W"));
    p.script.Clear();
    w->Utilities()->cmdCompute_Click(1);
    ASSERT_EQ(p.script.messages.size(), 1u);
    EXPECT_EQ(p.script.messages[0].title, " Departure = Arrival ?");
    EXPECT_EQ(p.script.messages[0].text, "Same departure and arrival positions. Please correct.");
}

// A composite sailing with waypoints: the report is filled to the end, the
// outline shows the composite rows, RLDist and RLCourse take the totals, and
// the erase of a position hides the results again.
TEST(UtilitiesGreatCircle, CompositeReportAndOutline) {
    UtilPage p(1);
    auto* w = p.w.get();
    p.EnterPosition(2, test::Shown("40°00'.0 N"), test::Shown("140°00'.0 E"));
    p.EnterPosition(3, test::Shown("35°00'.0 N"), test::Shown("125°00'.0 W"));
    p.EnterPosition(4, "45°00'", "10°00'");
    EXPECT_DOUBLE_EQ(p.S().Long(5), 10.0);
    p.script.Clear();
    w->Utilities()->cmdCompute_Click(1);
    EXPECT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
    EXPECT_TRUE(w->Utilities()->rtfCalcWP->isVisible());
    EXPECT_TRUE(w->Utilities()->outGCRes->isVisible());
    EXPECT_FALSE(w->Utilities()->fraEllipsoid[1]->isVisible());
    EXPECT_EQ(w->Utilities()->lblNS->text(), "N");
    const QString text = w->Utilities()->rtfCalcWP->Text();
    EXPECT_EQ(text.count(kPlaceholderMark), 0);
    EXPECT_TRUE(text.contains("Composite sailing:"));
    EXPECT_TRUE(text.contains("WGS 1984"));
    EXPECT_TRUE(text.contains("End of great circle calculation by Orvex 1.2"));
    EXPECT_EQ(w->Utilities()->OutlineLevel(10), 1);
    EXPECT_EQ(w->Utilities()->OutlineLevel(22), 3);
    EXPECT_TRUE(w->Utilities()->OutlineText(0).startsWith("GC Dist "));
    EXPECT_TRUE(w->Utilities()->OutlineText(14).startsWith("Dist = "));
    const auto& table = p.S().Utilities.WaypointTable;
    ASSERT_GT(table.size(), 5u);
    EXPECT_GT(p.S().Utilities.RLDist, 4000.0);
    EXPECT_TRUE(w->Utilities()->OutlineText(1).endsWith(
        QString::fromStdString(FormatNumber(p.S().Utilities.RLDist, "####0.0", test::ShownSep()))));
    QDir().mkpath(test::TestOutputFolder());
    w->grab().save(test::TestOutputFolder() + "/utilities-great-circle-composite.png");

    // Erase one position: results hidden, ellipsoid frame back.
    w->Utilities()->cmdErase_Click(8);
    EXPECT_FALSE(w->Utilities()->rtfCalcWP->isVisible());
    EXPECT_FALSE(w->Utilities()->outGCRes->isVisible());
    EXPECT_TRUE(w->Utilities()->fraEllipsoid[1]->isVisible());
    EXPECT_FALSE(p.S().Utilities.UtilEntered[4]);
}

// A limit nearer the equator than the departure: the message, the field
// marked and no report.
TEST(UtilitiesGreatCircle, LimitBelowTheDepartureIsRefused) {
    UtilPage p(1);
    auto* w = p.w.get();
    p.EnterPosition(2, test::Shown("50°00'.0 N"), test::Shown("005°00'.0 W"));
    p.EnterPosition(3, test::Shown("42°00'.0 N"), test::Shown("065°00'.0 W"));
    p.Enter(w->Utilities()->mskLat[4], "45°00'");
    p.script.Clear();
    w->Utilities()->cmdCompute_Click(1);
    ASSERT_EQ(p.script.messages.size(), 1u);
    EXPECT_EQ(p.script.messages[0].title, " Error in input data");
    EXPECT_EQ(p.script.messages[0].text,
              "The maximum latitude is smaller than the departure latitude.");
    EXPECT_EQ(w->Utilities()->mskLat[4]->MaskedText(), "45°0_'");
    EXPECT_FALSE(w->Utilities()->rtfCalcWP->isVisible());
    EXPECT_EQ(w->Utilities()->rtfCalcWP->Text().count(kPlaceholderMark), 0);
}

// Guards a damaged great-circle template, which gave a report without its
// figures and no message, and an unreadable one reported as "File not
// found": the marks are counted before anything is computed, the error
// report names the fault and no report shows; a whole template works again.
TEST(UtilitiesGreatCircle, DamagedTemplateIsRefused) {
    UtilPage p(1);
    auto* w = p.w.get();
    p.EnterPosition(2, "40°00'.0 N", "010°00'.0 W");
    p.EnterPosition(3, "35°00'.0 N", "070°00'.0 W");
    QFile t(QString(ORVEX_PROGRAM_DIR) + "/CalcWP.rtf");
    ASSERT_TRUE(t.open(QIODevice::ReadOnly));
    const QByteArray whole = t.readAll();
    QByteArray unmarked = whole;
    unmarked.replace("\\'a7", "");
    const QString path = p.folder.Path() + "/CalcWP.rtf";
    auto compute = [&] {
        p.script.Clear();
        w->Utilities()->cmdCompute_Click(1);
        return p.script.messages.size() == 1u ? p.script.messages[0].text : QString();
    };
    const struct {
        QByteArray bytes;
        const char* says;
    } damaged[] = {{unmarked, "holds 0 of its 11 marks"},
                   {whole.left(whole.size() / 2), "holds 1 of its 11 marks"}};
    for (const auto& d : damaged) {
        p.folder.Write("CalcWP.rtf", d.bytes.toStdString());
        const QString text = compute();
        EXPECT_TRUE(text.contains("Error 321: Invalid file format") && text.contains(d.says))
            << text.toStdString();
        EXPECT_EQ(p.script.Titles(), std::vector<QString>{" ERROR REPORT"});
        EXPECT_FALSE(w->Utilities()->rtfCalcWP->isVisible());
    }
    p.folder.Write("CalcWP.rtf", whole.toStdString());
    EXPECT_EQ(compute(), QString());
    EXPECT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
    EXPECT_TRUE(w->Utilities()->rtfCalcWP->isVisible());

    // Present but unreadable: a folder in its place, and for a user who is
    // not root (root reads anything) a file without read permission.
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkdir(path));
    QString text = compute();
    EXPECT_TRUE(text.contains("Error 75: ") && text.contains("CalcWP.rtf is not a regular file"))
        << text.toStdString();
    EXPECT_FALSE(w->Utilities()->rtfCalcWP->isVisible());
    ASSERT_TRUE(QDir().rmdir(path));
    {
        // Unreadable already at start: named so at the computation too.
        UtilPage q(1, false);
        q.EnterPosition(2, "40°00'.0 N", "010°00'.0 W");
        q.EnterPosition(3, "35°00'.0 N", "070°00'.0 W");
        q.script.Clear();
        q.w->Utilities()->cmdCompute_Click(1);
        ASSERT_EQ(q.script.messages.size(), 1u);
        EXPECT_TRUE(q.script.messages[0].text.contains("Error 75: ") &&
                    q.script.messages[0].text.contains("CalcWP.rtf is not a regular file"))
            << q.script.LastText().toStdString();
    }
    if (geteuid() != 0) {
        p.folder.Write("CalcWP.rtf", whole.toStdString());
        ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
        text = compute();
        EXPECT_TRUE(text.contains("Error 75: ") && text.contains("CalcWP.rtf cannot be read"))
            << text.toStdString();
    }
}

// The spinners: the limit starts at the larger route latitude, stops at 0;
// the interval stops at 1, the speeds at 1.
TEST(UtilitiesSpinners, LimitsOfTheUpDownButtons) {
    UtilPage p(1);
    auto* w = p.w.get();
    p.EnterPosition(2, test::Shown("30°00'.0 S"), test::Shown("010°00'.0 E"));
    p.EnterPosition(3, test::Shown("20°00'.0 N"), test::Shown("050°00'.0 E"));
    w->Utilities()->updLat_Click(true);
    EXPECT_EQ(w->Utilities()->mskLat[4]->MaskedText(), "30°00'");
    EXPECT_DOUBLE_EQ(p.S().Lat(5), 30.0);  // entered without hemisphere
    EXPECT_TRUE(p.S().Utilities.UtilEntered[8]);
    w->Utilities()->cmdErase_Click(12);
    w->Utilities()->updLat_Click(false);
    EXPECT_DOUBLE_EQ(p.S().Lat(5), 0.0);
    w->Utilities()->updLong_Click(true);
    w->Utilities()->updLong_Click(true);
    EXPECT_EQ(w->Utilities()->mskLong[4]->MaskedText(), "02°00'");
    EXPECT_DOUBLE_EQ(p.S().Long(5), 2.0);
    w->Utilities()->updLong_Click(false);
    w->Utilities()->updLong_Click(false);
    EXPECT_DOUBLE_EQ(p.S().Long(5), 1.0);
    w->mnuUtil_Click(2);
    p.S().Utilities.MinSpeed = 1;
    w->Utilities()->updMinSpeed_Click(false);
    EXPECT_DOUBLE_EQ(p.S().Utilities.MinSpeed, 1.0);
    EXPECT_EQ(p.Field("mskMinSpeed")->MaskedText(), test::Shown("__1.0"));
    w->Utilities()->updInterval_Click(true);
    EXPECT_EQ(p.Field("mskInterv")->MaskedText(), test::Shown("_1.00"));
}

// Without its report template the great circle is not computed: the error
// report names the missing file once.
TEST(UtilitiesGreatCircle, MissingTemplateIsReported) {
    UtilPage p(1);
    auto* w = p.w.get();
    ASSERT_TRUE(QFile::remove(p.folder.Path() + "/CalcWP.rtf"));
    p.EnterPosition(2, test::Shown("50°00'.0 N"), test::Shown("005°00'.0 W"));
    p.EnterPosition(3, test::Shown("40°30'.0 N"), test::Shown("073°50'.0 W"));
    const double before = p.S().Utilities.RLDist;
    p.script.Clear();
    w->Utilities()->cmdCompute_Click(1);
    ASSERT_EQ(p.script.messages.size(), 1u);
    EXPECT_EQ(p.script.messages[0].title, " ERROR REPORT");
    EXPECT_TRUE(p.script.messages[0].text.endsWith("Error 53: File not found: CalcWP.rtf"));
    EXPECT_FALSE(w->Utilities()->rtfCalcWP->isVisible());
    EXPECT_EQ(p.S().Utilities.RLDist, before);
}

// The print buttons: the great-circle report as rich-text pages, the ETA
// table as a ruled grid with its three headers; the printer's settings are
// put back; without a printer only "NO PRINTER".
TEST(UtilitiesPrinting, ReportAndTable) {
    UtilPage p(1);
    auto* w = p.w.get();
    {
        PrinterScript none;
        w->Utilities()->cmdAskPrint_Click(0);
        ASSERT_EQ(p.script.messages.size(), 1u);
        EXPECT_EQ(p.script.messages[0].title, "NO PRINTER");
        EXPECT_TRUE(
            p.script.messages[0].text.startsWith("Sorry, no printer connected to your system."));
        EXPECT_EQ(p.script.messages[0].style, kIconCritical + kButtonsOk);
        EXPECT_TRUE(none.jobs.isEmpty());
    }
    p.script.Clear();
    QTemporaryDir dir;
    PrinterScript printers;
    printers.printers = {"Bridge printer"};
    printers.folder = dir.path();
    ProgramPrinter::Instance().SetOrientation(kOrientationLandscape);
    p.EnterPosition(2, test::Shown("50°00'.0 N"), test::Shown("005°00'.0 W"));
    p.EnterPosition(3, test::Shown("40°30'.0 N"), test::Shown("073°50'.0 W"));
    p.Enter(w->Utilities()->mskLong[4], "05°00'");
    w->Utilities()->cmdCompute_Click(1);
    w->Utilities()->cmdAskPrint_Click(0);
    EXPECT_TRUE(p.script.messages.empty());
    ASSERT_EQ(printers.jobs.size(), 1);
    EXPECT_GE(printers.jobPages.at(0), 1);
    EXPECT_TRUE(printers.steps.contains("PrintRichText"));
    EXPECT_EQ(ProgramPrinter::Instance().Orientation(), kOrientationLandscape);
    QFile::copy(printers.jobs.at(0),
                test::TestOutputFolder() + "/utilities-great-circle-report.pdf");

    w->Utilities()->cmdNextTabUtil_Click();
    p.Enter(p.Field("mskDTG"), test::Shown("00500.00"));
    p.Enter(p.Field("mskInterv"), test::Shown("02.00"));
    w->Utilities()->cmdCompute_Click(2);
    ASSERT_EQ(w->Utilities()->grdCalcETA->rowCount(), 8);
    w->Utilities()->cmdAskPrint_Click(1);
    ASSERT_EQ(printers.jobs.size(), 2);
    QStringList header;
    int cells = 0;
    for (const auto& c : printers.gridCells) {
        if (c.row == 0) header << c.text;
        ++cells;
    }
    EXPECT_EQ(cells, 9 * 3);
    ASSERT_EQ(header.size(), 3);
    EXPECT_TRUE(header[0].trimmed().startsWith("Speed"));
    EXPECT_TRUE(header[1].trimmed().startsWith("ETA in GMT"));
    EXPECT_TRUE(header[2].trimmed().startsWith("ETA in LT"));
    QFile::remove(test::TestOutputFolder() + "/utilities-eta-table.pdf");
    QFile::copy(printers.jobs.at(1), test::TestOutputFolder() + "/utilities-eta-table.pdf");
    // And they reach the paper.
    printers.recordPages = true;
    w->Utilities()->cmdAskPrint_Click(1);
    const QString paper = printers.ShownTexts(3).join(' ').simplified();
    for (const QString& h : header) EXPECT_TRUE(paper.contains(h.simplified())) << h.toStdString();
    EXPECT_EQ(ProgramPrinter::Instance().Orientation(), kOrientationLandscape);
    ProgramPrinter::Instance().SetOrientation(kOrientationPortrait);
}

// Guards the printed ETA table, whose columns took the screen's widths
// times 0.77: on paper a time wrapped onto a second line that was cut off
// ("31 Dec 2026" alone), a time lost its last digit and the heading read
// "ETA in LT (1.". For the default speeds and for a wide range of speeds
// over several pages, every cell's whole text is drawn on one line, inside
// its box and the page.
TEST(UtilitiesPrinting, EveryEtaCellPrintsWhole) {
    UtilPage p(2);
    auto* w = p.w.get();
    QTemporaryDir dir;
    PrinterScript printers;
    printers.printers = {"Bridge printer"};
    printers.folder = dir.path();
    printers.recordPages = true;
    w->Utilities()->dtpDeparture->setDateTime(QDateTime(QDate(2026, 12, 28), QTime(9, 0), Qt::UTC));
    p.Enter(p.Field("mskDTG"), "04800.00");
    struct Range {
        QString min, max, interval;
    };
    const std::vector<Range> ranges = {{"_10.0", "_24.0", "_0.50"}, {"__1.0", "999.0", "02.50"}};
    for (const Range& r : ranges) {
        SCOPED_TRACE(r.max.toStdString());
        p.Enter(p.Field("mskMinSpeed"), r.min);
        p.Enter(p.Field("mskMaxSpeed"), r.max);
        p.Enter(p.Field("mskInterv"), r.interval);
        QTest::mouseClick(w->Utilities()->cmdCompute[2], Qt::LeftButton);
        printers.gridCells.clear();
        QTest::mouseClick(w->Utilities()->cmdAskPrint[1], Qt::LeftButton);
        ASSERT_TRUE(p.script.messages.empty());
        const int job = static_cast<int>(printers.jobs.size());
        const int rows = w->Utilities()->grdCalcETA->rowCount();
        int dataCells = 0;
        for (const auto& cell : printers.gridCells) {
            dataCells += cell.row > 0;
            QStringList pieces;
            std::set<double> baselines;
            for (const PrintedText& t : printers.texts)
                if (t.job == job && t.page == cell.page && cell.box.contains(t.box.center())) {
                    EXPECT_TRUE(t.Shown()) << t.text.toStdString();
                    EXPECT_TRUE(cell.box.contains(t.box)) << t.text.toStdString();
                    pieces << t.text;
                    baselines.insert(std::round(t.baseline));
                }
            EXPECT_EQ(pieces.join(' ').simplified().toStdString(),
                      cell.text.simplified().toStdString())
                << "row " << cell.row << " column " << cell.col;
            EXPECT_EQ(baselines.size(), 1u) << cell.text.toStdString();
            EXPECT_TRUE(printers.texts.back().pageArea.contains(cell.box))
                << cell.text.toStdString();
        }
        EXPECT_EQ(dataCells, rows * 3);
    }
    EXPECT_GT(printers.jobPages.back(), 2);
}

// Every erase button: its field's blank template, window colour, value and
// flag; the group buttons empty their whole tab and keep the focus where it
// was.
TEST(UtilitiesErase, EveryButtonEmptiesItsInput) {
    UtilPage p(1);
    auto* w = p.w.get();
    auto& s = p.S();
    struct Case {
        int index;
        MaskedField* field;
        QString blank;
        int flag;  // -1: none
    };
    const std::vector<Case> cases = {
        {0, w->Utilities()->mskLat[0], test::Shown("__°__'._ _"), 0},
        {1, w->Utilities()->mskLong[0], test::Shown("___°__'._ _"), 1},
        {2, w->Utilities()->mskLat[1], test::Shown("__°__'._ _"), 2},
        {3, w->Utilities()->mskLong[1], test::Shown("___°__'._ _"), 3},
        {4, w->Utilities()->mskCourse1, test::Shown("___°._"), 10},
        {5, p.Field("mskDist"), test::Shown("_____.__"), 11},
        {8, w->Utilities()->mskLat[2], test::Shown("__°__'._ _"), 4},
        {9, w->Utilities()->mskLong[2], test::Shown("___°__'._ _"), 5},
        {10, w->Utilities()->mskLat[3], test::Shown("__°__'._ _"), 6},
        {11, w->Utilities()->mskLong[3], test::Shown("___°__'._ _"), 7},
        {12, w->Utilities()->mskLat[4], "__°__'", 8},
        {13, w->Utilities()->mskLong[4], "__°_0'", 9},
        {15, p.Field("mskDTG"), test::Shown("_____.__"), -1},
        {16, p.Field("mskMinSpeed"), test::Shown("_10.0"), -1},
        {17, p.Field("mskMaxSpeed"), test::Shown("_24.0"), -1},
        {18, p.Field("mskInterv"), test::Shown("_0.50"), -1},
    };
    for (const Case& c : cases) {
        c.field->SetMaskedText("12");
        c.field->SetBackColor(kValidGreen);
        if (c.flag >= 0) s.Utilities.UtilEntered[c.flag] = true;
        w->Utilities()->cmdErase[c.index]->click();
        EXPECT_EQ(c.field->MaskedText(), c.blank) << c.index;
        EXPECT_EQ(c.field->BackColor(), MaskedField::WindowColor()) << c.index;
        if (c.flag >= 0) {
            EXPECT_FALSE(s.Utilities.UtilEntered[c.flag]) << c.index;
        }
        EXPECT_EQ(w->Utilities()->cmdErase[c.index]->objectName(),
                  QString("cmdErase_%1").arg(c.index));
    }
    EXPECT_DOUBLE_EQ(s.Utilities.MinSpeed, 10.0);
    EXPECT_DOUBLE_EQ(s.Utilities.MaxSpeed, 24.0);
    EXPECT_DOUBLE_EQ(s.Utilities.SpeedInterv, 0.5);
    EXPECT_EQ(w->Utilities()->cmdErase[0]->toolTip(), "Erase latitude");
    EXPECT_EQ(w->Utilities()->cmdErase[13]->toolTip(), "Erase long. interval");
    EXPECT_EQ(w->Utilities()->cmdErase[18]->toolTip(), "Reset interval");

    // Group erases.
    for (int i : {4, 5, 6, 7, 8, 9}) s.Utilities.UtilEntered[i] = true;
    w->Utilities()->cmdErase_Click(7);
    for (int i : {4, 5, 6, 7, 8, 9}) EXPECT_FALSE(s.Utilities.UtilEntered[i]) << i;
    EXPECT_TRUE(w->Utilities()->fraEllipsoid[1]->isVisible());
    for (int i : {0, 1, 2, 3, 10, 11}) s.Utilities.UtilEntered[i] = true;
    s.Utilities.RLShown = true;
    w->Utilities()->cmdErase_Click(6);
    for (int i : {0, 1, 2, 3, 10, 11}) EXPECT_FALSE(s.Utilities.UtilEntered[i]) << i;
    EXPECT_FALSE(s.Utilities.RLShown);
    // A single erase of the limit puts the composite rows back to level 0
    // and empties the hemisphere label.
    s.Utilities.GCOutline[12].Level = 3;
    w->Utilities()->lblNS->setText("S");
    w->Utilities()->cmdErase_Click(12);
    EXPECT_EQ(w->Utilities()->OutlineLevel(12), 0);
    EXPECT_TRUE(w->Utilities()->lblNS->text().isEmpty());
}

// Moving between the tabs: a complete great-circle route is copied into the
// rhumb-line fields and computed, and back; the ellipsoid label's double
// click opens the options and the options' End comes back.
TEST(UtilitiesTabs, RoutesFollowBetweenTabsAndEllipsoidLabel) {
    UtilPage p(1);
    auto* w = p.w.get();
    p.EnterPosition(2, test::Shown("50°00'.0 N"), test::Shown("005°00'.0 W"));
    p.EnterPosition(3, test::Shown("40°30'.0 N"), test::Shown("073°50'.0 W"));
    w->Utilities()->cmdPrevTabUtil_Click();
    ASSERT_EQ(w->tabUtil->currentIndex(), 0);
    EXPECT_EQ(w->Utilities()->mskLat[0]->MaskedText(), test::Shown("50°00'.0 N"));
    EXPECT_EQ(w->Utilities()->mskLong[1]->MaskedText(), test::Shown("073°50'.0 W"));
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(p.S().Utilities.UtilEntered[i]) << i;
    EXPECT_EQ(w->Utilities()->mskCourse1->BackColor(), kComputedYellow);
    EXPECT_TRUE(w->Utilities()->mskLat[0]->hasFocus() || !w->isActiveWindow());

    w->Utilities()->lblChoosenEllipsoid_DblClick();
    EXPECT_FALSE(w->tabUtil->isVisible());
    EXPECT_TRUE(w->tabOptions->isVisible());
    EXPECT_EQ(w->tabOptions->property("Tag").toString(), "CalledFromUtil");
    w->Options()->cmdEndTabOptions_Click();
    EXPECT_TRUE(w->tabUtil->isVisible());
    EXPECT_EQ(w->Utilities()->lblChoosenEllipsoid[0]->text(), "WGS 1984");

    // The sphere: the report speaks of geographical miles.
    w->cboEllipsoid->setCurrentIndex(w->cboEllipsoid->findText("Normal Sphere - 0"));
    EXPECT_EQ(w->Utilities()->lblDistance1->text(), "[ geographical miles ]");
    w->Utilities()->cmdNextTabUtil_Click();
    w->Utilities()->cmdCompute_Click(1);
    EXPECT_TRUE(w->Utilities()->rtfCalcWP->Text().contains(" geographical miles."));
    EXPECT_FALSE(w->Utilities()->rtfCalcWP->Text().contains("nautical miles"));
    EXPECT_TRUE(w->Utilities()->rtfCalcWP->Text().contains("Normal Sphere"));
}

// Pictures of the three tabs with results.
TEST(UtilitiesScreenshots, TabsWithResults) {
    UtilPage p;
    auto* w = p.w.get();
    p.EnterPosition(0, test::Shown("49°30'.0 N"), test::Shown("005°10'.0 W"));
    p.Enter(w->Utilities()->mskCourse1, test::Shown("235°.0"));
    p.Enter(p.Field("mskDist"), test::Shown("01250.00"));
    w->grab().save(test::TestOutputFolder() + "/utilities-rhumb-line.png");
    w->Utilities()->cmdNextTabUtil_Click();
    p.EnterPosition(2, test::Shown("49°30'.0 N"), test::Shown("005°10'.0 W"));
    p.EnterPosition(3, test::Shown("40°30'.0 N"), test::Shown("073°50'.0 W"));
    p.Enter(w->Utilities()->mskLong[4], "05°00'");
    w->Utilities()->cmdCompute_Click(1);
    EXPECT_TRUE(w->Utilities()->rtfCalcWP->isVisible());
    w->Utilities()->rtfCalcWP->verticalScrollBar()->setValue(
        w->Utilities()->rtfCalcWP->verticalScrollBar()->maximum());
    w->grab().save(test::TestOutputFolder() + "/utilities-great-circle.png");
    w->Utilities()->cmdNextTabUtil_Click();
    w->Utilities()->cmdCompute_Click(2);
    w->grab().save(test::TestOutputFolder() + "/utilities-eta.png");
    EXPECT_TRUE(w->Utilities()->grdCalcETA->isVisible());
}

}  // namespace
}  // namespace orvex
