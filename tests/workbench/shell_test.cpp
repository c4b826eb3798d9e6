// The shell's page switches, tab navigation with its checks, the
// probability level and the resize layout, driven through the window's
// buttons, menus and pictures.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <cmath>

#include "input_fields_support.h"
#include "platform/rich_text_box.h"
#include "tests/keyboard.h"
#include "workbench/observation_grid.h"
#include "workbench/window_art.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

using test::Named;

struct Shell : ::testing::Test {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    std::unique_ptr<FrmWorking> w = test::StartedWindow(settings);
    void SetUp() override {
        w->resize(1000, 720);
        w->show();
        script.Clear();
        script.dialogs.clear();
    }
    QWidget* Widget(const char* name) const { return Named(w.get(), name); }
    QTabWidget* Tabs(const char* name) const { return Named<QTabWidget>(w.get(), name); }
    void Click(const char* name) { test::ClickButton(Widget(name)); }
    void Run(const char* action) { test::RunAction(*w, action); }
    QString Panel(const char* key) const {
        return Named<QLabel>(w.get(), QString("staNumDisp_") + key)->text();
    }
    // The sample fix loaded through the open dialog, the program's own data
    // beside the program.
    void LoadSample() {
        test::CopyProgramData(folder);
        script.fileNames = {test::SampleObservations()};
        Run("mnuAstroLoad");
        ASSERT_TRUE(script.fileNames.empty());
        script.Clear();
    }
    // The probability dialog answered with the level of `row`.
    void AnswerProba(int row) {
        script.dialogHandler = [row](QDialog& d) {
            d.show();
            test::ClickRow(Named<QListWidget>(&d, "lstProba"), row);
            return test::ClickIn(d, "cmdOK");
        };
    }
};

// Guards the next and previous buttons running their checks at the ends
// of the tab set, and the menus opening before the input is complete.
TEST_F(Shell, InputTabsCheckWhatIsMissing) {
    Run("mnuAstroEnter");
    QTabWidget* tabIn = Tabs("tabIn");
    EXPECT_EQ(tabIn->currentIndex(), 0);

    // Defaults of the times not confirmed: back to tab 0, then "Missing data".
    script.answers = {kAnswerNo};
    Click("cmdNextTabIn_0");
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(script.messages[0].title, "Data's not validated");
    EXPECT_EQ(script.messages[0].style, kIconQuestion + kButtonsYesNo);
    EXPECT_EQ(
        script.messages[0].text,
        "You used the default values for the time of the estimated position\r\n"
        "and/or the time of the true position.\r\nDo you want to keep these default values ?");
    EXPECT_EQ(script.messages[1].title, "Missing data");
    EXPECT_EQ(script.messages[1].text,
              "Some data on the other tabs are missing.\r\n"
              "Please check that the whole input form is completed.");
    EXPECT_EQ(tabIn->currentIndex(), 0);

    // Every flag but the instrument correction: tab 1 quiet, tab 2 missing
    // and the menus unchanged.
    auto& f = w->State().FixEntered;
    for (int i = 1; i <= 7; ++i) f[i] = true;
    script.Clear();
    Click("cmdNextTabIn_0");
    EXPECT_TRUE(script.messages.empty());
    EXPECT_EQ(tabIn->currentIndex(), 1);
    Click("cmdNextTabIn_1");
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, "Missing data");
    EXPECT_FALSE(w->Action("mnuAstroNum")->isEnabled());

    f[8] = true;
    Click("cmdPrevTabIn_2");
    Click("cmdNextTabIn_1");
    EXPECT_EQ(script.messages.size(), 1u);
    for (const char* on : {"mnuAstroCorrect", "mnuAstroSave", "mnuAstroErase", "mnuAstroNum",
                           "mnuAstroNumDisp", "mnuAstroGraph", "mnuAstroGraphDisp"})
        EXPECT_TRUE(w->Action(on)->isEnabled()) << on;
    for (const char* off : {"mnuAstroNumPrint", "mnuAstroGraphChart", "mnuAstroGraphLOP",
                            "mnuAstroGraphGrid", "mnuAstroGraphPrint"})
        EXPECT_FALSE(w->Action(off)->isEnabled()) << off;
}

