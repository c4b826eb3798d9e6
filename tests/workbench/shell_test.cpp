// The shell's page switches, tab navigation with its checks, the
// probability level and the resize layout.
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
#include <QTextEdit>
#include <QToolBar>

#include "input_fields_support.h"
#include "sailing/utilities_page.h"
#include "tests/keyboard.h"
#include "workbench/frm_proba.h"
#include "workbench/observation_grid.h"
#include "workbench/options_page.h"
#include "workbench/results_page.h"
#include "workbench/window_art.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

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
};

// Guards the next and previous buttons running their checks at the ends
// of the tab set, and the menus opening before the input is complete.
TEST_F(Shell, InputTabsCheckWhatIsMissing) {
    w->mnuAstroEnter_Click();
    EXPECT_EQ(w->tabIn->currentIndex(), 0);
    w->InputPage()->cmdPrevTabIn_Click();  // on tab 0: nothing, no check
    EXPECT_TRUE(script.messages.empty());

    // Defaults of the times not confirmed: back to tab 0, then "Missing data".
    script.answers = {kAnswerNo};
    w->InputPage()->cmdNextTabIn_Click();
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
    EXPECT_EQ(w->tabIn->currentIndex(), 0);

    // Every flag but the instrument correction: tab 1 quiet, tab 2 missing
    // and the menus unchanged.
    auto& f = w->State().FixEntered;
    for (int i = 1; i <= 7; ++i) f[i] = true;
    script.Clear();
    w->InputPage()->cmdNextTabIn_Click();
    EXPECT_TRUE(script.messages.empty());
    EXPECT_EQ(w->tabIn->currentIndex(), 1);
    w->InputPage()->cmdNextTabIn_Click();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, "Missing data");
    EXPECT_FALSE(w->Action("mnuAstroNum")->isEnabled());
    w->InputPage()->cmdNextTabIn_Click();  // on the last tab: nothing
    EXPECT_EQ(script.messages.size(), 1u);

    f[8] = true;
    w->InputPage()->cmdPrevTabIn_Click();
    w->InputPage()->cmdNextTabIn_Click();
    EXPECT_EQ(script.messages.size(), 1u);
    for (const char* on : {"mnuAstroCorrect", "mnuAstroSave", "mnuAstroErase", "mnuAstroNum",
                           "mnuAstroNumDisp", "mnuAstroGraph", "mnuAstroGraphDisp"})
        EXPECT_TRUE(w->Action(on)->isEnabled()) << on;
    for (const char* off : {"mnuAstroNumPrint", "mnuAstroGraphChart", "mnuAstroGraphLOP",
                            "mnuAstroGraphGrid", "mnuAstroGraphPrint"})
        EXPECT_FALSE(w->Action(off)->isEnabled()) << off;
}

TEST_F(Shell, TabTwoQuestionWordingAndYesKeepsTheDefaults) {
    w->mnuAstroEnter_Click();
    w->State().FixEntered.fill(false);
    script.answers = {kAnswerYes};
    w->InputPage()->cmdNextTabIn_Click();
    ASSERT_GE(script.messages.size(), 1u);
    EXPECT_TRUE(w->State().FixEntered[1]);
    EXPECT_TRUE(w->State().FixEntered[4]);
    EXPECT_EQ(w->tabIn->currentIndex(), 1);
    w->State().FixEntered[1] = false;
    script.Clear();
    script.answers = {kAnswerYes};
    w->InputPage()->cmdNextTabIn_Click();
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
    w->InputPage()->cmdNextTabIn[1]->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w->InputPage()->cmdNextTabIn[1], Qt::Key_Space);
    EXPECT_EQ(w->tabIn->currentIndex(), 2);
    ASSERT_EQ(QApplication::focusWidget(), w->InputPage()->grdObs);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(w->tabIn->currentIndex(), 2);
    EXPECT_TRUE(w->InputPage()->dtpObsTime->isVisible());
    EXPECT_TRUE(in.script.messages.empty()) << in.script.LastText().toStdString();
}

