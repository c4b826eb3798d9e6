// The star-fix input page on its own, without the main window: what it asks
// of the shell goes through its links.
#include "workbench/star_fix_input_page.h"

#include <gtest/gtest.h>

#include <QDateTimeEdit>
#include <QPushButton>
#include <QTest>
#include <string>
#include <vector>

#include "navlib/date_time.h"
#include "platform/message_box.h"
#include "workbench/workbench_state.h"

namespace orvex {
namespace {

// Guards the page's wiring to its links: the new-fix reset (clock, status
// bar, menus, first tab) and the two ways to the time-store dialog.
TEST(StarFixInputPage, StandsAloneOnItsLinks) {
    PlatformScript script;
    WorkbenchState state;
    state.FixEntered.fill(true);
    std::vector<std::string> disabled;
    int timeStores = 0;
    bool simple = false;
    StarFixInputLinks links;
    links.ShowTimeStore = [&] { ++timeStores; };
    links.SetStatusSimple = [&](bool on) { simple = on; };
    links.EnableAction = [&](const char* name, bool on) {
        if (!on) disabled.push_back(name);
    };
    links.UtcNow = [] { return MakeDateTime(2026, 12, 9, 14, 37, 52); };
    const StarFixInputContext context{state.DecSep, state.BodyList, state.AppPath,
                                      state.CommandLineFile, state.TimeStored};
    StarFixInputPage page(state, context, links, nullptr);
    ASSERT_EQ(page.objectName(), "tabIn");
    ASSERT_EQ(page.count(), 3);

    page.ShowTab(2);
    page.cmdEraseObs_Click();
    EXPECT_EQ(page.currentIndex(), 0);
    EXPECT_FALSE(state.FixEntered[1]);
    EXPECT_TRUE(simple);
    EXPECT_EQ(disabled,
              std::vector<std::string>({"mnuAstroCorrect", "mnuAstroSave", "mnuAstroErase",
                                        "mnuAstroNum", "mnuAstroGraph"}));
    EXPECT_EQ(page.findChild<QDateTimeEdit*>("dtpTime_0")->dateTime(),
              QDateTime(QDate(2026, 12, 9), QTime(14, 0), Qt::UTC));

    page.ShowTab(2);
    QTest::keyClick(&page, Qt::Key_F5);
    QTest::mouseClick(page.findChild<QPushButton*>("cmdChronoF5"), Qt::LeftButton);
    EXPECT_EQ(timeStores, 2);
    EXPECT_TRUE(script.messages.empty());
}

}  // namespace
}  // namespace orvex
