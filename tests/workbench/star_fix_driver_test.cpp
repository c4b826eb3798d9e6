// The star-fix driver's refusals, told exactly as the navigator sees them,
// and the status line it leads to.
#include <gtest/gtest.h>

#include <QLabel>

#include "grid_test_support.h"

namespace orvex {
namespace {

struct Driver : ::testing::Test, test::GridWindow {};

// Guards the flag check: each of the eight inputs alone stops the fix, with
// the warning's exact title, text and icon, before the grid is read.
TEST_F(Driver, EveryMissingInputStopsTheFix) {
    PutRow(1, "8 Dec 2026 18:00:00", "SIRIUS", "20°00'.0", "+00.00");
    PutRow(2, "8 Dec 2026 18:05:00", "VEGA", "30°00'.0", "+00.00");
    for (int missing = 1; missing <= 8; ++missing) {
        EnterEverything();
        w->State().FixEntered[missing] = false;
        script.Clear();
        EXPECT_FALSE(w->RunStarFix()) << missing;
        ASSERT_EQ(script.messages.size(), 1u) << missing;
        EXPECT_EQ(script.messages[0].style, kIconExclamation + kButtonsOk);
        EXPECT_EQ(script.messages[0].title, "Missing data");
        EXPECT_EQ(script.messages[0].text,
                  "Some data are missing.\r\nPlease check that the whole input form is completed.");
    }
    EXPECT_EQ(w->State().Obs.ObsCount, 0);  // the grid was never read
}

// Guards the grid refusals reaching the driver: an empty grid, a row 1
// without time, and one complete sight.
TEST_F(Driver, GridRefusalsAndTooFewSights) {
    EnterEverything();
    EXPECT_FALSE(w->RunStarFix());
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, " Error in input data");
    EXPECT_EQ(script.messages[0].text, "Please fill the grid with the observations.");
    EXPECT_EQ(script.messages[0].style, kIconExclamation + kButtonsOk);

    // One sight (row 2 empty): the solver's own refusal, the grid unsorted.
    PutRow(1, "8 Dec 2026 18:10:00", "SIRIUS", "20°00'.0", "+00.00");
    script.Clear();
    EXPECT_FALSE(w->RunStarFix());
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].style, kIconCritical + kButtonsOk);
    EXPECT_EQ(script.messages[0].title, " Error when computing the true position");
    EXPECT_EQ(script.messages[0].text,
              "You must enter at least 2 observations in order\r\nto get a star fix.");
    EXPECT_EQ(w->State().Obs.ObsCount, 1);
}

}  // namespace
}  // namespace orvex
