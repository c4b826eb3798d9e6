// The utilities page driven as a user drives it: keys typed into the real
// fields, buttons clicked with the mouse while a field is still open, moves
// between the tabs with the page's own buttons, the ellipsoid changed from
// the preferences. What the page shows is checked against GeographicLib.
#include <gtest/gtest.h>

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/Rhumb.hpp>
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <cmath>

#include "charts/print_lib.h"
#include "grid_test_support.h"
#include "navlib/date_time.h"
#include "navlib/hooks.h"
#include "navlib/inout_lib.h"
#include "navlib/number_format.h"
#include "sailing/great_circle_report_box.h"
#include "tests/keyboard.h"
#include "tests/locale_switch.h"
#include "utilities_driver.h"

namespace orvex {
namespace {

constexpr double kMetresPerMile = 1852.0;

// The utilities page of a started, active window (opened from the menu),
// with the real report template and a fixed clock; GeographicLib's rhumb
// lines on the window's Earth model.
struct TypedPage : test::UtilitiesDriver {
    using test::UtilitiesDriver::UtilitiesDriver;
    GeographicLib::Rhumb Rhumb() {
        const EarthModel& E = S().E;
        return GeographicLib::Rhumb(E.SemiMajorAxis * kMetresPerMile,
                                    E.IsSphere() ? 0.0 : 1.0 / E.InvFlattening);
    }
};

// Guards the commit order when Compute is clicked while the course field is
// still open after a result: the typed course must be committed before the
// rhumb line is solved again, and the arrival agree with GeographicLib.
TEST(UtilitiesTyped, ComputeClickedWithTheCourseFieldOpen) {
    TypedPage p;
    p.TypeAndTab("mskLat_0", "45000n");
    p.TypeAndTab("mskLong_0", "005000w");
    p.TypeAndTab("mskCourse_1", "0450");
    p.TypeAndTab("mskDist", "0010000");
    ASSERT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
    ASSERT_TRUE(p.S().Utilities.RLShown);
    double lat2 = 0, lon2 = 0;
    p.Rhumb().Direct(45, -5, 45, 100 * kMetresPerMile, lat2, lon2);
    EXPECT_EQ(p.Shown("mskLat_1").toStdString(), FormatLatitude(lat2, test::ShownSep()));
    EXPECT_EQ(p.Shown("mskLong_1").toStdString(), FormatLongitude(lon2, test::ShownSep()));

    // A new course typed, the field left open, Compute clicked.
    p.Type("mskCourse_1", "1350");
    p.Click("cmdCompute_0");
    EXPECT_DOUBLE_EQ(p.S().Utilities.RLCourse, 135.0);
    p.Rhumb().Direct(45, -5, 135, 100 * kMetresPerMile, lat2, lon2);
    EXPECT_EQ(p.Shown("mskLat_1").toStdString(), FormatLatitude(lat2, test::ShownSep()));
    EXPECT_EQ(p.Shown("mskLong_1").toStdString(), FormatLongitude(lon2, test::ShownSep()));
    EXPECT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
}

// Guards the inverse problem typed with keys and the hand-over of the
// computed distance to the ETA tab by the "Next tab" buttons.
TEST(UtilitiesTyped, InverseThenEtaFromTheComputedDistance) {
    TypedPage p;
    p.TypeAndTab("mskLat_0", "50000n");
    p.TypeAndTab("mskLong_0", "001000w");
    p.TypeAndTab("mskLat_1", "40000n");
    p.TypeAndTab("mskLong_1", "070000w");
    double s12 = 0, azi = 0;
    p.Rhumb().Inverse(50, -1, 40, -70, s12, azi);
    const double dist = s12 / kMetresPerMile;
    // The field shows what the state holds, which agrees with GeographicLib
    // to the library's accuracy.
    EXPECT_EQ(p.Shown("mskCourse_1").toStdString(),
              FormatNumber(p.S().Utilities.RLCourse, "000°.0", test::ShownSep()));
    EXPECT_NEAR(p.S().Utilities.RLCourse, azi < 0 ? azi + 360 : azi, 1e-3);
    EXPECT_EQ(p.Shown("mskDist").toStdString(),
              FormatNumber(p.S().Utilities.RLDist, "00000.00", test::ShownSep()));
    EXPECT_NEAR(p.S().Utilities.RLDist, dist, 1e-5 * dist);

    // Rhumb line -> great circle -> ETA with the buttons of the page.
    p.Click("cmdNextTabUtil_0");
    ASSERT_EQ(p.Tab(), 1);
    EXPECT_EQ(p.Shown("mskLat_2"), test::Shown("50°00'.0 N"));
    p.Click("cmdCompute_1");
    ASSERT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
    const EarthModel& E = p.S().E;
    const GeographicLib::Geodesic g(E.SemiMajorAxis * kMetresPerMile, 1.0 / E.InvFlattening);
    double gs = 0, a1 = 0, a2 = 0;
    g.Inverse(50, -1, 40, -70, gs, a1, a2);
    EXPECT_NEAR(p.S().Utilities.RLDist, gs / kMetresPerMile, 2e-5 * gs / kMetresPerMile);
    const QString gcDistance = p.Outline().at(0).text;
    EXPECT_TRUE(gcDistance.startsWith("GC Distance = ")) << gcDistance.toStdString();
    EXPECT_TRUE(gcDistance.contains(
        QString::fromStdString(FormatNumber(gs / kMetresPerMile, "####0.0", test::ShownSep()))))
        << gcDistance.toStdString();

    p.Click("cmdNextTabUtil_1");
    ASSERT_EQ(p.Tab(), 2);
    MaskedField* dtg = p.Field("mskDTG");
    EXPECT_EQ(dtg->MaskedText().toStdString(),
              FormatNumber(p.S().Utilities.RLDist, "00000.00", test::ShownSep()));
    EXPECT_EQ(dtg->BackColor(), kValidGreen);
    // Departure at the whole hour of the clock, 9 Dec 2026 14:00 UT.
    EXPECT_NEAR(p.S().Utilities.EtaDepTime, MakeDateTime(2026, 12, 9, 14, 0, 0), 1e-9);

    p.Click("cmdCompute_2");
    ASSERT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
    ASSERT_TRUE(p.EtaTable()->isVisible());
    ASSERT_EQ(p.EtaTable()->rowCount(), 29);  // 10 to 24 knots by 0.5
    const double shownDist = ParsePositiveText(dtg->MaskedText().toStdString(), p.S().DecSep);
    for (int row : {0, 28}) {
        const double speed = 10.0 + 0.5 * row;
        const double eta = MakeDateTime(2026, 12, 9, 14, 0, 0) + shownDist / speed / 24.0;
        const double exact = std::trunc(eta * 86400.0 + 0.5) / 86400.0;
        EXPECT_EQ(p.EtaTable()->item(row, 1)->text().toStdString(),
                  FormatDateTime(exact, "d mmm yyyy hh:mm:ss"))
            << row;
    }
}

// Guards a Compute click on the great-circle tab while the arrival
// longitude is still open: the typed longitude is committed first, so the
// route is computed instead of " Missing data".
TEST(UtilitiesTyped, GreatCircleComputeWithTheArrivalOpen) {
    TypedPage p("mnuUtilGC");
    ASSERT_EQ(p.Tab(), 1);
    p.TypeAndTab("mskLat_2", "37480n");
    p.TypeAndTab("mskLong_2", "122300w");
    p.TypeAndTab("mskLat_3", "35000n");
    p.Type("mskLong_3", "140000e");
    p.Click("cmdCompute_1");
    ASSERT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
    EXPECT_TRUE(p.Named("outGCRes")->isVisible());
    EXPECT_TRUE(p.Named("rtfCalcWP")->isVisible());
    const EarthModel& E = p.S().E;
    const GeographicLib::Geodesic g(E.SemiMajorAxis * kMetresPerMile, 1.0 / E.InvFlattening);
    double gs = 0, a1 = 0, a2 = 0;
    g.Inverse(37.8, -122.5, 35, 140, gs, a1, a2);
    EXPECT_NEAR(p.S().Utilities.RLDist, gs / kMetresPerMile, 2e-5 * gs / kMetresPerMile);
    p.w->grab().save(test::TestOutputFolder() + "/utilities-typed-great-circle.png");

    // A second click, queued while the route is computed, waits its turn
    // (the pump turns the event loop as the program's does).
    test::FastPauses pump;
    test::FastKeyboard fingers;
    bool computing = false, cameInside = true;
    // The press and release alone: the driver's click turns the event loop
    // after them, which would run the next step inside this one.
    QWidget* compute = p.Named("cmdCompute_1");
    fingers.Then([&] {
        computing = true;
        QTest::mouseClick(compute, Qt::LeftButton);
        computing = false;
    });
    fingers.Then([&] {
        cameInside = computing;
        QTest::mouseClick(compute, Qt::LeftButton);
    });
    fingers.Drain();
    EXPECT_FALSE(cameInside);
    EXPECT_TRUE(p.Named("rtfCalcWP")->isVisible());
}

// Guards the ellipsoid chosen in the preferences opened from the page's
// label: the page comes back with the new name and Compute solves on it.
TEST(UtilitiesTyped, EllipsoidFromThePreferences) {
    TypedPage p;
    p.TypeAndTab("mskLat_0", "50000n");
    p.TypeAndTab("mskLong_0", "001000w");
    p.TypeAndTab("mskLat_1", "40000n");
    // Left with a click on Compute (the Tab key would walk into the computed
    // course, whose commit makes it a fifth input).
    p.Type("mskLong_1", "070000w");
    p.Click("cmdCompute_0");
    ASSERT_TRUE(p.S().Utilities.RLShown);
    QTest::mouseDClick(p.Named("lblChoosenEllipsoid_0"), Qt::LeftButton);
    ASSERT_TRUE(p.Preferences()->isVisible());
    ASSERT_FALSE(p.Page()->isVisible());
    p.ChooseEllipsoid("Normal Sphere - 0");
    p.EndPreferences();
    ASSERT_TRUE(p.Page()->isVisible());
    EXPECT_EQ(p.Tab(), 0);
    EXPECT_EQ(p.Named<QLabel>("lblChoosenEllipsoid_0")->text(), "Normal Sphere");
    EXPECT_EQ(p.Named<QLabel>("lblDistance_1")->text(), "[ geographical miles ]");
    p.Click("cmdCompute_0");
    ASSERT_TRUE(p.S().E.IsSphere());
    // Traditional Mercator sailing: meridional parts on the Clarke 1880
    // spheroid, sixty miles to the degree of latitude.
    const double e = std::sqrt(2.0 / 293.465 - 1.0 / (293.465 * 293.465));
    auto psi = [e](double lat) {
        const double phi = lat * M_PI / 180.0;
        return std::asinh(std::tan(phi)) - e * std::atanh(e * std::sin(phi));
    };
    const double course = std::atan2(-69.0 * M_PI / 180.0, psi(40) - psi(50));
    const double miles = std::fabs(-10.0 * 60.0 / std::cos(course));
    EXPECT_NEAR(p.S().Utilities.RLDist, miles, 1e-5 * miles);
    EXPECT_NEAR(p.S().Utilities.RLCourse, course * 180.0 / M_PI + 360.0, 1e-3);
    EXPECT_EQ(p.Shown("mskDist").toStdString(),
              FormatNumber(p.S().Utilities.RLDist, "00000.00", test::ShownSep()));
    EXPECT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
}

// Guards the ellipsoid under a decimal-comma locale: reading the chosen
// row through the C library's strtod once stopped at the point, so that
// after the sphere every row stayed a sphere and 0 to 60 N by rhumb line
// showed 3600,00 miles under the label of WGS 1984. The sphere is chosen,
// then WGS 1984, in the preferences, and the route typed.
TEST(UtilitiesTyped, EllipsoidChosenUnderDecimalCommaLocales) {
    for (const char* name : test::kCommaLocales) {
        test::LocaleSwitch locale(name);
        if (!locale.Installed()) GTEST_SKIP() << name << " is not installed";
        TypedPage p;
        ASSERT_EQ(p.S().DecSep, ",") << name;
        QTest::mouseDClick(p.Named("lblChoosenEllipsoid_0"), Qt::LeftButton);
        ASSERT_TRUE(p.Preferences()->isVisible());
        for (const char* row : {"Normal Sphere - 0", "WGS 1984 - 1/298,257223560493"})
            p.ChooseEllipsoid(row);
        p.EndPreferences();
        ASSERT_TRUE(p.Page()->isVisible());
        EXPECT_EQ(p.Named<QLabel>("lblChoosenEllipsoid_0")->text(), "WGS 1984");
        p.TypeAndTab("mskLat_0", "00000n");
        p.TypeAndTab("mskLong_0", "000000e");
        p.TypeAndTab("mskLat_1", "60000n");
        p.Type("mskLong_1", "000000e");
        p.Click("cmdCompute_0");
        EXPECT_EQ(p.S().E.InvFlattening, 298.257223560493) << name;
        EXPECT_EQ(p.Shown("mskDist").toStdString(), "03592,95") << name;
        double miles = 0, azimuth = 0;
        p.Rhumb().Inverse(0, 0, 60, 0, miles, azimuth);
        EXPECT_NEAR(p.S().Utilities.RLDist, miles / kMetresPerMile, 2e-5 * miles / kMetresPerMile);
        EXPECT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
    }
}

// Guards one message per click: a direct problem over the pole answered by
// the rhumb-line routine's special case shows its box once when Compute is
// pressed, not once per internal recomputation.
TEST(UtilitiesTyped, SpecialCaseShownOncePerCompute) {
    ManualClock clock(3600.0);
    TypedPage p;
    p.TypeAndTab("mskLat_0", "89000n");
    p.TypeAndTab("mskLong_0", "000000e");
    p.TypeAndTab("mskCourse_1", "0100");
    p.TypeAndTab("mskDist", "0050000");
    size_t first = p.script.messages.size();
    EXPECT_EQ(first, 1u);
    p.script.Clear();
    clock.seconds += 60.0;  // a minute later
    p.Click("cmdCompute_0");
    EXPECT_EQ(p.script.messages.size(), 1u);
    for (const auto& m : p.script.messages) EXPECT_EQ(m.title, "Special case in nautical routine");
}

// Types a route from 50°N 5°W to 40°30'N 73°30'W on the great-circle tab,
// leaving the last field open, and clicks Compute.
void ComputeAtlanticRoute(TypedPage& p) {
    p.TypeAndTab("mskLat_2", "50000n");
    p.TypeAndTab("mskLong_2", "005000w");
    p.TypeAndTab("mskLat_3", "40300n");
    p.Type("mskLong_3", "073500w");
    p.Click("cmdCompute_1");
}

// Guards a refused field followed by a click on Compute: the refusal keeps
// the focus and the click is lost, so no route is computed from the
// previous arrival while the field shows the refused text.
TEST(UtilitiesTyped, RefusedArrivalThenComputeClicked) {
    TypedPage p("mnuUtilGC");
    ComputeAtlanticRoute(p);
    ASSERT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
    const QString report = p.Report();
    const double dist = p.S().Utilities.RLDist;

    p.Type("mskLat_3", "95000n");
    p.Click("cmdCompute_1");
    ASSERT_EQ(p.script.messages.size(), 1u);
    EXPECT_EQ(p.script.messages[0].title, " Error in input data");
    EXPECT_TRUE(p.Field("mskLat_3")->hasFocus());
    EXPECT_EQ(p.Report(), report);
    EXPECT_EQ(p.S().Utilities.RLDist, dist);

    // The same on the rhumb-line tab: a refused arrival longitude, then
    // Compute clicked, leaves the shown course and distance alone.
    // The refused field holds the page: the tab move is lost as well.
    p.script.Clear();
    p.Click("cmdPrevTabUtil_1");
    EXPECT_EQ(p.Tab(), 1);
    EXPECT_EQ(p.script.messages.size(), 1u);
    p.TypeAndTab("mskLat_3", "40300n");
    p.script.Clear();
    p.Click("cmdPrevTabUtil_1");
    ASSERT_EQ(p.Tab(), 0);
    p.script.Clear();
    p.Type("mskLong_0", "005000w");
    p.Click("cmdCompute_0");
    const QString course = p.Shown("mskCourse_1");
    p.script.Clear();
    p.Type("mskLong_1", "190000w");
    p.Click("cmdCompute_0");
    EXPECT_EQ(p.script.messages.size(), 1u);
    EXPECT_TRUE(p.Field("mskLong_1")->hasFocus());
    EXPECT_EQ(p.Shown("mskCourse_1"), course);
}

// Presses the button's access key (Alt and the underlined letter) in the
// window and lets the button's pressed-look animation end in its click.
void PressAccessKey(QWidget* window, Qt::Key key, QAbstractButton* button) {
    bool clicked = false;
    auto c = QObject::connect(button, &QAbstractButton::clicked, [&] { clicked = true; });
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window, key,
                    Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return clicked; }, 1000));
    QObject::disconnect(c);
}

