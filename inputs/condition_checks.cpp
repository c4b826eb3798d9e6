#include "inputs/condition_checks.h"

#include <cmath>

#include "navlib/inout_lib.h"
#include "navlib/number_format.h"
#include "navlib/unit_conversions.h"

namespace orvex {

namespace {
FieldVerdict Refused(double value, std::string message) {
    return FieldVerdict{false, value, std::move(message)};
}
FieldVerdict Accepted(double value) {
    return FieldVerdict{true, value, std::string()};
}
// Characters of a UTF-8 text (continuation bytes are not counted).
int CharCount(const std::string& s) {
    int n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}
}  // namespace

FieldVerdict CheckCourseText(const std::string& text, const std::string& decSep) {
    const double x = ParseBearingText(text, decSep);
    if (x == kBearingNegative) return Refused(x, "Negative Course.");
    if (x == kBearingOver360) return Refused(x, "Course > 360°");
    return Accepted(x);
}

FieldVerdict CheckSightAltitudeText(const std::string& text) {
    const double x = ParseLatitude(text + " N");
    if (x == kBadMinutes) return Refused(x, "The altitude has more than 59'.");
    if (x == kBadHemisphere || x < 0.0 || x >= 90.0) return Refused(x, "Altitude > 90°.");
    return Accepted(x);
}

FieldVerdict CheckInstrumentCorrectionText(const std::string& text, const std::string& decSep) {
    const double x = ParseNumberText(text, decSep);
    if (x == kNotANumber || std::fabs(x) > 99.99)
        return Refused(x, "The instrumental correction is not valid. Try again please.");
    return Accepted(x);
}

FieldVerdict CheckSpeedText(const std::string& text, const std::string& decSep) {
    const double x = ParsePositiveText(text, decSep);
    if (x < 0) return Refused(x, "Your speed is negative.");
    return Accepted(x);
}

FieldVerdict CheckHeightMetresText(const std::string& text, const std::string& decSep) {
    const double x = ParsePositiveText(text, decSep);
    if (x < 0) return Refused(x, "The eye height is negative.");
    return Accepted(x);
}

FieldVerdict CheckHeightFeetText(const std::string& text, const std::string& decSep) {
    const double x = ParsePositiveText(text, decSep);
    if (x < 0) return Refused(x, "The eye height is negative.");
    if (x > kMaxHeightFeet + 1e-9)
        return Refused(x, "The eye height is higher than 327" + decSep + "9 feet.");
    return Accepted(x);
}

FieldVerdict CheckPressureMBarsText(const std::string& text, const std::string& decSep) {
    const double x = ParsePositiveText(text, decSep);
    if (x < 940) return Refused(x, "The atmospheric pressure is lower than 940 mbars.");
    if (x > 1070) return Refused(x, "The atmospheric pressure is higher than 1070 mbars.");
    return Accepted(x);
}

FieldVerdict CheckPressureHgText(const std::string& text, const std::string& decSep) {
    const double x = ParsePositiveText(text, decSep);
    if (x < 27.76)
        return Refused(x, "The atmospheric pressure is lower than 27" + decSep + "76 inHg.");
    if (x > 31.59)
        return Refused(x, "The atmospheric pressure is higher than 31" + decSep + "59 inHg.");
    return Accepted(x);
}

FieldVerdict CheckTemperatureText(const std::string& text, const std::string& decSep,
                                  bool fahrenheit) {
    const double x = ParseNumberText(text, decSep);
    if (x == kNotANumber) return Refused(x, "The temperature is not valid.");
    if (fahrenheit) {
        if (x < -58) return Refused(x, "The temperature is lower than -58°F.");
        if (x > 158) return Refused(x, "The temperature is higher than +158°F.");
    } else {
        if (x < -50) return Refused(x, "The temperature is lower than -50°C.");
        if (x > 70) return Refused(x, "The temperature is higher than +70°C.");
    }
    return Accepted(x);
}

std::string PadWithPrompts(const std::string& s, int width) {
    const int n = CharCount(s);
    return n >= width ? s : std::string(static_cast<size_t>(width - n), '_') + s;
}

std::string FeetTextOfMetres(double metres, const std::string& decSep) {
    return FormatNumber(MetresToFeet(metres), "000.0", decSep);
}

std::string MetresText(double metres, const std::string& decSep) {
    return FormatNumber(metres, "00.0", decSep);
}

std::string InchesHgText(double inHg, const std::string& decSep) {
    return FormatNumber(inHg, "00.00", decSep);
}

std::string MillibarsText(double hPa) {
    return FormatNumber(hPa, "0000");
}

std::string MillibarsSpinText(double hPa) {
    return PadWithPrompts(FormatNumber(hPa, "#000"), 4);
}

std::string TemperatureText(double t) {
    return PadWithPrompts(FormatNumber(t, "##0"), 3);
}

}  // namespace orvex
