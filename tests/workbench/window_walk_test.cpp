// The main window walked through as a navigator walks it: the keys go where
// the navigator sees them go (into the observation grid when its tab is
// entered, to a menu by Alt and its letter), and a cycle of pages leaves
// nothing behind.
#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QToolBar>

#include "grid_test_support.h"
#include "input_page_widgets.h"
#include "sailing/utilities_page.h"
#include "tests/keyboard.h"
#include "workbench/window_art.h"

namespace orvex {
namespace {

struct WindowWalk : ::testing::Test, test::ResultsWindow {
    WindowWalk() { Load(); }
    QTabWidget* Page() const { return test::TabSet(*w, "tabIn"); }
    ObservationGrid* Grd() const { return test::InputNamed<ObservationGrid>(*w, "grdObs"); }
    void ClickNext(int tab) const {
        test::ClickButton(test::InputNamed<QPushButton>(*w, QString("cmdNextTabIn_%1").arg(tab)));
    }
    void ClickTab(int i) const {
        test::ClickAt(Page()->tabBar(), Page()->tabBar()->tabRect(i).center());
    }
    void ClickBar(const char* name) const {
        for (QToolBar* bar : w->findChildren<QToolBar*>())
            if (QWidget* b = bar->widgetForAction(w->Action(name)); b && b->isVisible())
                return test::ClickButton(b);
        ADD_FAILURE() << name << " is not shown";
    }
    void Load() {
        script.fileNames = {QString(ORVEX_SOURCE_DIR) + "/data/files/Observations/08Dec26A.obs"};
        w->Action("mnuAstroLoad")->trigger();
    }
    QStringList Grid() const {
        QStringList cells;
        for (int r = 1; r <= 8; ++r)
            for (int c = 0; c < 4; ++c) cells << Grd()->TextMatrix(r, c);
        return cells;
    }
};

// Guards the keys on entering the observations tab. After "Correct
// datas..." from the report they went to the tab row while the grid showed
// its current cell; after Next with an input missing the tab's Previous
// button had them, and Space went back a tab.
TEST_F(WindowWalk, ObservationsTabEnteredAnyWayGivesTheGridTheKeys) {
    const QString sep = QString::fromStdString(w->State().DecSep);
    // The report first, while the sights are the file's.
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Correct datas",
         [this] {
             ClickTab(2);
             ClickBar("bthNumRes");
             test::Click(test::ReportBox(*w), test::Place::Middle);  // reading the report
             w->Action("mnuAstroCorrect")->trigger();
         }},
        {"Next", [this] { ClickTab(1), ClickNext(1); }},
        {"its tab", [this] { ClickTab(0), ClickTab(2); }}};
    for (const auto& [way, enter] : ways) {
        SCOPED_TRACE(way);
        enter();
        QStringList expected = Grid();
        // Home and two Rights: the altitude of the current row, then typed.
        test::Press(Qt::Key_Home);
        test::Press(Qt::Key_Right);
        test::Press(Qt::Key_Right);
        const int row = Grd()->Row();
        test::Type("45305\t");
        expected[(row - 1) * 4 + 2] = "45°30'" + sep + "5";
        EXPECT_EQ(Grid(), expected);
        EXPECT_TRUE(Page()->isVisible());
        EXPECT_EQ(Page()->currentIndex(), 2);
    }
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();

    // An input missing: the message, and the keys on the tab row.
    w->State().FixEntered[8] = false;
    ClickTab(1);
    ClickNext(1);
    EXPECT_EQ(script.Titles(), std::vector<QString>{"Missing data"});
    test::Press(Qt::Key_Space);
    EXPECT_EQ(Page()->currentIndex(), 2);
    EXPECT_EQ(QApplication::focusWidget(), Page()->tabBar());
}

// Guards Alt and a menu's letter: where a control of the page shares the
// letter ("&Astro Position" and "C&ancel"), the menu opened only every
// other time. On every page each enabled menu opens at each press, six
// times over, closed by Escape in between.
TEST_F(WindowWalk, AltAndAMenusLetterOpensItEveryTime) {
    const std::pair<const char*, std::function<void()>> pages[] = {
        {"grid", [this] { ClickTab(0), ClickTab(2); }},
        {"picker", [this] { ClickTab(0); }},
        {"conditions", [this] { ClickTab(1); }},
        {"report", [this] { ClickBar("bthNumRes"); }},
        {"chart", [this] { ClickBar("bthBackStarFix1"), ClickBar("bthGraphRes"); }},
        {"start", [this] { ClickBar("bthBackStarFix2"), ClickBar("bthMain"); }},
        {"preferences", [this] { w->Action("mnuOptionsTab")->trigger(); }},
        {"utilities", [this] {
             test::ClickButton(test::Named<QPushButton>(w.get(), "cmdEndTabOptions_0"));
             QWidget* picture = test::Named(w.get(), "picRLGC");
             test::ClickAt(picture, picture->rect().center());
         }}};
    for (const auto& [page, show] : pages) {
        SCOPED_TRACE(page);
        show();
        for (QAction* item : w->menuBar()->actions()) {
            if (!item->isEnabled()) continue;
            const char letter = item->text()[item->text().indexOf('&') + 1].toLower().toLatin1();
            QStringList opened;
            for (int i = 0; i < 6; ++i) {
                test::AltLetter(letter);
                opened << (QApplication::activePopupWidget() == item->menu() ? "open" : "not");
                test::Press(Qt::Key_Escape);
            }
            EXPECT_EQ(opened, QStringList(6, "open")) << item->text().toStdString();
        }
    }
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
}

// Guards memory over page cycles: the bars and the client area were given
// about thirty animation objects per cycle, left for the main event loop
// to delete, so a session driven without it grew by some 30 kB a cycle.
TEST_F(WindowWalk, PageCyclesLeaveNoObjectsBehind) {
    qsizetype objects = 0;
    for (int cycle = 1; cycle <= 8; ++cycle) {
        Load();
        for (const char* button :
             {"bthNumRes", "bthBackStarFix1", "bthGraphRes", "bthBackStarFix2"})
            ClickBar(button);
        if (cycle == 2) objects = w->findChildren<QObject*>().size();
    }
    EXPECT_EQ(w->findChildren<QObject*>().size(), objects);
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
}

}  // namespace
}  // namespace orvex
