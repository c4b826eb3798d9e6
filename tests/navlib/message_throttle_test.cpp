#include "navlib/message_throttle.h"

#include <gtest/gtest.h>

namespace orvex {
namespace {

// The same text within the next clock second is held back; another text, or
// the same text two seconds later, is shown. Before, one copy of this rule
// took the midnight wrap for a day and showed the message twice at 00:00:00.
TEST(MessageThrottle, HoldsBackARepeatWithinASecondAcrossMidnight) {
    MessageThrottle t;
    EXPECT_TRUE(t.Admit("Division by zero.", 100.2));
    EXPECT_FALSE(t.Admit("Division by zero.", 101.9));
    EXPECT_TRUE(t.Admit("Overflow.", 101.9));
    EXPECT_TRUE(t.Admit("Overflow.", 103.0));
    EXPECT_TRUE(t.Admit("Overflow.", 86399.6));
    EXPECT_FALSE(t.Admit("Overflow.", 0.2));
    EXPECT_FALSE(t.IsRepeat("", 0.2));
    t.Reset();
    EXPECT_TRUE(t.Admit("Overflow.", 0.3));
    EXPECT_EQ(ClockSecondsApart(86399.6, 0.2), 1.0);
    EXPECT_EQ(ClockSecondsApart(0.2, 86399.6), -1.0);
}

}  // namespace
}  // namespace orvex