TEST_F(Shell, TabTwoQuestionWordingAndYesKeepsTheDefaults) {
    Run("mnuAstroEnter");
    w->State().FixEntered.fill(false);
    script.answers = {kAnswerYes};
    Click("cmdNextTabIn_0");
    ASSERT_GE(script.messages.size(), 1u);
    EXPECT_TRUE(w->State().FixEntered[1]);
    EXPECT_TRUE(w->State().FixEntered[4]);
    EXPECT_EQ(Tabs("tabIn")->currentIndex(), 1);
    w->State().FixEntered[1] = false;
    script.Clear();
    script.answers = {kAnswerYes};
    Click("cmdNextTabIn_1");
    EXPECT_TRUE(script.messages[0].text.contains("\r\nand the time of the true position.\r\n"));
}

// Guards the way into the observations tab by the keys: the grid takes the
// focus, so a Space opens the time editor. The focus once stayed on the
// tab's "Previous tab" button and the Space went back to tab 1.
TEST(ShellKeys, ObservationsTabGivesTheGridTheFocus) {
    test::InputWindow in(".");
    FrmWorking* w = in.w.get();
    for (int i = 1; i <= 8; ++i) w->State().FixEntered[i] = true;
    in.InputTab(1);
    Named(w, "cmdNextTabIn_1")->setFocus(Qt::TabFocusReason);
    test::Press(Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(Named<QTabWidget>(w, "tabIn")->currentIndex(), 2);
    ASSERT_EQ(QApplication::focusWidget(), Named(w, "grdObs"));
    test::Press(Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(Named<QTabWidget>(w, "tabIn")->currentIndex(), 2);
    EXPECT_TRUE(Named(w, "dtpObsTime")->isVisible());
    EXPECT_TRUE(in.script.messages.empty()) << in.script.LastText().toStdString();
}

// Guards "No" to "Data's not validated": back on the first tab the focus is
// on its time field. It once stayed on the height of eye (tab 1) or the grid
// (tab 2), hidden, and "25" Tab set a height of 25 m.
TEST(ShellKeys, NoToTheDefaultTimesFocusesTheFirstTab) {
    test::InputWindow in(".");
    FrmWorking* w = in.w.get();
    in.Type(in.Field("mskLat", 5), "38300N");
    in.Type(in.Field("mskLong", 5), "0312000W");
    in.Type(in.Field("mskCourse", 0), "2350");
    in.Type(in.Field("mskSpeed"), "0115");
    in.Leave(Named(w, "ch3OneEstPos_1"));
    for (int i : {7, 8}) w->State().FixEntered[i] = true;  // the grid's way in needs them
    auto* grid = Named<ObservationGrid>(w, "grdObs");
    QWidget* time0 = Named(w, "dtpTime_0");
    for (int tab : {1, 2}) {
        SCOPED_TRACE(tab);
        in.script.Clear();
        in.script.answers = {kAnswerNo};
        w->State().FixEntered[1] = w->State().FixEntered[4] = false;  // the default times again
        if (tab == 1) {
            test::ClickButton(Named(w, "cmdNextTabIn_0"));
        } else {
            QTabBar* bar = Named<QTabWidget>(w, "tabIn")->tabBar();
            test::ClickAt(bar, bar->tabRect(2).center());
        }
        ASSERT_EQ(in.script.messages.size(), 1u) << in.script.LastText().toStdString();
        EXPECT_EQ(Named<QTabWidget>(w, "tabIn")->currentIndex(), 0);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), time0);
        const QString height = in.Field("mskHeightM")->text(), time = grid->TextMatrix(1, 0);
        test::Type("25\t");
        EXPECT_EQ(in.Field("mskHeightM")->text(), height);
        EXPECT_EQ(grid->TextMatrix(1, 0), time);
        time0->setFocus(Qt::TabFocusReason);
    }
}

