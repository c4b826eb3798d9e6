// The menu bar and the four toolbars as the navigator finds them at start:
// captions, order, separators, shortcuts, tooltips and enabled states.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

#include "workbench/main_window.h"
#include "workbench/options_page.h"
#include "workbench/status_line.h"
#include "workbench/window_art.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

// One line per menu entry: "-" for a separator, otherwise
// name|caption|shortcut|enabled, submenus indented by two blanks.
void Walk(const QMenu* menu, const QString& indent, QStringList& out) {
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) {
            out << indent + "-";
            continue;
        }
        out << QString("%1%2|%3|%4|%5")
                   .arg(indent, a->objectName(), a->text(),
                        a->shortcut().toString(QKeySequence::PortableText),
                        a->isEnabled() ? "on" : "off");
        if (a->menu()) Walk(a->menu(), indent + "  ", out);
    }
}

// Guards a lost or misspelt menu item, a missing separator, a wrong
// shortcut and an item enabled before there is anything for it to act on.
TEST(MainMenus, TextsOrderShortcutsAndEnabledStatesAtStart) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto w = test::StartedWindow(settings);

    QStringList bar;
    for (QAction* a : w->menuBar()->actions())
        bar << a->objectName() + "|" + a->text() + "|" + (a->isEnabled() ? "on" : "off");
    EXPECT_EQ(bar, QStringList({"mnuFile|&File|on", "mnuAstro|&Astro Position|on",
                                "mnuUtil|&Utilities|on", "mnuAzi|A&zimuth|on",
                                "mnuStarFixWizard|&Wizard|on", "mnuOptions|&Options|on",
                                "mnuHelp|&Help|on"}));

    QStringList all;
    for (QAction* a : w->menuBar()->actions()) {
        all << a->objectName();
        Walk(a->menu(), "  ", all);
    }
    const QStringList expected = {
        "mnuFile",
        "  mnuFilePageSetup|Print Setup||on",
        "  -",
        "  mnuFileQuit|E&xit|Ctrl+Q|on",
        "mnuAstro",
        "  mnuAstroEnter|&Enter datas...||on",
        "  mnuAstroLoad|&Load datas...||on",
        "  -",
        "  mnuAstroCorrect|&Correct datas...||off",
        "  mnuAstroSave|&Save datas...||off",
        "  mnuAstroErase|E&rase datas||off",
        "  -",
        "  mnuAstroNum|&Numeric Results||off",
        "    mnuAstroNumDisp|&Display||on",
        "    mnuAstroNumPrint|&Print||on",
        "  mnuAstroGraph|&Graphic Results||off",
        "    mnuAstroGraphDisp|&Display||on",
        "    mnuAstroGraphChart|&Chart size||on",
        "      mnuAstroGraphChartInc|&Increase||on",
        "      mnuAstroGraphChartDec|&Decrease||on",
        "    mnuAstroGraphLOP|&LOPs size||on",
        "      mnuAstroGraphLOPInc|&Increase||on",
        "      mnuAstroGraphLOPDec|&Decrease||on",
        "    mnuAstroGraphGrid|&Grid||on",
        "    mnuAstroGraphPrint|&Print||on",
        "  -",
        "  mnuAstroProba|&Probability...||on",
        "mnuUtil",
        "  mnuUtilRL|&Rhumb Line...||on",
        "  mnuUtilGC|&Great Circle...||on",
        "  mnuUtilETA|&ETA Calculation...||on",
        "mnuAzi",
        "  mnuAziGo|&Calculation...||on",
        "mnuStarFixWizard",
        "  mnuStarFixWizardStart|&Start star fix wizard...||on",
        "mnuOptions",
        "  mnuOptionsTab|&Preferences...||on",
        "mnuHelp",
        "  mnuHelpManual|&Manual||on",
        "  mnuHelpIntro|&Introductory Letter||off",
        "  -",
        "  mnuViewWebBrowser|&Brackmoor on the Web||on",
        "  -",
        "  mnuHelpAbout|&About||on",
    };
    EXPECT_EQ(all, expected);
    // The chart grid starts hidden.
    EXPECT_TRUE(w->Action("mnuAstroGraphGrid")->isCheckable());
    EXPECT_FALSE(w->Action("mnuAstroGraphGrid")->isChecked());
}

