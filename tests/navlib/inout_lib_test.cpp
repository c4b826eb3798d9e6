#include "navlib/inout_lib.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "navlib/number_format.h"

using namespace orvex;

namespace {

constexpr double kTenthMinute = 0.05 / 60.0 + 1e-9;  // half the shown precision, degrees

bool IsLatitudeResult(double v) {
    return (v >= -90 && v <= 90) || v == 997 || v == 998 || v == 999;
}
bool IsSentinel(double v) {
    return v == 997 || v == 998 || v == 999;
}
bool IsLongitudeResult(double v, bool wide) {
    return (wide ? (v >= 0 && v <= 360) : (v >= -180 && v <= 180)) || IsSentinel(v);
}

}  // namespace

TEST(ParseLatitude, WorkedValues) {
    EXPECT_NEAR(ParseLatitude("12°30'.5 N"), 12.5083333333333, 1e-12);
    EXPECT_NEAR(ParseLatitude("12°30'.5 S"), -12.5083333333333, 1e-12);
    EXPECT_NEAR(ParseLatitude("12°30'.5 n"), 12.5083333333333, 1e-12);
    EXPECT_NEAR(ParseLatitude("12°30',5 N"), 12.5083333333333, 1e-12);
    EXPECT_EQ(ParseLatitude("12°30'.5 X"), 999);
    EXPECT_EQ(ParseLatitude("12°60'.0 N"), 998);
    EXPECT_EQ(ParseLatitude("90°00'.1 N"), 997);
    EXPECT_EQ(ParseLatitude("90°00'.0 S"), -90);
    EXPECT_EQ(ParseLatitude("00°00'.0 S"), 0);
    // Letter first, then minutes, then degrees.
    EXPECT_EQ(ParseLatitude("95°61'.0 Q"), 999);
    EXPECT_EQ(ParseLatitude("95°61'.0 N"), 998);
    // Prompts read as blanks and are skipped.
    EXPECT_EQ(ParseLatitude("_5°0_'._ N"), 5);
    EXPECT_EQ(ParseLatitude("4_°__'._ N"), 4);
    // The separator place is never read: any character will do.
    EXPECT_NEAR(ParseLatitude("12°30'\xD9\xAB"
                              "5 N"),
                12.5083333333333, 1e-12);
    // A "°" from an old single-byte file is one character as well.
    EXPECT_NEAR(ParseLatitude("12\xB0"
                              "30'.5 N"),
                12.5083333333333, 1e-12);
}

TEST(ParseLongitude, WorkedValues) {
    EXPECT_NEAR(ParseLongitude("179°59'.9 W", false), -179.998333333333, 1e-12);
    EXPECT_NEAR(ParseLongitude("179°59'.9 W", true), 180.001666666667, 1e-12);
    EXPECT_NEAR(ParseLongitude("012°30'.5 e"), 12.5083333333333, 1e-12);
    EXPECT_EQ(ParseLongitude("180°00'.1 E"), 997);
    EXPECT_EQ(ParseLongitude("000°00'.0 E"), 0);
    EXPECT_EQ(ParseLongitude("000°00'.0 W"), 0);
    EXPECT_EQ(ParseLongitude("010°60'.0 E"), 998);
    EXPECT_EQ(ParseLongitude("010°00'.0 N"), 999);
    // Prompts read as 0: a lone 4 in the first place is 400°.
    EXPECT_EQ(ParseLongitude("4__°__'._ E"), 997);
    EXPECT_NEAR(ParseLongitude("_12°3_'._ E"), 12.5, 1e-12);
}

TEST(FormatPosition, WorkedValues) {
    EXPECT_EQ(FormatLatitude(0), "00°00'.0 N");
    EXPECT_EQ(FormatLatitude(-12.508333333), "12°30'.5 S");
    EXPECT_EQ(FormatLatitude(12.99995), "13°00'.0 N");
    EXPECT_EQ(FormatLatitude(12.9992), "13°00'.0 N");  // not "12°60'.0 N"
    EXPECT_EQ(FormatLatitude(-12.508333333, ","), "12°30',5 S");
    EXPECT_EQ(FormatLongitude(180), "180°00'.0 E");
    EXPECT_EQ(FormatLongitude(190), "170°00'.0 W");
    EXPECT_EQ(FormatLongitude(-0.5), "000°30'.0 W");
    EXPECT_EQ(FormatLongitude(-180.3), "179°42'.0 E");
    EXPECT_EQ(FormatLongitude(359.5), "000°30'.0 W");
    EXPECT_EQ(FormatLongitude(540), "180°00'.0 E");
    // Ten and eleven characters: callers cut the tenths and letter off.
    EXPECT_EQ(FormatLatitude(45.1, "\xD9\xAB"),
              "45°06'\xD9\xAB"
              "0 N");
    EXPECT_EQ(FormatLatitude(NAN), "--°--'.- N");
}

