// The checks behind the condition and position fields, on texts as the
// fields show them, with either decimal separator: the accepted ranges
// (limits included), the refusal messages byte for byte, and the texts of
// the paired unit fields.
#include <gtest/gtest.h>

#include <string>

#include "inputs/condition_checks.h"
#include "inputs/position_checks.h"
#include "navlib/unit_conversions.h"

namespace orvex {
namespace {

struct Case {
    std::string text;  // "." stands for the separator
    bool accepted;
    double value;
    std::string message;  // "." in a number stands for the separator too
};

std::string WithSep(std::string s, const std::string& sep) {
    for (size_t i = 0; i < s.size(); ++i)
        if (s[i] == '.' && i > 0 && i + 1 < s.size() && isdigit(s[i - 1]) && isdigit(s[i + 1]))
            s.replace(i, 1, sep);
    return s;
}

template <typename Check>
void RunCases(const char* what, Check check, const std::vector<Case>& cases) {
    for (const std::string sep : {".", ","}) {
        for (const Case& c : cases) {
            const std::string text = c.text;
            std::string t = text;
            // The separator place of the mask: every "." between digits or
            // prompts.
            for (size_t i = 0; i < t.size(); ++i)
                if (t[i] == '.') t.replace(i, 1, sep);
            const FieldVerdict v = check(t, sep);
            SCOPED_TRACE(std::string(what) + " " + t);
            EXPECT_EQ(v.Accepted, c.accepted);
            if (c.accepted) {
                EXPECT_NEAR(v.Value, c.value, 1e-12);
            }
            EXPECT_EQ(v.Message, WithSep(c.message, sep));
        }
    }
}

// Guards the limits (inclusive), the order of the tests (sentinel first)
// and every message text, including the separator inside the inHg limits.
TEST(ConditionChecks, RangesAndMessagesWithEitherSeparator) {
    RunCases("course", CheckCourseText,
             {{"000°.0", true, 0, ""},
              {"360°.0", true, 360, ""},
              {"123°.4", true, 123.4, ""},
              {"360°.1", false, 0, "Course > 360°"},
              {"-12°.0", false, 0, "Negative Course."},
              {"___°._", false, 0, "Course > 360°"}});
    RunCases("speed", CheckSpeedText,
             {{"012.5", true, 12.5, ""},
              {"000.0", true, 0, ""},
              {"-01.0", false, 0, "Your speed is negative."}});
    RunCases("metres", CheckHeightMetresText,
             {{"10.0", true, 10, ""},
              {"99.9", true, 99.9, ""},
              {"-1.0", false, 0, "The eye height is negative."}});
    RunCases("feet", CheckHeightFeetText,
             {{"032.8", true, 32.8, ""},
              {"327.9", true, 327.9, ""},
              {"328.0", false, 0, "The eye height is higher than 327.9 feet."},
              {"-10.0", false, 0, "The eye height is negative."}});
    RunCases(
        "hPa",
        [](const std::string& t, const std::string& s) { return CheckPressureMBarsText(t, s); },
        {{"0940", true, 940, ""},
         {"1070", true, 1070, ""},
         {"0939", false, 0, "The atmospheric pressure is lower than 940 mbars."},
         {"1071", false, 0, "The atmospheric pressure is higher than 1070 mbars."}});
    RunCases("inHg", CheckPressureHgText,
             {{"27.76", true, 27.76, ""},
              {"31.59", true, 31.59, ""},
              {"27.75", false, 0, "The atmospheric pressure is lower than 27.76 inHg."},
              {"31.60", false, 0, "The atmospheric pressure is higher than 31.59 inHg."}});
    auto celsius = [](const std::string& t, const std::string& s) {
        return CheckTemperatureText(t, s, false);
    };
    auto fahrenheit = [](const std::string& t, const std::string& s) {
        return CheckTemperatureText(t, s, true);
    };
    RunCases("C", celsius,
             {{"-50", true, -50, ""},
              {"_70", true, 70, ""},
              {"_-5", true, -5, ""},
              {"-51", false, 0, "The temperature is lower than -50°C."},
              {"_71", false, 0, "The temperature is higher than +70°C."},
              {"a1_", false, 0, "The temperature is not valid."}});
    RunCases("F", fahrenheit,
             {{"-58", true, -58, ""},
              {"158", true, 158, ""},
              {"-59", false, 0, "The temperature is lower than -58°F."},
              {"159", false, 0, "The temperature is higher than +158°F."},
              {"x__", false, 0, "The temperature is not valid."}});
}

// Guards the paired texts: rounding to the shown digits, the "_" padding
// of the temperatures and of the spin button's hectopascals.
TEST(ConditionChecks, PairedFieldTexts) {
    EXPECT_EQ(FeetTextOfMetres(10.0, "."), "032.8");
    EXPECT_EQ(FeetTextOfMetres(10.0, ","), "032,8");
    EXPECT_EQ(MetresText(32.8 * 0.3048, "."), "10.0");
    EXPECT_EQ(MetresText(kMaxHeightFeet * 0.3048, ","), "99,9");  // the largest fits "##.#"
    EXPECT_EQ(InchesHgText(MillibarsToInchesHg(1070), "."), "31.60");
    EXPECT_EQ(InchesHgText(MillibarsToInchesHg(1013), ","), "29,91");
    EXPECT_EQ(MillibarsText(InchesHgToMillibars(27.76)), "0940");
    EXPECT_EQ(MillibarsSpinText(999), "_999");
    EXPECT_EQ(MillibarsSpinText(1000), "1000");
    EXPECT_EQ(TemperatureText(68), "_68");
    EXPECT_EQ(TemperatureText(CelsiusToFahrenheit(-5)), "_23");
    EXPECT_EQ(TemperatureText(FahrenheitToCelsius(5)), "-15");
    EXPECT_EQ(TemperatureText(5), "__5");
    EXPECT_EQ(TemperatureText(158), "158");
    EXPECT_EQ(TemperatureText(-58), "-58");
    EXPECT_EQ(PadWithPrompts("°C", 3), "_°C");  // counted in characters
}

// Guards the position texts of every field index: the limits themselves
// valid, each sentinel with its message, the limiting latitude always north
// and the waypoint interval always east, never zero.
TEST(PositionChecks, LatitudeAndLongitudeOfEveryIndex) {
    for (const std::string sep : {".", ","}) {
        auto lat = [&](int i, const std::string& t) { return CheckLatitudeText(i, t, sep); };
        auto lon = [&](int i, const std::string& t) { return CheckLongitudeText(i, t, sep); };
        for (int i : {0, 1, 2, 3, 5}) {
            EXPECT_NEAR(lat(i, "12°34'" + sep + "5 S").Value, -(12 + 34.5 / 60), 1e-12);
            EXPECT_TRUE(lat(i, "90°00'" + sep + "0 N").Accepted);
            EXPECT_EQ(lat(i, "90°00'" + sep + "1 N").Message, "Latitude > 90°.");
            EXPECT_EQ(lat(i, "12°60'" + sep + "0 N").Message, "The latitude has more than 59'.");
            EXPECT_EQ(lat(i, "12°00'" + sep + "0 E").Message,
                      "A latitude can only be N (North) or S (South).");
            EXPECT_EQ(lat(i, "12°00'" + sep + "0 _").Message,
                      "A latitude can only be N (North) or S (South).");
            const FieldVerdict w = lon(i, "180°00'" + sep + "0 W");
            EXPECT_TRUE(w.Accepted);
            EXPECT_EQ(w.Value, -180.0);
            EXPECT_NEAR(lon(i, "123°45'" + sep + "6 E").Value, 123.76, 1e-12);
            EXPECT_EQ(lon(i, "180°00'" + sep + "1 E").Message, "Longitude > 180°.");
            EXPECT_EQ(lon(i, "010°60'" + sep + "0 E").Message, "The longitude has more than 59'.");
            EXPECT_EQ(lon(i, "010°00'" + sep + "0 N").Message,
                      "A longitude can only be W (West) or E (East).");
        }
        const FieldVerdict limit = lat(4, "60°00'");
        EXPECT_TRUE(limit.Accepted);
        EXPECT_EQ(limit.Value, 60.0);
        EXPECT_EQ(lat(4, "91°00'").Message, "Latitude > 90°.");
        EXPECT_EQ(lat(4, "60°61'").Message, "The latitude has more than 59'.");
        const FieldVerdict step = lon(4, "05°30'");
        EXPECT_TRUE(step.Accepted);
        EXPECT_EQ(step.Value, 5.5);
        EXPECT_EQ(lon(4, "00°00'").Message, "You entered a longitude interval of 00°00'...");
        EXPECT_EQ(lon(4, "05°90'").Message, "The longitude has more than 59'.");
    }
}

// Guards the hemisphere keys: signs and small letters become the letter of
// the field's own coordinate, and nothing else is rewritten.
TEST(PositionChecks, HemisphereKeys) {
    EXPECT_EQ(LatitudeKey(U'+'), U'N');
    EXPECT_EQ(LatitudeKey(U'n'), U'N');
    EXPECT_EQ(LatitudeKey(U'-'), U'S');
    EXPECT_EQ(LatitudeKey(U's'), U'S');
    EXPECT_EQ(LatitudeKey(U'e'), U'e');
    EXPECT_EQ(LongitudeKey(U'+'), U'E');
    EXPECT_EQ(LongitudeKey(U'e'), U'E');
    EXPECT_EQ(LongitudeKey(U'-'), U'W');
    EXPECT_EQ(LongitudeKey(U'w'), U'W');
    EXPECT_EQ(LongitudeKey(U'n'), U'n');
    EXPECT_EQ(LongitudeKey(U'5'), U'5');
}

}  // namespace
}  // namespace orvex