// Guards a button on the wrong page's toolbar, a wrong tooltip, and a
// start screen that shows more than its own toolbar.
TEST(MainToolbars, ButtonsTooltipsAndVisibilityAtStart) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto w = test::StartedWindow(settings);

    auto buttons = [](QToolBar* bar) {
        QStringList out;
        for (QAction* a : bar->actions()) {
            // Tooltips the table gives; the others carry none of their own.
            const QString tip = a->toolTip() == a->text() ? QString() : a->toolTip();
            out << a->objectName() + (tip.isEmpty() ? "" : "|" + tip);
        }
        return out;
    };
    EXPECT_EQ(buttons(test::Bar(*w, "tlhWorking")),
              QStringList({"bthStarfix", "bthStarFixWizard|Star Fix Wizard", "bthAzimuth",
                           "bthRLGC", "bthExit"}));
    EXPECT_EQ(buttons(test::Bar(*w, "tlhStarfix")),
              QStringList({"bthNumRes|Numeric results", "bthGraphRes|Graphic results",
                           "bthCorr|Correction of datas", "bthMain|Back to main screen"}));
    EXPECT_EQ(buttons(test::Bar(*w, "tlhNum")),
              QStringList({"bthBackStarFix1|Back to starfix menu", "bthPrint1",
                           "bthEllipse1|Probability of ellipse"}));
    EXPECT_EQ(buttons(test::Bar(*w, "tlhGraph")),
              QStringList({"bthBackStarFix2|Back to starfix menu", "bthPrint2",
                           "bthEllipse2|Probability of ellipse", "bthChartIncr|Increase chart size",
                           "bthChartDecr|Decrease chart size", "bthLopIncr|Increase LOPs size",
                           "bthLopDecr|Decrease LOPs size", "bthGrid1", "bthGrid2|No grid"}));

    EXPECT_FALSE(test::Bar(*w, "tlhWorking")->isHidden());
    EXPECT_TRUE(test::Bar(*w, "tlhStarfix")->isHidden());
    EXPECT_TRUE(test::Bar(*w, "tlhNum")->isHidden());
    EXPECT_TRUE(test::Bar(*w, "tlhGraph")->isHidden());
    for (QToolBar* bar : {test::Bar(*w, "tlhWorking"), test::Bar(*w, "tlhStarfix"),
                          test::Bar(*w, "tlhNum"), test::Bar(*w, "tlhGraph")}) {
        EXPECT_EQ(w->toolBarArea(bar), Qt::LeftToolBarArea) << bar->objectName().toStdString();
        EXPECT_EQ(bar->width(), test::Bar(*w, "tlhWorking")->width());  // equal widths
    }
    // Grid buttons mirror each other: the grid starts hidden.
    EXPECT_TRUE(w->Action("bthGrid1")->isChecked());
    EXPECT_FALSE(w->Action("bthGrid2")->isChecked());
    // The start screen: pictures shown and enabled, no page open, results
    // hidden.
    for (QWidget* p : {static_cast<QWidget*>(test::Named(&*w, "picStarFix")),
                       static_cast<QWidget*>(test::Named(&*w, "picRLGC")),
                       static_cast<QWidget*>(test::Named(&*w, "picAzimuth")),
                       static_cast<QWidget*>(test::Named(&*w, "picStarFixWizard"))}) {
        EXPECT_FALSE(p->isHidden());
        EXPECT_TRUE(p->isEnabled());
    }
    for (QWidget* p : {static_cast<QWidget*>(test::TabSet(*w, "tabIn")),
                       static_cast<QWidget*>(test::TabSet(*w, "tabUtil")),
                       static_cast<QWidget*>(test::TabSet(*w, "tabOptions")),
                       static_cast<QWidget*>(test::ReportBox(*w)), test::ChartBox(*w)})
        EXPECT_TRUE(p->isHidden()) << p->objectName().toStdString();
}