// Guards the commit order when Compute is pressed by its access key while
// the course field is open: the typed course is committed before the rhumb
// line is solved, as with a click.
TEST(UtilitiesTyped, AccessKeyComputeCommitsTheOpenField) {
    TypedPage p;
    p.TypeAndTab("mskLat_0", "45000n");
    p.TypeAndTab("mskLong_0", "005000w");
    p.TypeAndTab("mskCourse_1", "0450");
    p.TypeAndTab("mskDist", "0010000");
    ASSERT_TRUE(p.S().Utilities.RLShown);
    p.Type("mskCourse_1", "1350");
    PressAccessKey(p.w.get(), Qt::Key_C, p.Named<QAbstractButton>("cmdCompute_0"));
    EXPECT_DOUBLE_EQ(p.S().Utilities.RLCourse, 135.0);
    EXPECT_TRUE(p.S().Utilities.UtilEntered[10]);
    double lat2 = 0, lon2 = 0;
    p.Rhumb().Direct(45, -5, 135, 100 * kMetresPerMile, lat2, lon2);
    EXPECT_EQ(p.Shown("mskLat_1").toStdString(), FormatLatitude(lat2, test::ShownSep()));
    EXPECT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
}

// Guards a refused field followed by the access key of Compute: one
// refusal, the focus kept, and nothing computed from the previous value.
TEST(UtilitiesTyped, AccessKeyComputeAfterARefusal) {
    TypedPage p("mnuUtilGC");
    ComputeAtlanticRoute(p);
    ASSERT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
    const QString report = p.Report();
    p.Type("mskLat_3", "95000n");
    test::AltLetter('c');
    QTest::qWait(250);  // longer than the button's pressed look
    ASSERT_EQ(p.script.messages.size(), 1u);
    EXPECT_EQ(p.script.messages[0].title, " Error in input data");
    EXPECT_TRUE(p.Field("mskLat_3")->hasFocus());
    EXPECT_EQ(p.Report(), report);
}

