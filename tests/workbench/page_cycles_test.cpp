// The window over many page switches: what a cycle of pages makes, it
// gives back.
#include <gtest/gtest.h>

#include <QToolBar>

#include "grid_test_support.h"
#include "tests/keyboard.h"

namespace orvex {
namespace {

// Guards memory over page cycles: the bars and the client area were given
// about thirty animation objects per cycle, left for the main event loop to
// delete, so a session driven without it grew by some 30 kB a cycle.
TEST(PageCycles, LeaveNoObjectsBehind) {
    test::ResultsWindow g;
    FrmWorking* w = g.w.get();
    auto click = [w](const char* name) {
        for (QToolBar* bar : w->findChildren<QToolBar*>())
            if (QWidget* b = bar->widgetForAction(w->Action(name)); b && b->isVisible())
                return test::ClickButton(b);
        ADD_FAILURE() << name << " is not shown";
    };
    qsizetype objects = 0;
    for (int cycle = 1; cycle <= 8; ++cycle) {
        g.script.fileNames = {QString(ORVEX_SOURCE_DIR) + "/data/files/Observations/08Dec26A.obs"};
        w->Action("mnuAstroLoad")->trigger();
        click("bthNumRes");
        ASSERT_TRUE(w->rtfNumDisp->isVisible());
        click("bthBackStarFix1");
        click("bthGraphRes");
        ASSERT_TRUE(w->picLMChart->isVisible());
        click("bthBackStarFix2");
        if (cycle == 2) objects = w->findChildren<QObject*>().size();
    }
    EXPECT_EQ(w->findChildren<QObject*>().size(), objects);
    EXPECT_TRUE(g.script.messages.empty()) << g.script.LastText().toStdString();
}

}  // namespace
}  // namespace orvex