// Guards what the mouse shows over the toolbar buttons that have no
// tooltip of their own: nothing. They once showed their internal names
// ("Starfix", "RLGC", "Exit", "Print1", "Print2", "Grid1").
TEST(MainToolbars, HoverShowsNoInternalNames) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto w = test::StartedWindow(settings);
    w->resize(1000, 720);
    w->show();
    auto hover = [&](QToolBar* bar, const char* name) {
        w->ShowToolbar(bar);
        QWidget* b = bar->widgetForAction(w->Action(name));
        QHelpEvent e(QEvent::ToolTip, b->rect().center(), b->mapToGlobal(b->rect().center()));
        QApplication::sendEvent(b, &e);
        return e.isAccepted() ? QToolTip::text() : QString();  // ignored: no tooltip
    };
    for (const char* n : {"bthStarfix", "bthAzimuth", "bthRLGC", "bthExit"})
        EXPECT_EQ(hover(test::Bar(*w, "tlhWorking"), n), "") << n;
    EXPECT_EQ(hover(test::Bar(*w, "tlhNum"), "bthPrint1"), "");
    EXPECT_EQ(hover(test::Bar(*w, "tlhGraph"), "bthPrint2"), "");
    EXPECT_EQ(hover(test::Bar(*w, "tlhGraph"), "bthGrid1"), "");
    EXPECT_EQ(hover(test::Bar(*w, "tlhGraph"), "bthGrid2"), "No grid");
}

// Guards tab captions (mnemonics and the leading blanks are the window's
// own) and the status bar's keyed panels.
TEST(MainPages, TabCaptionsAndStatusPanels) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto w = test::StartedWindow(settings);
    auto captions = [](QTabWidget* t) {
        QStringList out;
        for (int i = 0; i < t->count(); ++i) out << t->tabText(i);
        return out;
    };
    EXPECT_EQ(captions(test::TabSet(*w, "tabIn")),
              QStringList({"&Position", " Obs. &conditions", "&Observations"}));
    EXPECT_EQ(captions(test::TabSet(*w, "tabUtil")),
              QStringList({"&Rhumb Line", "&Great Circle", " &ETA Calculation"}));
    EXPECT_EQ(captions(test::TabSet(*w, "tabOptions")),
              QStringList({"&Ellipsoid", "&Intercepts", "&Time"}));

    // Navigation buttons: next on the first two tabs, previous on the last
    // two, cancel / end on all three.
    EXPECT_EQ(test::Named<QPushButton>(&*w, "cmdNextTabIn_0")->text(), "&Next tab");
    EXPECT_EQ(test::Named<QPushButton>(&*w, "cmdPrevTabIn_2")->text(), "&Previous tab");
    EXPECT_EQ(test::Named<QPushButton>(&*w, "cmdCancel_2")->text(), "C&ancel");
    EXPECT_EQ(test::Named<QPushButton>(&*w, "cmdEndTabOptions_0")->text(), "En&d");
    EXPECT_EQ(test::Named<QPushButton>(&*w, "cmdNextTabOptions_1")->objectName(),
              "cmdNextTabOptions_1");
    EXPECT_EQ(test::Named<QPushButton>(&*w, "cmdPrevTabOptions_1")->objectName(),
              "cmdPrevTabOptions_1");

    EXPECT_EQ(StatusLine::PanelKeys().size(), 10);
    for (const QString& key : StatusLine::PanelKeys()) {
        ASSERT_NE(w->Status()->Panel(key), nullptr) << key.toStdString();
        EXPECT_EQ(w->Status()->Panel(key)->objectName(), "staNumDisp_" + key);
    }
    EXPECT_FALSE(w->Status()->Simple());
    w->Status()->SetSimple(true, "New fix");
    EXPECT_TRUE(w->Status()->Panel("Proba")->isHidden());
}

}  // namespace
}  // namespace orvex
