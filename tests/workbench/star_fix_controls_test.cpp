// The star-fix input's own controls and the page toolbars' rules: option
// boxes, date-time pickers, ellipsoid and time-zone lists, the time-store
// button, and what each toolbar button runs.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QPushButton>
#include <QToolBar>

#include "charts/print_lib.h"
#include "companions/frm_azimuth.h"
#include "companions/frm_star_fix_wizard.h"
#include "input_fields_support.h"
#include "inputs/main_lists.h"
#include "sailing/utilities_page.h"
#include "workbench/options_page.h"
#include "workbench/results_page.h"

namespace orvex {
namespace {

QDateTime Utc(int y, int mo, int d, int h, int mi, int s = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
}

// Guards the two copies of the one-estimated-position option staying in
// step both ways, and the course-and-speed option.
TEST(StarFixControls, OptionBoxes) {
    test::InputWindow in(".");
    FrmWorking& w = *in.w;
    EXPECT_TRUE(test::Named<QCheckBox>(&w, "ch3FullRoutine")->isChecked());
    EXPECT_FALSE(test::Named<QCheckBox>(&w, "ch3OneEstPos_0")->isChecked());
    EXPECT_FALSE(test::InputNamed<QCheckBox>(w, "ch3OneEstPos_1")->isChecked());
    EXPECT_EQ(test::Named<QCheckBox>(&w, "ch3FullRoutine")->text(),
              "Correct the course and speed if enough observations.");
    EXPECT_EQ(test::InputNamed<QCheckBox>(w, "ch3OneEstPos_1")->text(),
              "Compute all intercepts with one estimated position.");

    test::InputNamed<QCheckBox>(w, "ch3OneEstPos_1")->click();  // the input page's box
    EXPECT_TRUE(test::Named<QCheckBox>(&w, "ch3OneEstPos_0")->isChecked());
    EXPECT_TRUE(w.State().OneEstPos);
    w.Action("mnuOptionsTab")->trigger();
    test::Named<QCheckBox>(&w, "ch3OneEstPos_0")->click();  // the options page's box
    EXPECT_FALSE(test::InputNamed<QCheckBox>(w, "ch3OneEstPos_1")->isChecked());
    EXPECT_FALSE(w.State().OneEstPos);

    test::Named<QCheckBox>(&w, "ch3FullRoutine")->click();
    EXPECT_FALSE(w.State().FullRoutine);
    test::Named<QCheckBox>(&w, "ch3FullRoutine")->click();
    EXPECT_TRUE(w.State().FullRoutine);
    // The solver's systematic-error box is there for the driver to read.
    EXPECT_FALSE(test::Named<QCheckBox>(&w, "ch3FindSystErr")->isChecked());
    test::Named<QCheckBox>(&w, "ch3FindSystErr")->click();
    EXPECT_TRUE(test::Named<QCheckBox>(&w, "ch3FindSystErr")->isChecked());
}

// Guards the pickers: the wanted time follows the estimated-position time
// (shown only) until its own picker is left once; afterwards they are
// independent. Real focus moves commit them.
TEST(StarFixControls, PickersOfTheTwoTimes) {
    test::InputWindow in(".");
    FrmWorking& w = *in.w;
    WorkbenchState& s = w.State();
    const double before = s.TimeTruePos;
    test::InputNamed<QDateTimeEdit>(w, "dtpTime_0")->setFocus(Qt::TabFocusReason);
    test::InputNamed<QDateTimeEdit>(w, "dtpTime_0")->setDateTime(Utc(2026, 12, 9, 18, 30));
    in.Leave(test::InputNamed(w, "mskLat_5"));
    EXPECT_EQ(s.TimeEstPos, MakeDateTime(2026, 12, 9, 18, 30));
    EXPECT_TRUE(s.FixEntered[1]);
    EXPECT_EQ(test::InputNamed<QDateTimeEdit>(w, "dtpTime_1")->dateTime(),
              Utc(2026, 12, 9, 18, 30));
    EXPECT_EQ(s.TimeTruePos, before);  // shown, not taken
    EXPECT_FALSE(s.FixEntered[4]);

    test::InputNamed<QDateTimeEdit>(w, "dtpTime_1")->setFocus(Qt::TabFocusReason);
    in.Leave(test::InputNamed(w, "mskLat_5"));  // left unchanged: committed as shown
    EXPECT_EQ(s.TimeTruePos, MakeDateTime(2026, 12, 9, 18, 30));
    EXPECT_TRUE(s.FixEntered[4]);

    test::InputNamed<QDateTimeEdit>(w, "dtpTime_0")->setDateTime(Utc(2026, 12, 9, 19, 0));
    test::InputNamed<QDateTimeEdit>(w, "dtpTime_0")->setFocus(Qt::TabFocusReason);
    in.Leave(test::InputNamed(w, "mskLat_5"));
    EXPECT_EQ(s.TimeEstPos, MakeDateTime(2026, 12, 9, 19, 0));
    EXPECT_EQ(test::InputNamed<QDateTimeEdit>(w, "dtpTime_1")->dateTime(),
              Utc(2026, 12, 9, 18, 30));  // no longer follows
    EXPECT_EQ(s.TimeTruePos, MakeDateTime(2026, 12, 9, 18, 30));

    // The ETA departure time of the utilities page, taken when it is left.
    w.findChild<QAction*>("mnuUtilETA")->trigger();
    auto* departure = test::UtilitiesControl<QDateTimeEdit>(w, "dtpTime_2");
    departure->setFocus(Qt::TabFocusReason);
    departure->setDateTime(QDateTime(QDate(2026, 7, 14), QTime(6, 15), departure->timeSpec()));
    in.Leave(test::UtilitiesControl(w, "mskDTG"));
    EXPECT_EQ(s.Utilities.EtaDepTime, MakeDateTime(2026, 7, 14, 6, 15));
    EXPECT_TRUE(in.script.messages.empty());
}

// Guards the tab-0 focus: entering the first input tab puts the caret in
// the time of the estimated position.
TEST(StarFixControls, FirstTabFocusesTheEstimatedTime) {
    test::InputWindow in(".");
    test::ClickButton(test::InputNamed<QPushButton>(*in.w, "cmdNextTabIn_0"));
    in.script.Clear();
    test::ClickButton(test::InputNamed<QPushButton>(*in.w, "cmdPrevTabIn_1"));
    EXPECT_TRUE(test::InputNamed<QDateTimeEdit>(*in.w, "dtpTime_0")->hasFocus());
}

// Guards the ellipsoid choice: the sphere's model and unit, and the name
// labels, with the page hidden, shown, or waiting under the preferences.
TEST(StarFixControls, EllipsoidChoice) {
    test::InputWindow in(",", false);
    FrmWorking& w = *in.w;
    auto label = [&](int i) {
        return test::UtilitiesControl<QLabel>(w, QString("lblChoosenEllipsoid_%1").arg(i));
    };
    auto* unit = test::UtilitiesControl<QLabel>(w, "lblDistance_1");
    EXPECT_EQ(label(0)->text(), "WGS 1984");

    test::Named<QComboBox>(&w, "cboEllipsoid_0")->setCurrentIndex(kSphereEllipsoidRow);
    EXPECT_EQ(w.State().E.InvFlattening, 1e100);
    EXPECT_DOUBLE_EQ(w.State().E.SemiMajorAxis, 3437.7467705183585);
    EXPECT_EQ(unit->text(), "[ geographical miles ]");
    for (int i : {0, 1}) EXPECT_EQ(label(i)->text(), "Normal Sphere");

    w.Action("mnuUtilRL")->trigger();
    test::Named<QComboBox>(&w, "cboEllipsoid_0")
        ->setCurrentIndex(3);  // Clarke 1866, read with the comma
    EXPECT_DOUBLE_EQ(w.State().E.InvFlattening, 294.978698213901);
    EXPECT_EQ(unit->text(), "[ nautical miles ]");
    EXPECT_EQ(label(0)->text(), "Clarke 1866");

    // The preferences opened from the utilities page: the page waits
    // underneath and follows the new model.
    test::TabSet(w, "tabUtil")->setVisible(false);
    test::TabSet(w, "tabOptions")->setProperty("Tag", QString("CalledFromUtil"));
    test::Named<QComboBox>(&w, "cboEllipsoid_0")->setCurrentIndex(kWgs84EllipsoidRow);
    EXPECT_EQ(label(1)->text(), "WGS 1984");
    test::TabSet(w, "tabOptions")->setProperty("Tag", QString());
    test::Named<QComboBox>(&w, "cboEllipsoid_0")->setCurrentIndex(6);
    EXPECT_EQ(label(1)->text(), "GRS 1980");
    EXPECT_TRUE(in.script.messages.empty());
}

// Guards the start-up choice: it sets the model and labels, even with the
// page shown before the window starts.
TEST(StarFixControls, StartupEllipsoidChoiceComputesNothing) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto w = std::make_unique<FrmWorking>();
    w->SetSettings(settings.Store());
    test::TabSet(*w, "tabUtil")->setVisible(true);
    w->Form_Load({});
    EXPECT_EQ(w->State().E.InvFlattening, 298.257223560493);
    EXPECT_EQ(test::UtilitiesControl<QLabel>(*w, "lblChoosenEllipsoid_0")->text(), "WGS 1984");
    EXPECT_TRUE(script.messages.empty());
}

// Guards the time-zone lists: each list its own offset, in hours.
TEST(StarFixControls, TimeZoneLists) {
    test::InputWindow in(".", false);
    FrmWorking& w = *in.w;
    auto* departureZone = test::UtilitiesControl<QComboBox>(w, "cboGMT_0");
    departureZone->setCurrentIndex(36);  // "GMT -09 1/2"
    EXPECT_EQ(departureZone->currentText(), "GMT -09 1/2");
    EXPECT_EQ(w.State().Utilities.GMTZone[0], -9.5);
    EXPECT_EQ(w.State().Utilities.GMTZone[1], 0.0);
    test::UtilitiesControl<QComboBox>(w, "cboGMT_1")->setCurrentIndex(1);  // "GMT +13 3/4"
    EXPECT_EQ(w.State().Utilities.GMTZone[1], 13.75);
}

// Guards the time-store button: the dialog modally, nothing else.
TEST(StarFixControls, TimeStoreButton) {
    test::InputWindow in(".");
    in.script.dialogs.clear();
    const WorkbenchState before = in.w->State();
    in.InputTab(2);
    auto* chrono = test::Named<QPushButton>(in.w.get(), "cmdChronoF5");
    test::ClickButton(chrono);
    ASSERT_EQ(in.script.dialogs.size(), 1u);
    EXPECT_EQ(in.script.dialogs[0], "frmTimeStore");
    EXPECT_EQ(in.w->State().TimeStored, before.TimeStored);
    test::ClickButton(chrono);
    EXPECT_EQ(in.script.dialogs.size(), 2u);
}

// Guards what every toolbar button runs: the commands of the same meaning,
// the correction button even while its menu item is greyed, and the wizard
// button bringing an open wizard forward instead of opening a second one.
TEST(Toolbars, EveryButtonRunsItsCommand) {
    test::InputWindow in(".", false);
    FrmWorking& w = *in.w;
    PlatformScript& script = in.script;

    w.Action("bthStarfix")->trigger();
    EXPECT_FALSE(test::TabSet(w, "tabIn")->isHidden());
    EXPECT_FALSE(test::Bar(w, "tlhStarfix")->isHidden());
    EXPECT_TRUE(test::Bar(w, "tlhWorking")->isHidden());
    // Both results commands run: each refuses a fix without its inputs.
    script.Clear();
    w.Action("bthNumRes")->trigger();
    w.Action("bthGraphRes")->trigger();
    EXPECT_EQ(script.Titles(), (std::vector<QString>{"Missing data", "Missing data"}));

    // "Correction of datas" with the menu item greyed (a fresh fix).
    test::TabSet(w, "tabIn")->setVisible(false);
    ASSERT_FALSE(w.Action("mnuAstroCorrect")->isEnabled());
    w.Action("bthCorr")->trigger();
    EXPECT_FALSE(test::TabSet(w, "tabIn")->isHidden());

    // The print buttons print (here: no printer to print on); the grid's
    // buttons draw the chart again.
    script.Clear();
    w.ShowToolbar(test::Bar(w, "tlhNum"));
    w.Action("bthPrint1")->trigger();
    w.ShowToolbar(test::Bar(w, "tlhGraph"));
    w.Action("bthPrint2")->trigger();
    EXPECT_EQ(script.Titles(), (std::vector<QString>{"NO PRINTER", "NO PRINTER"}));
    for (const char* grid : {"bthGrid1", "bthGrid2"}) {
        const qint64 drawing = test::ChartImage(w).cacheKey();
        w.Action(grid)->trigger();
        EXPECT_NE(test::ChartImage(w).cacheKey(), drawing) << grid;
    }
    w.Action("bthBackStarFix2")->trigger();
    EXPECT_FALSE(test::Bar(w, "tlhStarfix")->isHidden());
    EXPECT_TRUE(test::Bar(w, "tlhGraph")->isHidden());

    w.Action("bthMain")->trigger();
    EXPECT_FALSE(test::Bar(w, "tlhWorking")->isHidden());
    EXPECT_TRUE(test::TabSet(w, "tabIn")->isHidden());
    w.Action("bthStarFixWizard")->trigger();
    EXPECT_TRUE(w.State().WizardOpen);
    QWidget* wizard = w.Companions()->StarFixWizard();
    ASSERT_NE(wizard, nullptr);
    wizard->hide();
    w.Action("bthStarFixWizard")->trigger();  // open: only to the front
    EXPECT_EQ(w.Companions()->StarFixWizard(), wizard);
    EXPECT_TRUE(wizard->isVisible());
    w.Action("bthAzimuth")->trigger();
    EXPECT_NE(w.Companions()->AzimuthTool(), nullptr);

    // The exit button asks first; "NO" (the dialog cancelled) keeps the
    // program running.
    in.script.dialogs.clear();
    w.Action("bthExit")->trigger();
    ASSERT_EQ(in.script.dialogs.size(), 1u);
    EXPECT_EQ(in.script.dialogs[0], "frmEnd");
    EXPECT_FALSE(w.Unloaded());
}

// Guards the page switch: one toolbar at a time, docked at the left edge.
TEST(Toolbars, OneToolbarAtATime) {
    test::InputWindow in(".", false);
    FrmWorking& w = *in.w;
    for (QToolBar* bar : {test::Bar(w, "tlhStarfix"), test::Bar(w, "tlhNum"),
                          test::Bar(w, "tlhGraph"), test::Bar(w, "tlhWorking")}) {
        w.ShowToolbar(bar);
        for (QToolBar* other : {test::Bar(w, "tlhWorking"), test::Bar(w, "tlhStarfix"),
                                test::Bar(w, "tlhNum"), test::Bar(w, "tlhGraph")})
            EXPECT_EQ(other->isHidden(), other != bar) << other->objectName().toStdString();
        EXPECT_EQ(w.toolBarArea(bar), Qt::LeftToolBarArea);
    }
}

}  // namespace
}  // namespace orvex