// Format then parse gives back the position within half the shown tenth of a
// minute, for both separators, over the whole range, including the 59.95'
// edge of every degree where the minutes must carry into the degree.
TEST(PositionRoundTrip, DenseSweep) {
    for (const char* sep : {".", ","}) {
        for (int i = -900000; i <= 900000; i += 17) {
            const double lat = i / 10000.0;
            const std::string s = FormatLatitude(lat, sep);
            ASSERT_EQ(s.find("60'"), std::string::npos) << s;
            ASSERT_NEAR(ParseLatitude(s), lat, kTenthMinute) << s;
        }
        for (int i = -1800000; i <= 1800000; i += 19) {
            const double lon = i / 10000.0;
            const std::string s = FormatLongitude(lon, sep);
            ASSERT_EQ(s.find("60'"), std::string::npos) << s;
            ASSERT_NEAR(ParseLongitude(s, false), lon, kTenthMinute) << s;
            // The 0..360 form of a west longitude.
            const double wide = lon < 0 ? lon + 360 : lon;
            const double back = ParseLongitude(s, true);
            ASSERT_TRUE(std::fabs(back - wide) <= kTenthMinute ||
                        std::fabs(back - wide - 360) <= kTenthMinute ||
                        std::fabs(back - wide + 360) <= kTenthMinute)
                << s;
        }
        for (int d = 0; d < 90; ++d) {
            for (double m : {59.95, 59.949999, 59.950001, 0.05, 29.95}) {
                const double lat = d + m / 60.0;
                EXPECT_NEAR(ParseLatitude(FormatLatitude(lat, sep)), lat, kTenthMinute);
                EXPECT_NEAR(ParseLatitude(FormatLatitude(-lat, sep)), -lat, kTenthMinute);
                EXPECT_NEAR(ParseLongitude(FormatLongitude(-lat * 2, sep)), -lat * 2, kTenthMinute);
            }
        }
        EXPECT_EQ(FormatLatitude(12 + 59.95 / 60, sep), std::string("13°00'") + sep + "0 N");
    }
}

// Bearings shown with "000°.0" read back within half a tenth of a degree.
TEST(BearingRoundTrip, DenseSweep) {
    for (const char* sep : {".", ","}) {
        for (int i = 0; i <= 3600000; i += 37) {
            const double b = i / 10000.0;
            const std::string s = FormatNumber(b, "000°.0", sep);
            ASSERT_NEAR(ParseBearingText(s, sep), b, 0.05 + 1e-9) << s;
        }
    }
}

TEST(ParseBearingText, WorkedValues) {
    EXPECT_EQ(ParseBearingText("360°"), 360);
    EXPECT_EQ(ParseBearingText("361°"), 999);
    EXPECT_EQ(ParseBearingText("-5"), 998);
    EXPECT_EQ(ParseBearingText("0_5°"), 5);
    EXPECT_EQ(ParseBearingText("045°,5", ","), 45.5);
    EXPECT_EQ(ParseBearingText("045\xB0"
                               ".5"),
              45.5);
    // No number at all: a sentinel, not an exception.
    EXPECT_EQ(ParseBearingText("___°"), 999);
    EXPECT_EQ(ParseBearingText(""), 999);
}

TEST(ParseNumbers, WorkedValues) {
    EXPECT_EQ(ParseNumberText("abc"), 999);
    EXPECT_EQ(ParseNumberText("999"), 999);
    EXPECT_EQ(ParseNumberText("-_5"), -5);
    EXPECT_EQ(ParseNumberText(" 12,5 ", ","), 12.5);
    EXPECT_EQ(ParseNumberText("12.5", ","), 999);  // not a number in that locale
    EXPECT_EQ(ParseNumberText("1e3"), 1000);
    EXPECT_EQ(ParseNumberText("1e999"), 999);  // overflow is not a number
    EXPECT_EQ(ParseNumberText("-"), 999);
    EXPECT_EQ(ParseNumberText(""), 999);
    EXPECT_EQ(ParseNumberText("1.2.3"), 999);
    EXPECT_EQ(ParseNumberText("- 5"), -5);
    EXPECT_EQ(ParsePositiveText("-0.1"), -1);
    EXPECT_EQ(ParsePositiveText("-0,1", ","), -1);
    EXPECT_EQ(ParsePositiveText("_1,5", ","), 1.5);
    EXPECT_EQ(ParsePositiveText("___,_", ","), -1);
    EXPECT_EQ(ParsePositiveText("-0"), 0);
    EXPECT_FALSE(std::signbit(ParsePositiveText("-0")));
    double v = 0;
    EXPECT_TRUE(
        ReadLocaleNumber("0\xD9\xAB"
                         "5",
                         "\xD9\xAB", v));
    EXPECT_EQ(v, 0.5);
}

