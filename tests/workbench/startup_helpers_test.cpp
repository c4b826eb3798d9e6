// The small start-up helpers of the main window: the version text, the
// command line and folder texts, and the stored window geometry.
#include "workbench/startup_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

namespace orvex {
namespace {

TEST(StartupHelpers, VersionCommandLineAndFolderTexts) {
    EXPECT_EQ(BuildVersionText(1, 2, 1), "1.21");
    EXPECT_EQ(BuildVersionText(1, 2, 37), "1.23");
    EXPECT_EQ(TrimAtNull("abc"), "abc");
    EXPECT_EQ(TrimAtNull(std::string("ab\0cd", 5)), "ab");

    std::string p = "C:\\Orvex  ";
    AddBackslash(p);
    EXPECT_EQ(p, "C:\\Orvex\\");
    p = "C:\\Orvex\\ ";
    AddBackslash(p);
    EXPECT_EQ(p, "C:\\Orvex\\ ");  // left exactly as it was
    p = "";
    AddBackslash(p);
    EXPECT_EQ(p, "\\");

    // Quotes and control characters go wherever they stand; blanks stay.
    EXPECT_EQ(CleanCommandLine("\"/home/me/My Sights/noon.obs\""), "/home/me/My Sights/noon.obs");
    EXPECT_EQ(CleanCommandLine("/home/me/My Sights/noon.obs"), "/home/me/My Sights/noon.obs");
    EXPECT_EQ(CleanCommandLine("\"\"\t\r\n\""), "");
    EXPECT_EQ(CleanCommandLine(std::string("a.obs\0junk", 10)), "a.obs");
}

// First run, stored values, damaged values and impossible sizes; a zero or
// unreadable width once gave a window nobody could see.
TEST(StartupGeometry, DefaultsStoredAndUnreadableValues) {
    std::map<std::string, std::string> store;
    auto read = [&store](const std::string& k) {
        const auto it = store.find(k);
        return it == store.end() ? std::string() : it->second;
    };
    const double sw = 19200, sh = 14400;  // 1280 x 960 pixels
    TwipsRect r = RestoreMainGeometry(read, sw, sh);
    EXPECT_FLOAT_EQ(r.Width, 18240);
    EXPECT_FLOAT_EQ(r.Left, 480);
    EXPECT_FLOAT_EQ(r.Height, 13536);
    EXPECT_FLOAT_EQ(r.Top, 216);  // a quarter of the spare 864 above

    store = {{"MainWidth", "12000"},
             {"MainLeft", "-3000"},
             {"MainHeight", "9000.5"},
             {"MainTop", "40000"}};
    r = RestoreMainGeometry(read, sw, sh);
    EXPECT_EQ(r.Width, 12000);
    EXPECT_EQ(r.Left, -3000);  // partly off the screen: used as stored
    EXPECT_EQ(r.Height, 9000.5);
    EXPECT_EQ(r.Top, 40000);

    store = {{"MainWidth", "wide"}, {"MainLeft", "1e400"}, {"MainHeight", "0"}, {"MainTop", "-0"}};
    r = RestoreMainGeometry(read, sw, sh);
    EXPECT_FLOAT_EQ(r.Width, 18240);
    EXPECT_FLOAT_EQ(r.Left, 480);
    EXPECT_FLOAT_EQ(r.Height, 13536);
    EXPECT_EQ(r.Top, 0);

    store = {{"MainWidth", "-5"}, {"MainHeight", "12000,5"}};
    r = RestoreMainGeometry(read, sw, sh);
    EXPECT_FLOAT_EQ(r.Width, 18240);
    EXPECT_EQ(r.Height, 12000.5);  // written under a comma locale
    EXPECT_FLOAT_EQ(r.Top, std::floor((sh - 12000.5) * 0.25));
}

}  // namespace
}  // namespace orvex