// bthMain always returns to the start screen; a tab's cancel over a
// result only hides the tabs.
TEST_F(Shell, CancelAndBackToTheStartScreen) {
    LoadSample();
    EXPECT_FALSE(w->Action("mnuUtil")->isEnabled());
    EXPECT_TRUE(Widget("picStarFix")->isHidden());
    Click("bthNumRes");
    Click("bthBackStarFix1");
    Click("bthCorr");  // the tabs over the report
    Click(qPrintable(QString("cmdCancel_%1").arg(Tabs("tabIn")->currentIndex())));
    EXPECT_TRUE(Widget("tabIn")->isHidden());
    EXPECT_FALSE(Widget("rtfNumDisp")->isHidden());
    EXPECT_FALSE(Widget("tlhStarfix")->isHidden());

    Run("mnuAstroCorrect");
    EXPECT_FALSE(Widget("tabIn")->isHidden());
    Click("bthMain");
    EXPECT_TRUE(Widget("tabIn")->isHidden());
    EXPECT_TRUE(Widget("rtfNumDisp")->isHidden());
    EXPECT_FALSE(Widget("tlhWorking")->isHidden());
    EXPECT_TRUE(Widget("tlhStarfix")->isHidden());
    EXPECT_FALSE(Widget("picStarFix")->isHidden());
    EXPECT_TRUE(Widget("picStarFix")->isEnabled());
    EXPECT_TRUE(w->Action("mnuUtil")->isEnabled());
    EXPECT_FALSE(w->Action("mnuAstroCorrect")->isEnabled());
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
}

// The preferences page and its return to the utilities page.
TEST_F(Shell, PreferencesPageAndItsReturn) {
    QTabWidget* options = Tabs("tabOptions");
    QTabWidget* util = Tabs("tabUtil");
    Run("mnuOptionsTab");
    EXPECT_FALSE(options->isHidden());
    EXPECT_EQ(options->currentIndex(), 0);
    Click("cmdNextTabOptions_0");
    Click("cmdNextTabOptions_1");
    EXPECT_EQ(options->currentIndex(), 2);
    Click("cmdEndTabOptions_2");
    EXPECT_TRUE(options->isHidden());
    EXPECT_TRUE(util->isHidden());

    Run("mnuUtilETA");
    EXPECT_FALSE(util->isHidden());
    EXPECT_EQ(util->currentIndex(), 2);
    EXPECT_FALSE(Widget("picRLGC")->isEnabled());
    EXPECT_FALSE(Widget("tlhWorking")->isEnabled());
    test::UtilitiesControl<QPushButton>(*w, "cmdPrevTabUtil_2")->click();
    EXPECT_EQ(util->currentIndex(), 1);
    test::UtilitiesControl<QPushButton>(*w, "cmdEndTabUtil_1")->click();
    EXPECT_TRUE(util->isHidden());
    EXPECT_TRUE(Widget("picRLGC")->isEnabled());
    EXPECT_TRUE(Widget("tlhWorking")->isEnabled());
    EXPECT_TRUE(w->Action("mnuAstro")->isEnabled());
    // A double click on the Earth model's name opens the preferences from
    // the utilities; En&d goes back there.
    Run("mnuUtilGC");
    QTest::mouseDClick(Widget("lblChoosenEllipsoid_1"), Qt::LeftButton);
    EXPECT_FALSE(options->isHidden());
    EXPECT_TRUE(util->isHidden());
    Click("cmdEndTabOptions_0");
    EXPECT_FALSE(util->isHidden());
    EXPECT_EQ(options->property("Tag").toString(), "");
}

// A new level shows in the status panel; the same level changes nothing
// and computes nothing; a double click on another panel does nothing; over
// the report the report is computed again for the new level.
TEST_F(Shell, ProbabilityLevelFromMenuAndStatusPanel) {
    AnswerProba(2);
    Run("mnuAstroProba");
    EXPECT_EQ(w->State().Proba, 0.99);
    EXPECT_EQ(Panel("Proba"), test::Shown("99.0 %"));
    Named<QLabel>(w.get(), "staNumDisp_Proba")->clear();
    Run("mnuAstroProba");  // same level again
    EXPECT_EQ(Panel("Proba"), "");
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();

    LoadSample();
    Click("bthNumRes");
    script.dialogs.clear();
    QTest::mouseDClick(Named(w.get(), "staNumDisp_Iter"), Qt::LeftButton);
    EXPECT_TRUE(script.dialogs.empty());
    AnswerProba(0);
    w->State().Fix.MppLat = 999.0;  // stale until the fix is computed again
    QTest::mouseDClick(Named(w.get(), "staNumDisp_Proba"), Qt::LeftButton);
    EXPECT_EQ(script.dialogs.size(), 1u);
    EXPECT_EQ(w->State().Proba, 0.5);
    EXPECT_LT(std::fabs(w->State().Fix.MppLat), 90.0);
    EXPECT_TRUE(Named<RichTextBox>(w.get(), "rtfNumDisp")->Text().contains("ellipse of 50"));
}