// Whatever the text (random bytes, truncated or mutated position texts,
// non-ASCII, prompts only), the parsers return a value of their range or a
// sentinel; run under the sanitizers this also shows they never read out of
// bounds.
TEST(ParserRobustness, RandomAndTruncatedTexts) {
    std::mt19937 gen(31);
    const std::vector<std::string> pieces = {
        "0", "1",  "5",   "9",        "_",    " ",    "°",        "'",
        ".", ",",  "-",   "+",        "N",    "S",    "E",        "W",
        "n", "e",  "x",   "\xD9\xAB", "\xB0", "\xC2", "\xE2\x82", "\xF0\x9F\x98\x80",
        "é", "\t", "1e9", "E",        "999"};
    const std::vector<std::string> seeds = {
        "12°30'.5 N", "179°59'.9 W", "__°__'._ _", "___°__'._ _", "360°", "-0,5", "_5°0_'._ N"};
    std::uniform_int_distribution<size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> len(0, 16);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::string> texts;
    for (const std::string& s : seeds)
        for (size_t n = 0; n <= s.size(); ++n) texts.push_back(s.substr(0, n));  // truncations
    for (int i = 0; i < 3000; ++i) {
        std::string s;
        const int n = len(gen);
        for (int k = 0; k < n; ++k) s += pieces[pick(gen)];
        texts.push_back(s);
        std::string raw;
        for (int k = 0; k < n; ++k) raw.push_back(static_cast<char>(byte(gen)));
        texts.push_back(raw);
        std::string mutated = seeds[static_cast<size_t>(i) % seeds.size()];
        if (!mutated.empty()) {
            std::uniform_int_distribution<size_t> at(0, mutated.size() - 1);
            mutated[at(gen)] = static_cast<char>(byte(gen));
        }
        texts.push_back(mutated);
    }
    for (const std::string& s : texts) {
        for (const char* sep : {".", ",", "\xD9\xAB"}) {
            const double lat = ParseLatitude(s);
            EXPECT_TRUE(IsLatitudeResult(lat)) << s << " -> " << lat;
            const double lon = ParseLongitude(s, false);
            EXPECT_TRUE(IsLongitudeResult(lon, false)) << s << " -> " << lon;
            const double wide = ParseLongitude(s, true);
            EXPECT_TRUE(IsLongitudeResult(wide, true)) << s << " -> " << wide;
            const double b = ParseBearingText(s, sep);
            EXPECT_TRUE((b >= 0 && b <= 360) || b == 998 || b == 999) << s;
            const double p = ParsePositiveText(s, sep);
            EXPECT_TRUE(p >= 0 || p == -1) << s;
            EXPECT_TRUE(std::isfinite(p)) << s;
            EXPECT_TRUE(std::isfinite(ParseNumberText(s, sep))) << s;
        }
    }
}

// The windows build some position texts themselves: the limiting latitude
// is typed as whole minutes and completed with the separator, "0" and " N";
// the waypoint interval has two degree digits and is completed in front with
// a prompt for the hundreds and behind like the latitude. Whatever the
// separator (one byte or several), the completed texts must keep every digit
// in its place; a parser counting bytes would read the tenths from the
// separator's second byte and the letter from the wrong end.
TEST(PositionParsers, TextsCompletedByTheFields) {
    for (const std::string sep : {".", ",", "\xD9\xAB"}) {
        EXPECT_EQ(ParseLatitude("60°00'" + sep + "0 N"), 60) << sep;
        EXPECT_NEAR(ParseLatitude("45°3_'" + sep + "0 N"), 45.05, 1e-12) << sep;
        EXPECT_EQ(ParseLatitude("91°00'" + sep + "0 N"), 997) << sep;
        EXPECT_EQ(ParseLongitude("_05°30'" + sep + "0 E"), 5.5) << sep;
        EXPECT_EQ(ParseLongitude("_00°00'" + sep + "0 E"), 0) << sep;
        EXPECT_EQ(ParseLongitude("_05°90'" + sep + "0 E"), 998) << sep;
        // The limits themselves are valid, on both sides.
        EXPECT_EQ(ParseLatitude("90°00'" + sep + "0 N"), 90) << sep;
        EXPECT_EQ(ParseLongitude("180°00'" + sep + "0 W", false), -180) << sep;
        EXPECT_EQ(ParseLongitude("180°00'" + sep + "0 W", true), 180) << sep;
        EXPECT_EQ(ParseLongitude("180°00'" + sep + "1 W", true), 997) << sep;
        // The sextant-altitude cell with " N" appended by its caller.
        EXPECT_NEAR(ParseLatitude(FormatDegreesMinutes(35.5, "00°00'.0", sep) + " N"), 35.5, 1e-12)
            << sep;
    }
}
