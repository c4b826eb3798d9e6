// The utilities page of the main window: the rhumb-line tab computing as its
// inputs complete a problem, the refusals of the utilities' own fields, the
// erase buttons, the great-circle tab with its report and outline, the ETA
// table, and pictures of the three tabs with results.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScrollBar>

#include "navlib/date_time.h"
#include "navlib/hooks.h"
#include "navlib/inout_lib.h"
#include "navlib/number_format.h"
#include "navlib/rhumb_line.h"
#include "sailing/core/great_circle_report.h"
#include "sailing/great_circle_report_box.h"
#include "utilities_driver.h"

namespace orvex {
namespace {

using test::UtilitiesDriver;

// Departure, course 045 and distance 100: the arrival appears in yellow at
// once and agrees with the library; the typed fields stay green.
TEST(UtilitiesRhumbLine, DirectProblemShowsTheArrival) {
    UtilitiesDriver p;
    QWidget* stop = p.Named("imgStopCompute");
    EXPECT_TRUE(stop->isVisible());
    p.TypeFields("mskLat_0", {"45000n", "005000w"});
    p.TypeAndTab("mskCourse_1", "0450");
    EXPECT_TRUE(stop->isVisible());
    p.TypeAndTab("mskDist", "0010000");
    EXPECT_FALSE(stop->isVisible());
    double lat2 = 0, lon2 = 0;
    RhumbLineDirect(45, -5, 45, 100, lat2, lon2, p.S().E);
    EXPECT_EQ(p.Shown("mskLat_1").toStdString(), FormatLatitude(lat2, test::ShownSep()));
    EXPECT_EQ(p.Shown("mskLong_1").toStdString(), FormatLongitude(lon2, test::ShownSep()));
    EXPECT_EQ(p.Field("mskLat_1")->BackColor(), kComputedYellow);
    EXPECT_EQ(p.Field("mskLong_1")->BackColor(), kComputedYellow);
    EXPECT_EQ(p.Field("mskDist")->BackColor(), kValidGreen);
    EXPECT_EQ(p.Field("mskCourse_1")->BackColor(), kValidGreen);
    EXPECT_FALSE(p.S().Utilities.UtilEntered[2]);  // a computed field stays an output
    EXPECT_TRUE(p.S().Utilities.RLShown);
    EXPECT_TRUE(p.script.messages.empty());

    // With a result shown a changed course does not recompute...
    const QString shown = p.Shown("mskLat_1");
    p.TypeAndTab("mskCourse_1", "0900");
    EXPECT_EQ(p.Shown("mskLat_1"), shown);
    // ... the Compute button does.
    p.Click("cmdCompute_0");
    EXPECT_EQ(p.Shown("mskLat_1").toStdString(), FormatLatitude(45.0, test::ShownSep()));
}

// Two positions, no course or distance: course "000°.0" and distance
// "00000.00" in yellow; a distance without a course poses nothing.
TEST(UtilitiesRhumbLine, InverseProblemAndNoProblem) {
    UtilitiesDriver p;
    p.TypeFields("mskLat_0", {"50000n", "001000w", "40000n"});
    p.Type("mskLong_1", "070000w");
    test::Click(p.Field("mskLat_0"), test::Place::Middle);  // Tab would enter the course
    double c = 0, d = 0;
    RhumbLineInverse(50, -1, 40, -70, c, d, p.S().E);
    EXPECT_EQ(p.Shown("mskCourse_1").toStdString(), FormatNumber(c, "000°.0", test::ShownSep()));
    EXPECT_EQ(p.Shown("mskDist").toStdString(), FormatNumber(d, "00000.00", test::ShownSep()));
    EXPECT_EQ(p.Field("mskCourse_1")->BackColor(), kComputedYellow);

    // Swap: departure and arrival change places, course and distance are
    // erased and the swapped route is computed again at the next Compute.
    p.Click("cmdShift");
    EXPECT_EQ(p.Shown("mskLat_0"), test::Shown("40°00'.0 N"));
    EXPECT_EQ(p.Shown("mskLong_1"), test::Shown("001°00'.0 W"));
    EXPECT_FALSE(p.S().Utilities.UtilEntered[10]);
    EXPECT_FALSE(p.S().Utilities.UtilEntered[11]);
    p.Click("cmdCompute_0");
    RhumbLineInverse(40, -70, 50, -1, c, d, p.S().E);
    EXPECT_EQ(p.Shown("mskCourse_1").toStdString(), FormatNumber(c, "000°.0", test::ShownSep()));

    // "Erase all" clears the tab; departure, arrival latitude and distance
    // without a course show the stop sign.
    p.Click("cmdErase_6");
    EXPECT_FALSE(p.S().Utilities.RLShown);
    for (int i : {0, 1, 2, 3, 10, 11}) EXPECT_FALSE(p.S().Utilities.UtilEntered[i]) << i;
    EXPECT_EQ(p.Shown("mskLat_0"), test::Shown("__°__'._ _"));
    p.TypeFields("mskLat_0", {"50000n", "001000w", "40000n"});
    p.TypeAndTab("mskDist", "0010000");
    EXPECT_TRUE(p.Named("imgStopCompute")->isVisible());
    EXPECT_EQ(p.Shown("mskLong_1"), test::Shown("___°__'._ _"));
}

// Erasing one input after a result leaves RLShown: completing the inputs
// again shows nothing new until Compute.
TEST(UtilitiesRhumbLine, SingleEraseKeepsTheShownResult) {
    UtilitiesDriver p;
    p.TypeFields("mskLat_0", {"10000n", "020000w"});
    p.TypeFields("mskCourse_1", {"1800", "0006000"});
    double lat60 = 0, lat120 = 0, lon = 0;
    RhumbLineDirect(10, -20, 180, 60, lat60, lon, p.S().E);
    RhumbLineDirect(10, -20, 180, 120, lat120, lon, p.S().E);
    const QString first = QString::fromStdString(FormatLatitude(lat60, test::ShownSep()));
    EXPECT_EQ(p.Shown("mskLat_1"), first);
    p.Click("cmdErase_5");
    EXPECT_EQ(p.Shown("mskDist"), test::Shown("_____.__"));
    EXPECT_TRUE(p.Field("mskDist")->hasFocus());
    p.TypeAndTab("mskDist", "0012000");
    EXPECT_EQ(p.Shown("mskLat_1"), first);
    p.Click("cmdCompute_0");
    EXPECT_EQ(p.Shown("mskLat_1").toStdString(), FormatLatitude(lat120, test::ShownSep()));
}

// The refusals of the ETA fields, byte for byte, with their substitutions,
// and the one silent pass after a crossed speed: leaving the refused field.
TEST(UtilitiesEta, FieldRefusals) {
    UtilitiesDriver p("mnuUtilETA");
    p.TypeAndTab("mskMinSpeed", "0300");
    ASSERT_EQ(p.script.messages.size(), 1u);
    EXPECT_EQ(p.script.messages[0].title, " Error in input data");
    EXPECT_EQ(p.script.messages[0].text, "Your minimum speed is greater than the maximum speed.");
    EXPECT_EQ(p.script.messages[0].style, kIconExclamation + kButtonsOk);
    EXPECT_DOUBLE_EQ(p.S().Utilities.MinSpeed, 24.0);
    EXPECT_TRUE(p.Field("mskMinSpeed")->hasFocus());
    // Leaving the refused minimum passes silently; the maximum is judged.
    p.TypeAndTab("mskMaxSpeed", "0050");
    ASSERT_EQ(p.script.messages.size(), 2u);
    EXPECT_EQ(p.script.LastText(), "Your maximum speed is less than the minimum speed.");
    EXPECT_DOUBLE_EQ(p.S().Utilities.MaxSpeed, 24.0);
    // The pass left by the refused maximum is used by its own next commit
    // (left after "Erase all"): the minimum typed then is judged.
    p.Click("cmdErase_14");
    p.script.Clear();
    p.TypeAndTab("mskMinSpeed", "0000");
    EXPECT_EQ(p.script.Titles(), std::vector<QString>{" Error in input data"});
    EXPECT_EQ(p.script.LastText(), "Your minimum speed is zero or negative.");
    p.TypeAndTab("mskMinSpeed", "0100");
    p.TypeAndTab("mskMaxSpeed", "0000");
    EXPECT_EQ(p.script.LastText(), "Your maximum speed is zero or negative.");
    EXPECT_DOUBLE_EQ(p.S().Utilities.MaxSpeed, 10.0);
    p.TypeAndTab("mskMaxSpeed", "0240");
    p.Click("cmdErase_14");
    p.TypeAndTab("mskInterv", "0000");
    EXPECT_EQ(p.script.LastText(), "Your speed interval is negative or zero.");
    EXPECT_DOUBLE_EQ(p.S().Utilities.SpeedInterv, 0.1);
    p.TypeAndTab("mskInterv", "1500");
    EXPECT_EQ(p.script.LastText(), "Your speed interval is too big.");
    EXPECT_DOUBLE_EQ(p.S().Utilities.SpeedInterv, 14.0);
    // An interval equal to the range is accepted.
    p.script.Clear();
    p.TypeAndTab("mskInterv", "1400");
    EXPECT_TRUE(p.script.messages.empty());
    EXPECT_DOUBLE_EQ(p.S().Utilities.SpeedInterv, 14.0);
}

// The ETA table from the Compute button: rows, speeds, rounding, zones.
TEST(UtilitiesEta, TableRowsAndRounding) {
    UtilitiesDriver p("mnuUtilETA");
    EXPECT_FALSE(p.EtaTable()->isVisible());
    p.Named<QDateTimeEdit>("dtpTime_2")
        ->setDateTime(QDateTime(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC));
    p.TypeAndTab("mskDTG", "0024000");
    p.Click("cmdCompute_2");
    ASSERT_TRUE(p.EtaTable()->isVisible());
    ASSERT_EQ(p.EtaTable()->rowCount(), 29);
    EXPECT_EQ(p.EtaCell(0, 0), test::Shown("10.0"));
    EXPECT_EQ(p.EtaCell(0, 1), "2 Mar 2026 12:00:00");
    EXPECT_EQ(p.EtaCell(28, 0), test::Shown("24.0"));
    EXPECT_EQ(p.EtaCell(28, 1), "1 Mar 2026 22:00:00");
    EXPECT_EQ(p.EtaTable()->horizontalHeaderItem(1)->text(), "ETA in GMT        ");
    EXPECT_EQ(p.EtaTable()->horizontalHeaderItem(2)->text(), "ETA in LT           ");

    // Quarters of an hour; 240 miles at 10.5 knots take 22 h 51' 26": 10:51:26
    // the next day reads 10:45.
    p.Choose("optRound_2");
    EXPECT_DOUBLE_EQ(p.S().Utilities.EtaRound, 96.0);
    p.Click("cmdCompute_2");
    EXPECT_EQ(p.EtaCell(1, 0), test::Shown("10.5"));
    EXPECT_EQ(p.EtaCell(1, 1), "2 Mar 2026 10:45:00");
    // Local column in zone +2 (list row "GMT +2").
    auto* zone = p.Named<QComboBox>("cboGMT_1");
    zone->setCurrentIndex(zone->findData(200));
    p.Click("cmdCompute_2");
    EXPECT_EQ(p.EtaCell(1, 2), "2 Mar 2026 12:45:00");

    // Erase all hides the table and resets the speeds.
    p.Click("cmdErase_14");
    EXPECT_FALSE(p.EtaTable()->isVisible());
    EXPECT_EQ(p.Shown("mskMinSpeed"), test::Shown("_10.0"));
    EXPECT_EQ(p.Shown("mskInterv"), test::Shown("_0.50"));
    EXPECT_DOUBLE_EQ(p.S().Utilities.MaxSpeed, 24.0);
}

// Moving to the ETA tab brings the rhumb-line distance; the departure time
// is the current UTC hour.
TEST(UtilitiesEta, EnteringTheTabTakesTheRhumbLineDistance) {
    UtilitiesDriver p;
    p.TypeFields("mskLat_0", {"50000n", "001000w", "50000n", "003000w"});
    const QString dist = p.Shown("mskDist");
    p.Click("cmdNextTabUtil_0");
    p.Click("cmdNextTabUtil_1");
    ASSERT_EQ(p.Tab(), 2);
    EXPECT_EQ(p.Shown("mskDTG"), dist);
    EXPECT_NEAR(p.S().Utilities.EtaDist, p.S().Utilities.RLDist, 0.005);
    EXPECT_EQ(p.Named<QDateTimeEdit>("dtpTime_2")->time(), QTime(14, 0));
}

// A zero interval between equal speeds gives one row, not an error; the
// error report of a failing step is shown once a second.
TEST(UtilitiesEta, ErrorReportShownOncePerSecond) {
    UtilitiesDriver p("mnuUtilETA");
    ManualClock clock(1000.0);
    p.TypeFields("mskMinSpeed", {"0100", "0200"});
    p.Click("cmdCompute_2");  // the fields committed, the table shown
    ASSERT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
    p.S().Utilities.SpeedInterv = 0;  // as no field would let through
    p.Click("cmdCompute_2");
    p.Click("cmdCompute_2");
    ASSERT_EQ(p.script.messages.size(), 1u);
    EXPECT_EQ(p.script.messages[0].title, " ERROR REPORT");
    EXPECT_EQ(p.script.messages[0].style, kIconCritical + kButtonsOk);
    EXPECT_TRUE(p.script.messages[0].text.endsWith("Division by zero."));
    clock.seconds += 2.0;
    p.Click("cmdCompute_2");
    EXPECT_EQ(p.script.messages.size(), 2u);
    p.S().Utilities.MaxSpeed = 10;
    p.Click("cmdCompute_2");
    EXPECT_EQ(p.EtaTable()->rowCount(), 1);
}

// The great-circle Compute refuses incomplete or identical positions.
TEST(UtilitiesGreatCircle, RefusalsOfTheComputeButton) {
    UtilitiesDriver p("mnuUtilGC");
    p.TypeFields("mskLat_2", {"40000n", "010000w", "40000n"});
    p.script.Clear();
    p.Click("cmdCompute_1");
    ASSERT_EQ(p.script.messages.size(), 1u);
    EXPECT_EQ(p.script.messages[0].title, " Missing data");
    EXPECT_EQ(p.script.messages[0].text,
              "Departure and/or arrival position not complete. Please correct.");
    EXPECT_FALSE(p.Named("rtfCalcWP")->isVisible());
    p.TypeAndTab("mskLong_3", "010000w");
    p.script.Clear();
    p.Click("cmdCompute_1");
    ASSERT_EQ(p.script.messages.size(), 1u);
    EXPECT_EQ(p.script.messages[0].title, " Departure = Arrival ?");
    EXPECT_EQ(p.script.messages[0].text, "Same departure and arrival positions. Please correct.");
}

// A composite sailing with waypoints: the report is filled to the end, the
// outline shows the composite rows, RLDist and RLCourse take the totals, and
// the erase of a position hides the results again.
TEST(UtilitiesGreatCircle, CompositeReportAndOutline) {
    UtilitiesDriver p("mnuUtilGC");
    p.TypeGreatCircle("40000n", "140000e", "35000n", "125000w");
    p.TypeFields("mskLat_4", {"4500", "100"});
    EXPECT_DOUBLE_EQ(p.S().Long(5), 10.0);
    p.script.Clear();
    p.Click("cmdCompute_1");
    EXPECT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
    EXPECT_TRUE(p.Named("rtfCalcWP")->isVisible());
    EXPECT_TRUE(p.Named("outGCRes")->isVisible());
    EXPECT_FALSE(p.Named("fraEllipsoid_1")->isVisible());
    EXPECT_EQ(p.Named<QLabel>("lblNS")->text(), "N");
    const QString text = p.Report();
    EXPECT_EQ(text.count(kPlaceholderMark), 0);
    EXPECT_TRUE(text.contains("Composite sailing:"));
    EXPECT_TRUE(text.contains("WGS 1984"));
    EXPECT_TRUE(text.contains("End of great circle calculation by Orvex 1.2"));
    const std::vector<test::OutlineEntry> outline = p.Outline();
    ASSERT_EQ(outline.size(), 23u);
    EXPECT_EQ(outline[10].level, 1);
    EXPECT_EQ(outline[22].level, 3);
    EXPECT_TRUE(outline[0].text.startsWith("GC Dist "));
    EXPECT_TRUE(outline[14].text.startsWith("Dist = "));
    const auto& table = p.S().Utilities.WaypointTable;
    ASSERT_GT(table.size(), 5u);
    EXPECT_GT(p.S().Utilities.RLDist, 4000.0);
    EXPECT_TRUE(outline[1].text.endsWith(
        QString::fromStdString(FormatNumber(p.S().Utilities.RLDist, "####0.0", test::ShownSep()))));
    QDir().mkpath(test::TestOutputFolder());
    p.w->grab().save(test::TestOutputFolder() + "/utilities-great-circle-composite.png");

    // Erase one position: results hidden, ellipsoid frame back.
    p.Click("cmdErase_8");
    EXPECT_FALSE(p.Named("rtfCalcWP")->isVisible());
    EXPECT_FALSE(p.Named("outGCRes")->isVisible());
    EXPECT_TRUE(p.Named("fraEllipsoid_1")->isVisible());
    EXPECT_FALSE(p.S().Utilities.UtilEntered[4]);
}

// A limit nearer the equator than the departure: the message, the field
// marked and no report.
TEST(UtilitiesGreatCircle, LimitBelowTheDepartureIsRefused) {
    UtilitiesDriver p("mnuUtilGC");
    p.TypeGreatCircle("50000n", "005000w", "42000n", "065000w");
    p.TypeAndTab("mskLat_4", "4500");
    p.script.Clear();
    p.Click("cmdCompute_1");
    ASSERT_EQ(p.script.messages.size(), 1u);
    EXPECT_EQ(p.script.messages[0].title, " Error in input data");
    EXPECT_EQ(p.script.messages[0].text,
              "The maximum latitude is smaller than the departure latitude.");
    EXPECT_EQ(p.Shown("mskLat_4"), "45°0_'");
    EXPECT_FALSE(p.Named("rtfCalcWP")->isVisible());
    EXPECT_EQ(p.Report().count(kPlaceholderMark), 0);
}

// Guards a damaged great-circle template, which gave a report without its
// figures and no message, and an unreadable one reported as "File not
// found": the marks are counted before anything is computed, the error
// report names the fault and no report shows; a whole template works again.
TEST(UtilitiesGreatCircle, DamagedTemplateIsRefused) {
    UtilitiesDriver p("mnuUtilGC");
    p.TypeGreatCircle("40000n", "010000w", "35000n", "070000w");
    QFile t(QString(ORVEX_PROGRAM_DIR) + "/CalcWP.rtf");
    ASSERT_TRUE(t.open(QIODevice::ReadOnly));
    const QByteArray whole = t.readAll();
    QByteArray unmarked = whole;
    unmarked.replace("\\'a7", "");
    const QString path = p.folder.Path() + "/CalcWP.rtf";
    QWidget* report = p.Named("rtfCalcWP");
    auto compute = [&] {
        p.script.Clear();
        p.Click("cmdCompute_1");
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
        EXPECT_FALSE(report->isVisible());
    }
    p.folder.Write("CalcWP.rtf", whole.toStdString());
    EXPECT_EQ(compute(), QString());
    EXPECT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
    EXPECT_TRUE(report->isVisible());

    // Present but unreadable: a folder in its place, and for a user who is
    // not root (root reads anything) a file without read permission.
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkdir(path));
    QString text = compute();
    EXPECT_TRUE(text.contains("Error 75: ") && text.contains("CalcWP.rtf is not a regular file"))
        << text.toStdString();
    EXPECT_FALSE(report->isVisible());
    ASSERT_TRUE(QDir().rmdir(path));
    {
        // Unreadable already at start: named so at the computation too.
        UtilitiesDriver q("mnuUtilGC", false);
        q.TypeGreatCircle("40000n", "010000w", "35000n", "070000w");
        q.script.Clear();
        q.Click("cmdCompute_1");
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
    UtilitiesDriver p("mnuUtilGC");
    p.TypeGreatCircle("30000s", "010000e", "20000n", "050000e");
    p.Click("updLat_Up");
    EXPECT_EQ(p.Shown("mskLat_4"), "30°00'");
    EXPECT_DOUBLE_EQ(p.S().Lat(5), 30.0);  // entered without hemisphere
    EXPECT_TRUE(p.S().Utilities.UtilEntered[8]);
    p.Click("cmdErase_12");
    p.Click("updLat_Down");
    EXPECT_DOUBLE_EQ(p.S().Lat(5), 0.0);
    p.Click("updLong_Up");
    p.Click("updLong_Up");
    EXPECT_EQ(p.Shown("mskLong_4"), "02°00'");
    EXPECT_DOUBLE_EQ(p.S().Long(5), 2.0);
    p.Click("updLong_Down");
    p.Click("updLong_Down");
    EXPECT_DOUBLE_EQ(p.S().Long(5), 1.0);
    p.Menu("mnuUtilETA");
    p.Type("mskMinSpeed", "0010");
    p.Click("updMinSpeed_Down");  // the typed speed is committed first
    EXPECT_DOUBLE_EQ(p.S().Utilities.MinSpeed, 1.0);
    EXPECT_EQ(p.Shown("mskMinSpeed"), test::Shown("__1.0"));
    p.Click("updInterval_Up");
    EXPECT_EQ(p.Shown("mskInterv"), test::Shown("_1.00"));
}

// Without its report template the great circle is not computed: the error
// report names the missing file once.
TEST(UtilitiesGreatCircle, MissingTemplateIsReported) {
    UtilitiesDriver p("mnuUtilGC");
    ASSERT_TRUE(QFile::remove(p.folder.Path() + "/CalcWP.rtf"));
    p.TypeGreatCircle("50000n", "005000w", "40300n", "073500w");
    const double before = p.S().Utilities.RLDist;
    p.script.Clear();
    p.Click("cmdCompute_1");
    ASSERT_EQ(p.script.messages.size(), 1u);
    EXPECT_EQ(p.script.messages[0].title, " ERROR REPORT");
    EXPECT_TRUE(p.script.messages[0].text.endsWith("Error 53: File not found: CalcWP.rtf"));
    EXPECT_FALSE(p.Named("rtfCalcWP")->isVisible());
    EXPECT_EQ(p.S().Utilities.RLDist, before);
}

// Every erase button: its field's blank template, window colour, value and
// flag, after a value was typed; the group buttons empty their whole tab.
TEST(UtilitiesErase, EveryButtonEmptiesItsInput) {
    UtilitiesDriver p;
    auto& s = p.S();
    struct Case {
        const char* menu;
        int index;
        const char* field;
        const char* keys;
        QString blank;
        int flag;  // -1: none
    };
    const std::vector<Case> cases = {
        {"mnuUtilRL", 0, "mskLat_0", "12000n", test::Shown("__°__'._ _"), 0},
        {"mnuUtilRL", 1, "mskLong_0", "012000e", test::Shown("___°__'._ _"), 1},
        {"mnuUtilRL", 2, "mskLat_1", "12000n", test::Shown("__°__'._ _"), 2},
        {"mnuUtilRL", 3, "mskLong_1", "012000e", test::Shown("___°__'._ _"), 3},
        {"mnuUtilRL", 4, "mskCourse_1", "0120", test::Shown("___°._"), 10},
        {"mnuUtilRL", 5, "mskDist", "0001200", test::Shown("_____.__"), 11},
        {"mnuUtilGC", 8, "mskLat_2", "12000n", test::Shown("__°__'._ _"), 4},
        {"mnuUtilGC", 9, "mskLong_2", "012000e", test::Shown("___°__'._ _"), 5},
        {"mnuUtilGC", 10, "mskLat_3", "12000n", test::Shown("__°__'._ _"), 6},
        {"mnuUtilGC", 11, "mskLong_3", "012000e", test::Shown("___°__'._ _"), 7},
        {"mnuUtilGC", 12, "mskLat_4", "1200", "__°__'", 8},
        {"mnuUtilGC", 13, "mskLong_4", "120", "__°_0'", 9},
        {"mnuUtilETA", 15, "mskDTG", "0001200", test::Shown("_____.__"), -1},
        {"mnuUtilETA", 16, "mskMinSpeed", "0120", test::Shown("_10.0"), -1},
        {"mnuUtilETA", 17, "mskMaxSpeed", "0200", test::Shown("_24.0"), -1},
        {"mnuUtilETA", 18, "mskInterv", "0100", test::Shown("_0.50"), -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        p.Menu(c.menu);
        p.TypeAndTab(c.field, c.keys);
        EXPECT_EQ(p.Field(c.field)->BackColor(), kValidGreen);
        if (c.flag >= 0) {
            EXPECT_TRUE(s.Utilities.UtilEntered[c.flag]);
        }
        p.Click(QString("cmdErase_%1").arg(c.index));
        EXPECT_EQ(p.Shown(c.field), c.blank);
        EXPECT_EQ(p.Field(c.field)->BackColor(), MaskedField::WindowColor());
        if (c.flag >= 0) {
            EXPECT_FALSE(s.Utilities.UtilEntered[c.flag]);
        }
    }
    EXPECT_DOUBLE_EQ(s.Utilities.MinSpeed, 10.0);
    EXPECT_DOUBLE_EQ(s.Utilities.MaxSpeed, 24.0);
    EXPECT_DOUBLE_EQ(s.Utilities.SpeedInterv, 0.5);
    EXPECT_EQ(p.Named("cmdErase_0")->toolTip(), "Erase latitude");
    EXPECT_EQ(p.Named("cmdErase_13")->toolTip(), "Erase long. interval");
    EXPECT_EQ(p.Named("cmdErase_18")->toolTip(), "Reset interval");

    // Group erases: a southern composite sailing, then "Erase all" of its
    // tab; a single erase of the limit first puts the composite rows back
    // to level 0 and empties the hemisphere label.
    p.Menu("mnuUtilGC");
    p.TypeGreatCircle("35000s", "020000e", "38000s", "145000e");
    p.TypeFields("mskLat_4", {"4000", "050"});
    p.Click("cmdCompute_1");
    ASSERT_EQ(p.Named<QLabel>("lblNS")->text(), "S");
    ASSERT_NE(s.Utilities.GCOutline[12].Level, 0);
    p.Click("cmdErase_12");
    EXPECT_EQ(s.Utilities.GCOutline[12].Level, 0);
    EXPECT_TRUE(p.Named<QLabel>("lblNS")->text().isEmpty());
    p.Click("cmdErase_7");
    for (int i : {4, 5, 6, 7, 8, 9}) EXPECT_FALSE(s.Utilities.UtilEntered[i]) << i;
    EXPECT_TRUE(p.Named("fraEllipsoid_1")->isVisible());
    p.Menu("mnuUtilRL");
    p.TypeFields("mskLat_0", {"10000n", "020000w"});
    p.TypeFields("mskCourse_1", {"1800", "0006000"});
    ASSERT_TRUE(s.Utilities.RLShown);
    p.Click("cmdErase_6");
    for (int i : {0, 1, 2, 3, 10, 11}) EXPECT_FALSE(s.Utilities.UtilEntered[i]) << i;
    EXPECT_FALSE(s.Utilities.RLShown);
}

// Moving between the tabs: a complete great-circle route is copied into the
// rhumb-line fields and computed, and back; the ellipsoid label's double
// click opens the options and the options' End comes back.
TEST(UtilitiesTabs, RoutesFollowBetweenTabsAndEllipsoidLabel) {
    UtilitiesDriver p("mnuUtilGC");
    p.TypeGreatCircle("50000n", "005000w", "40300n", "073500w");
    p.Click("cmdPrevTabUtil_1");
    ASSERT_EQ(p.Tab(), 0);
    EXPECT_EQ(p.Shown("mskLat_0"), test::Shown("50°00'.0 N"));
    EXPECT_EQ(p.Shown("mskLong_1"), test::Shown("073°50'.0 W"));
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(p.S().Utilities.UtilEntered[i]) << i;
    EXPECT_EQ(p.Field("mskCourse_1")->BackColor(), kComputedYellow);
    EXPECT_TRUE(p.Field("mskLat_0")->hasFocus());

    QTest::mouseDClick(p.Named("lblChoosenEllipsoid_0"), Qt::LeftButton);
    EXPECT_FALSE(p.Page()->isVisible());
    EXPECT_TRUE(p.Preferences()->isVisible());
    EXPECT_EQ(p.Preferences()->property("Tag").toString(), "CalledFromUtil");
    p.EndPreferences();
    EXPECT_TRUE(p.Page()->isVisible());
    EXPECT_EQ(p.Named<QLabel>("lblChoosenEllipsoid_0")->text(), "WGS 1984");

    // The sphere: the report speaks of geographical miles.
    p.ChooseEllipsoid("Normal Sphere - 0");
    EXPECT_EQ(p.Named<QLabel>("lblDistance_1")->text(), "[ geographical miles ]");
    p.Click("cmdNextTabUtil_0");
    p.Click("cmdCompute_1");
    EXPECT_TRUE(p.Report().contains(" geographical miles."));
    EXPECT_FALSE(p.Report().contains("nautical miles"));
    EXPECT_TRUE(p.Report().contains("Normal Sphere"));
}

// Pictures of the three tabs with results.
TEST(UtilitiesScreenshots, TabsWithResults) {
    UtilitiesDriver p;
    p.TypeFields("mskLat_0", {"49300n", "005100w"});
    p.TypeFields("mskCourse_1", {"2350", "0125000"});
    p.w->grab().save(test::TestOutputFolder() + "/utilities-rhumb-line.png");
    p.Click("cmdNextTabUtil_0");
    p.TypeGreatCircle("49300n", "005100w", "40300n", "073500w");
    p.TypeFields("mskLong_4", {"050"});
    p.Click("cmdCompute_1");
    EXPECT_TRUE(p.Named("rtfCalcWP")->isVisible());
    auto* report = p.Named<RichTextBox>("rtfCalcWP");
    report->verticalScrollBar()->setValue(report->verticalScrollBar()->maximum());
    p.w->grab().save(test::TestOutputFolder() + "/utilities-great-circle.png");
    p.Click("cmdNextTabUtil_1");
    p.Click("cmdCompute_2");
    p.w->grab().save(test::TestOutputFolder() + "/utilities-eta.png");
    EXPECT_TRUE(p.EtaTable()->isVisible());
}

}  // namespace
}  // namespace orvex