// The azimuth tool's window takes the start screen's controls while open;
// the wizard picture only brings an open wizard to the front.
TEST_F(Shell, AzimuthAndWizardCommands) {
    test::ClickAt(Widget("picAzimuth"), Widget("picAzimuth")->rect().center());
    ASSERT_NE(Widget("frmAzimuth"), nullptr);
    EXPECT_TRUE(Widget("frmAzimuth")->isVisible());
    for (const char* n : {"mnuUtil", "mnuAzi", "mnuOptions", "mnuAstro"})
        EXPECT_FALSE(w->Action(n)->isEnabled()) << n;
    EXPECT_FALSE(Widget("tlhWorking")->isEnabled());
    EXPECT_FALSE(Widget("picAzimuth")->isEnabled());
    EXPECT_TRUE(Widget("picStarFixWizard")->isEnabled());

    QWidget* picture = Widget("picStarFixWizard");
    test::ClickAt(picture, picture->rect().center());
    QWidget* wizard = Widget("frmStarFixWizard");
    ASSERT_NE(wizard, nullptr);
    wizard->hide();
    test::ClickAt(picture, picture->rect().center());
    EXPECT_EQ(Widget("frmStarFixWizard"), wizard);  // the same window, not a second
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_TRUE(w->State().WizardOpen);
    EXPECT_FALSE(w->Action("mnuStarFixWizard")->isEnabled());
}

// The window never gets smaller than its minimum, and the tab sets stay
// centred in the client area.
TEST_F(Shell, ResizeKeepsTheMinimumAndCentresThePages) {
    w->resize(100, 100);
    EXPECT_EQ(w->width(), w->minimumWidth());
    EXPECT_EQ(w->height(), w->minimumHeight());
    w->resize(1100, 800);
    QWidget* client = w->centralWidget();
    for (const char* name : {"tabIn", "tabUtil", "tabOptions"}) {
        QWidget* t = Widget(name);
        EXPECT_NEAR(t->x(), (client->width() - t->width()) / 2.0, 1.0) << name;
        EXPECT_NEAR(t->y(), (client->height() - t->height()) / 2.0, 1.0) << name;
    }
    EXPECT_EQ(Widget("panhGradient")->size(), client->size());
    QWidget* s = Widget("picStarFix");
    QWidget* r = Widget("picRLGC");
    EXPECT_EQ(r->y(), s->y());
    EXPECT_EQ(Widget("picAzimuth")->x(), s->x());
    EXPECT_EQ(Widget("picStarFixWizard")->x(), r->x());
    EXPECT_EQ(r->x() - s->x(), static_cast<int>(1.5 * s->width()));

    // The report and the chart fill the client area.
    LoadSample();
    Click("bthNumRes");
    EXPECT_EQ(Widget("rtfNumDisp")->geometry(), QRect(QPoint(), client->size()));
    Click("bthBackStarFix1");
    Click("bthGraphRes");
    EXPECT_EQ(Widget("picLMChart")->geometry(), QRect(QPoint(), client->size()));
}

// The print set-up and the time store go through the seam.
TEST_F(Shell, PrintSetupAndTimeStoreAreModalDialogs) {
    Run("mnuFilePageSetup");
    Run("mnuAstroEnter");
    QTabBar* bar = Tabs("tabIn")->tabBar();
    test::ClickAt(bar, bar->tabRect(2).center());
    script.dialogs.clear();
    bar->setFocus(Qt::TabFocusReason);
    test::Press(Qt::Key_F5);
    Click("cmdChronoF5");
    EXPECT_EQ(script.dialogs, (std::vector<QString>{"frmTimeStore", "frmTimeStore"}));
}

