#include "inputs/position_checks.h"

#include "navlib/inout_lib.h"

namespace orvex {

namespace {
FieldVerdict FromParser(double x, const char* tooFar, const char* minutes, const char* letter) {
    if (x == kBadDegrees) return FieldVerdict{false, x, tooFar};
    if (x == kBadMinutes) return FieldVerdict{false, x, minutes};
    if (x == kBadHemisphere) return FieldVerdict{false, x, letter};
    return FieldVerdict{true, x, std::string()};
}
}  // namespace

FieldVerdict CheckLatitudeText(int index, const std::string& text, const std::string& decSep) {
    // The limiting latitude is typed without tenths and hemisphere: always
    // north.
    const std::string full = index == kLimitsFieldIndex ? text + decSep + "0 N" : text;
    return FromParser(ParseLatitude(full), "Latitude > 90°.", "The latitude has more than 59'.",
                      "A latitude can only be N (North) or S (South).");
}

FieldVerdict CheckLongitudeText(int index, const std::string& text, const std::string& decSep) {
    // The interval has two degree digits: the "_" in front stands for the
    // hundreds; it is always east.
    const std::string full = index == kLimitsFieldIndex ? "_" + text + decSep + "0 E" : text;
    FieldVerdict v = FromParser(ParseLongitude(full, false), "Longitude > 180°.",
                                "The longitude has more than 59'.",
                                "A longitude can only be W (West) or E (East).");
    if (v.Accepted && index == kLimitsFieldIndex && v.Value == 0.0)
        return FieldVerdict{false, v.Value, "You entered a longitude interval of 00°00'..."};
    return v;
}

char32_t LatitudeKey(char32_t c) {
    if (c == U'+' || c == U'n') return U'N';
    if (c == U'-' || c == U's') return U'S';
    return c;
}

char32_t LongitudeKey(char32_t c) {
    if (c == U'+' || c == U'e') return U'E';
    if (c == U'-' || c == U'w') return U'W';
    return c;
}

}  // namespace orvex