// Guards the tab moves by the tab's access key and by a click on its tab
// while the last rhumb-line position is still open: the position is
// committed before the great-circle tab takes the route over.
TEST(UtilitiesTyped, TabMovesWithTheLastPositionOpen) {
    for (bool byKey : {true, false}) {
        TypedPage p;
        p.TypeAndTab("mskLat_0", "50000n");
        p.TypeAndTab("mskLong_0", "005000w");
        p.TypeAndTab("mskLat_1", "40300n");
        p.Type("mskLong_1", "073500w");
        if (byKey) {
            test::AltLetter('g');
        } else {
            QTabBar* bar = p.Page()->tabBar();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
        }
        ASSERT_EQ(p.Tab(), 1) << byKey;
        EXPECT_TRUE(p.S().Utilities.UtilEntered[3]) << byKey;
        EXPECT_EQ(p.Shown("mskLong_3"), test::Shown("073°50'.0 W")) << byKey;
        for (int i = 4; i < 8; ++i) EXPECT_TRUE(p.S().Utilities.UtilEntered[i]) << byKey << i;
        EXPECT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
    }
}

// Guards a corrected speed after a refusal: the minimum speed typed above
// the maximum is refused once, the value typed next is the one the table
// is computed with (not the maximum that stood in for it).
TEST(UtilitiesTyped, SpeedCorrectedAfterARefusal) {
    TypedPage p("mnuUtilETA");
    ASSERT_EQ(p.Tab(), 2);
    MaskedField* minSpeed = p.Field("mskMinSpeed");
    p.TypeAndTab("mskDTG", "0030000");
    p.TypeAndTab("mskMinSpeed", "0300");
    ASSERT_EQ(p.script.messages.size(), 1u);
    EXPECT_EQ(p.script.messages[0].text, "Your minimum speed is greater than the maximum speed.");
    EXPECT_TRUE(minSpeed->hasFocus());
    p.script.Clear();
    p.TypeAndTab("mskMinSpeed", "0120");
    EXPECT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
    EXPECT_DOUBLE_EQ(p.S().Utilities.MinSpeed, 12.0);
    EXPECT_EQ(minSpeed->BackColor(), kValidGreen);
    p.Click("cmdCompute_2");
    ASSERT_EQ(p.EtaTable()->rowCount(), 25);  // 12 to 24 knots by 0.5
    EXPECT_EQ(p.EtaTable()->item(0, 0)->text(), test::Shown("12.0"));

    // The same for the maximum below the minimum.
    p.script.Clear();
    MaskedField* maxSpeed = p.Field("mskMaxSpeed");
    p.TypeAndTab("mskMaxSpeed", "0050");
    ASSERT_EQ(p.script.messages.size(), 1u);
    EXPECT_EQ(p.script.messages[0].text, "Your maximum speed is less than the minimum speed.");
    p.script.Clear();
    p.TypeAndTab("mskMaxSpeed", "0200");
    EXPECT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
    EXPECT_DOUBLE_EQ(p.S().Utilities.MaxSpeed, 20.0);
    EXPECT_EQ(maxSpeed->BackColor(), kValidGreen);
}

// Guards the Print buttons clicked before anything was computed: the
// great-circle report's button waits for a report (the bare template would
// print its placeholders), the empty ETA table goes to the printer without
// a fault, and the printer's settings come back as they were.
TEST(UtilitiesTyped, PrintBeforeAnyComputation) {
    TypedPage p("mnuUtilGC");
    QTemporaryDir dir;
    PrinterScript printers;
    printers.printers = {"Bridge printer"};
    printers.folder = dir.path();
    EXPECT_FALSE(p.Named("cmdAskPrint_0")->isEnabled());
    p.Click("cmdAskPrint_0");
    EXPECT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
    EXPECT_TRUE(printers.jobs.isEmpty());
    p.Click("cmdNextTabUtil_1");
    ASSERT_EQ(p.Tab(), 2);
    p.Click("cmdAskPrint_1");
    EXPECT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
    EXPECT_EQ(printers.jobs.size(), 1);
    EXPECT_EQ(ProgramPrinter::Instance().Orientation(), kOrientationPortrait);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace orvex