// The chart steps: six increases from 0.1 reach -0.5 and stop there; the
// line length goes down by whole ones to 1, then by tenths to 0.1 exactly;
// every press draws the chart again.
TEST_F(Shell, ChartAndLineSteps) {
    LoadSample();
    Click("bthGraphRes");
    WorkbenchState& s = w->State();
    int redraws = 0;
    // A press draws again when it prepares the chart anew.
    auto press = [&](const char* name) {
        s.Chart.GraphLatMax = NAN;
        Run(name);
        if (!std::isnan(s.Chart.GraphLatMax)) ++redraws;
    };
    s.ChartScale = 0.1;
    s.LopLength = 5.0;
    for (int i = 0; i < 6; ++i) press("bthChartIncr");
    EXPECT_EQ(s.ChartScale, -0.5);
    press("bthChartIncr");
    EXPECT_EQ(s.ChartScale, -0.5);
    press("bthChartDecr");
    EXPECT_EQ(s.ChartScale, -0.4);
    for (int i = 0; i < 13; ++i) press("bthLopDecr");
    EXPECT_EQ(s.LopLength, 0.1);
    press("bthLopDecr");
    EXPECT_EQ(s.LopLength, 0.1);
    for (double expected : {0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0, 2.0, 3.0}) {
        press("bthLopIncr");
        EXPECT_EQ(s.LopLength, expected);
    }
    s.LopLength = 1.0;
    press("mnuAstroGraphLOPDec");
    EXPECT_EQ(s.LopLength, 1.0);
    s.LopLength = 5.0;
    press("mnuAstroGraphLOPDec");
    EXPECT_EQ(s.LopLength, 4.0);
    EXPECT_EQ(redraws, 6 + 1 + 1 + 13 + 1 + 11 + 2);
    EXPECT_TRUE(Widget("picLMChart")->isVisible());
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
}

// The grid's two buttons and the menu check mark always agree, whichever
// of them is clicked; two toggles return to the first state.
TEST_F(Shell, GridToggleKeepsItsThreeControlsInStep) {
    QAction* menu = w->Action("mnuAstroGraphGrid");
    EXPECT_FALSE(menu->isChecked());
    Run("bthGrid2");
    EXPECT_TRUE(menu->isChecked());
    EXPECT_FALSE(w->Action("bthGrid1")->isChecked());
    EXPECT_TRUE(w->Action("bthGrid2")->isChecked());
    Run("mnuAstroGraphGrid");
    EXPECT_FALSE(menu->isChecked());
    EXPECT_TRUE(w->Action("bthGrid1")->isChecked());
    EXPECT_FALSE(w->Action("bthGrid2")->isChecked());
    Run("bthGrid1");
    EXPECT_TRUE(menu->isChecked());
}

// Back from a result page: the star-fix toolbar, the display items on and
// the result-only items off; the probability buttons compute the fix again
// only on a new level.
TEST_F(Shell, ResultToolbarsBackAndProbability) {
    LoadSample();
    Click("bthGraphRes");
    Click("bthBackStarFix2");
    EXPECT_FALSE(Widget("tlhStarfix")->isHidden());
    EXPECT_TRUE(Widget("tlhGraph")->isHidden());
    EXPECT_TRUE(w->Action("mnuAstroGraphDisp")->isEnabled());
    EXPECT_FALSE(w->Action("mnuAstroGraphPrint")->isEnabled());

    WorkbenchState& s = w->State();
    Click("bthNumRes");
    s.Fix.MppLat = 999.0;  // stale until the fix is computed again
    Click("bthEllipse1");  // dialog cancelled: same level
    EXPECT_EQ(s.Fix.MppLat, 999.0);
    Click("bthBackStarFix1");
    Click("bthGraphRes");
    AnswerProba(3);
    s.Fix.MppLat = 999.0;
    Click("bthEllipse2");
    EXPECT_LT(std::fabs(s.Fix.MppLat), 90.0);
    EXPECT_EQ(s.Proba, 0.999);
    EXPECT_EQ(Panel("Proba"), test::Shown("99.9 %"));
    EXPECT_TRUE(Widget("picLMChart")->isVisible());
    s.Fix.MppLat = 999.0;
    Click("bthEllipse2");  // 0.999 again: nothing
    EXPECT_EQ(s.Fix.MppLat, 999.0);
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
}

}  // namespace
}  // namespace orvex