// Guards "No" to "Data's not validated": back on the first tab the focus is
// on its time field. It once stayed on the height of eye (tab 1) or the grid
// (tab 2), hidden, and "25" Tab set a height of 25 m.
TEST(ShellKeys, NoToTheDefaultTimesFocusesTheFirstTab) {
    test::InputWindow in(".");
    FrmWorking* w = in.w.get();
    StarFixInputPage* page = w->InputPage();
    in.Type(page->mskLat5, "38300N");
    in.Type(page->mskLong5, "0312000W");
    in.Type(page->mskCourse0, "2350");
    in.Type(page->mskSpeed, "0115");
    in.Leave(page->ch3OneEstPos1);
    for (int i : {7, 8}) w->State().FixEntered[i] = true;  // the grid's way in needs them
    for (int tab : {1, 2}) {
        SCOPED_TRACE(tab);
        in.script.Clear();
        in.script.answers = {kAnswerNo};
        w->State().FixEntered[1] = w->State().FixEntered[4] = false;  // the default times again
        if (tab == 1) {
            QTest::mouseClick(page->cmdNextTabIn[0], Qt::LeftButton);
        } else {
            QTabBar* bar = page->tabBar();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
        }
        ASSERT_EQ(in.script.messages.size(), 1u) << in.script.LastText().toStdString();
        EXPECT_EQ(w->tabIn->currentIndex(), 0);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), page->dtpTime[0]);
        const QString height = page->mskHeightM->text(), time = page->grdObs->TextMatrix(1, 0);
        test::Type("25");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(page->mskHeightM->text(), height);
        EXPECT_EQ(page->grdObs->TextMatrix(1, 0), time);
        page->dtpTime[0]->setFocus(Qt::TabFocusReason);
    }
}

// bthMain always returns to the start screen; a tab's cancel over a
// result only hides the tabs.
TEST_F(Shell, CancelAndBackToTheStartScreen) {
    w->mnuAstroEnter_Click();
    EXPECT_FALSE(w->Action("mnuUtil")->isEnabled());
    EXPECT_TRUE(w->picStarFix->isHidden());
    w->rtfNumDisp->show();  // a result under the tabs
    w->cmdCancel_Click(1);
    EXPECT_TRUE(w->tabIn->isHidden());
    EXPECT_FALSE(w->rtfNumDisp->isHidden());
    EXPECT_FALSE(w->tlhStarfix->isHidden());

    w->Action("mnuAstroCorrect")->setEnabled(true);
    w->Action("mnuAstroCorrect")->trigger();
    EXPECT_FALSE(w->tabIn->isHidden());
    w->Action("bthMain")->trigger();
    EXPECT_TRUE(w->tabIn->isHidden());
    EXPECT_TRUE(w->rtfNumDisp->isHidden());
    EXPECT_FALSE(w->tlhWorking->isHidden());
    EXPECT_TRUE(w->tlhStarfix->isHidden());
    EXPECT_FALSE(w->picStarFix->isHidden());
    EXPECT_TRUE(w->picStarFix->isEnabled());
    EXPECT_TRUE(w->Action("mnuUtil")->isEnabled());
    EXPECT_FALSE(w->Action("mnuAstroCorrect")->isEnabled());
}

// The preferences page and its return to the utilities page.
TEST_F(Shell, PreferencesPageAndItsReturn) {
    w->mnuOptionsTab_Click();
    EXPECT_FALSE(w->tabOptions->isHidden());
    EXPECT_EQ(w->tabOptions->currentIndex(), 0);
    w->Options()->cmdNextTabOptions_Click();
    w->Options()->cmdNextTabOptions_Click();
    w->Options()->cmdNextTabOptions_Click();
    EXPECT_EQ(w->tabOptions->currentIndex(), 2);
    w->Options()->cmdEndTabOptions_Click();
    EXPECT_TRUE(w->tabOptions->isHidden());
    EXPECT_TRUE(w->tabUtil->isHidden());

    w->Action("mnuUtilETA")->trigger();
    EXPECT_FALSE(w->tabUtil->isHidden());
    EXPECT_EQ(w->tabUtil->currentIndex(), 2);
    EXPECT_FALSE(w->picRLGC->isEnabled());
    EXPECT_FALSE(w->tlhWorking->isEnabled());
    test::UtilitiesControl<QPushButton>(*w, "cmdPrevTabUtil_2")->click();
    EXPECT_EQ(w->tabUtil->currentIndex(), 1);
    test::UtilitiesControl<QPushButton>(*w, "cmdEndTabUtil_1")->click();
    EXPECT_TRUE(w->tabUtil->isHidden());
    EXPECT_TRUE(w->picRLGC->isEnabled());
    EXPECT_TRUE(w->tlhWorking->isEnabled());
    EXPECT_TRUE(w->Action("mnuAstro")->isEnabled());
    w->tabOptions->setProperty("Tag", "CalledFromUtil");
    w->mnuOptionsTab_Click();
    w->Options()->cmdEndTabOptions_Click();
    EXPECT_FALSE(w->tabUtil->isHidden());
    EXPECT_EQ(w->tabOptions->property("Tag").toString(), "");
}

// A new level shows in the status panel; the same level changes nothing;
// a double click on another panel does nothing.
TEST_F(Shell, ProbabilityLevelFromMenuAndStatusPanel) {
    int recomputed = 0;
    w->onNumericResults = [&] { ++recomputed; };
    script.dialogHandler = [](QDialog& d) {
        auto* p = qobject_cast<FrmProba*>(&d);
        if (p) {
            p->lstProba->setCurrentRow(2);
            p->cmdOK_Click();
        }
        return int(QDialog::Accepted);
    };
    w->mnuAstroProba_Click();
    EXPECT_EQ(w->State().Proba, 0.99);
    EXPECT_EQ(w->Status()->Panel("Proba")->text(), test::Shown("99.0 %"));
    w->Status()->Panel("Proba")->clear();
    w->mnuAstroProba_Click();  // same level again
    EXPECT_EQ(w->Status()->Panel("Proba")->text(), "");
    EXPECT_EQ(recomputed, 0);

    script.dialogs.clear();
    QTest::mouseDClick(w->Status()->Panel("Iter"), Qt::LeftButton);
    EXPECT_TRUE(script.dialogs.empty());
    script.dialogHandler = [](QDialog& d) {
        if (auto* p = qobject_cast<FrmProba*>(&d)) {
            p->lstProba->setCurrentRow(0);
            p->cmdOK_Click();
        }
        return int(QDialog::Accepted);
    };
    w->rtfNumDisp->show();
    QTest::mouseDClick(w->Status()->Panel("Proba"), Qt::LeftButton);
    EXPECT_EQ(script.dialogs.size(), 1u);
    EXPECT_EQ(w->State().Proba, 0.5);
    EXPECT_EQ(recomputed, 1);  // the report is computed again
}

// The azimuth tool's window takes the start screen's controls while open;
// the wizard picture only brings an open wizard to the front.
TEST_F(Shell, AzimuthAndWizardCommands) {
    bool azimuthShown = false;
    w->onShowAzimuth = [&] { azimuthShown = true; };
    w->mnuAziGo_Click();
    EXPECT_TRUE(azimuthShown);
    for (const char* n : {"mnuUtil", "mnuAzi", "mnuOptions", "mnuAstro"})
        EXPECT_FALSE(w->Action(n)->isEnabled()) << n;
    EXPECT_FALSE(w->tlhWorking->isEnabled());
    EXPECT_FALSE(w->picAzimuth->isEnabled());
    EXPECT_TRUE(w->picStarFixWizard->isEnabled());

    int opened = 0, activated = 0;
    w->onShowWizard = [&] { ++opened; };
    w->onActivateWizard = [&] { ++activated; };
    w->picStarFixWizard_Click();
    w->picStarFixWizard_Click();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(activated, 1);
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
    for (QWidget* t : {static_cast<QWidget*>(w->tabIn), static_cast<QWidget*>(w->tabUtil),
                       static_cast<QWidget*>(w->tabOptions)}) {
        EXPECT_NEAR(t->x(), (client->width() - t->width()) / 2.0, 1.0);
        EXPECT_NEAR(t->y(), (client->height() - t->height()) / 2.0, 1.0);
    }
    EXPECT_EQ(w->panhGradient->size(), client->size());
    EXPECT_EQ(w->rtfNumDisp->geometry(), w->picLMChart->geometry());
    EXPECT_EQ(w->picRLGC->y(), w->picStarFix->y());
    EXPECT_EQ(w->picAzimuth->x(), w->picStarFix->x());
    EXPECT_EQ(w->picStarFixWizard->x(), w->picRLGC->x());
    EXPECT_EQ(w->picRLGC->x() - w->picStarFix->x(), static_cast<int>(1.5 * w->picStarFix->width()));
}

// The print set-up and the time store go through the seam.
TEST_F(Shell, PrintSetupAndTimeStoreAreModalDialogs) {
    w->mnuFilePageSetup_Click();
    w->mnuAstroEnter_Click();
    w->tabIn->setCurrentIndex(2);
    script.dialogs.clear();
    QTest::keyClick(w->tabIn, Qt::Key_F5);
    w->findChild<QPushButton*>("cmdChronoF5")->click();
    EXPECT_EQ(script.dialogs, (std::vector<QString>{"frmTimeStore", "frmTimeStore"}));
}

}  // namespace
}  // namespace orvex

namespace orvex {
namespace {

// The chart steps: six increases from 0.1 reach -0.5 and stop there; the
// line length goes down by whole ones to 1, then by tenths to 0.1 exactly;
// every press redraws.
TEST_F(Shell, ChartAndLineSteps) {
    int redraws = 0;
    w->Results()->onRedrawGraph = [&] { ++redraws; };
    w->State().ChartScale = 0.1;
    w->State().LopLength = 5.0;
    for (int i = 0; i < 6; ++i) w->Action("bthChartIncr")->trigger();
    EXPECT_EQ(w->State().ChartScale, -0.5);
    w->Action("bthChartIncr")->trigger();
    EXPECT_EQ(w->State().ChartScale, -0.5);
    w->Action("bthChartDecr")->trigger();
    EXPECT_EQ(w->State().ChartScale, -0.4);
    for (int i = 0; i < 13; ++i) w->Action("bthLopDecr")->trigger();
    EXPECT_EQ(w->State().LopLength, 0.1);
    w->Action("bthLopDecr")->trigger();
    EXPECT_EQ(w->State().LopLength, 0.1);
    for (double expected : {0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0, 2.0, 3.0}) {
        w->Action("bthLopIncr")->trigger();
        EXPECT_EQ(w->State().LopLength, expected);
    }
    w->State().LopLength = 1.0;
    w->Action("mnuAstroGraphLOPDec")->trigger();
    EXPECT_EQ(w->State().LopLength, 1.0);
    w->State().LopLength = 5.0;
    w->Action("mnuAstroGraphLOPDec")->trigger();
    EXPECT_EQ(w->State().LopLength, 4.0);
    EXPECT_EQ(redraws, 6 + 1 + 1 + 13 + 1 + 11 + 2);
    EXPECT_FALSE(w->picLMChart->isHidden());
}

// The grid's two buttons and the menu check mark always agree, whichever
// of them is clicked; two toggles return to the first state.
TEST_F(Shell, GridToggleKeepsItsThreeControlsInStep) {
    EXPECT_FALSE(w->ResultsBar()->GridShown());
    w->Action("bthGrid2")->trigger();
    EXPECT_TRUE(w->ResultsBar()->GridShown());
    EXPECT_FALSE(w->Action("bthGrid1")->isChecked());
    EXPECT_TRUE(w->Action("bthGrid2")->isChecked());
    w->Action("mnuAstroGraphGrid")->trigger();
    EXPECT_FALSE(w->ResultsBar()->GridShown());
    EXPECT_TRUE(w->Action("bthGrid1")->isChecked());
    EXPECT_FALSE(w->Action("bthGrid2")->isChecked());
    w->Action("bthGrid1")->trigger();
    EXPECT_TRUE(w->ResultsBar()->GridShown());
    EXPECT_TRUE(w->Action("mnuAstroGraphGrid")->isChecked());
}

// Back from a result page: the star-fix toolbar, the display items on and
// the result-only items off; the probability button recomputes only on a
// new level.
TEST_F(Shell, ResultToolbarsBackAndProbability) {
    int numeric = 0, graphic = 0;
    w->onNumericResults = [&] { ++numeric; };
    w->onGraphicResults = [&] { ++graphic; };
    w->ShowToolbar(w->tlhGraph);
    w->Action("bthBackStarFix2")->trigger();
    EXPECT_FALSE(w->tlhStarfix->isHidden());
    EXPECT_TRUE(w->tlhGraph->isHidden());
    EXPECT_TRUE(w->Action("mnuAstroGraphDisp")->isEnabled());
    EXPECT_FALSE(w->Action("mnuAstroGraphPrint")->isEnabled());

    w->Action("bthEllipse1")->trigger();  // dialog cancelled: same level
    EXPECT_EQ(numeric, 0);
    script.dialogHandler = [](QDialog& d) {
        if (auto* p = qobject_cast<FrmProba*>(&d)) {
            p->lstProba->setCurrentRow(3);
            p->cmdOK_Click();
        }
        return int(QDialog::Accepted);
    };
    w->Action("bthEllipse2")->trigger();
    EXPECT_EQ(graphic, 1);
    EXPECT_EQ(w->State().Proba, 0.999);
    w->Action("bthEllipse2")->trigger();  // 0.999 again: nothing
    EXPECT_EQ(graphic, 1);
}

}  // namespace
}  // namespace orvex
