// The checks of the star-fix condition fields: what a committed text means,
// whether it is accepted, the message that refuses it, and the texts written
// into the paired unit fields. Plain text work on the field's text (literals
// and prompts "_" included), no widgets.
//
// Every check reads the text with the parser of its field and tests the
// sentinel first, then the lower limit, then the upper limit; limits are
// inclusive. decSep is the user's decimal separator (one character, UTF-8):
// it is the separator the masks hold and the one written into messages and
// texts.
#pragma once

#include <string>

namespace orvex {

// The verdict on one field text.
struct FieldVerdict {
    bool Accepted = false;
    double Value = 0.0;   // the value read (the parser's sentinel when refused by it)
    std::string Message;  // why it was refused; empty when accepted
};

// True course, degrees 0 to 360 (360 included). Messages "Negative Course."
// and "Course > 360°".
FieldVerdict CheckCourseText(const std::string& text, const std::string& decSep);

// Speed over ground, knots, 0 and more. Message "Your speed is negative.".
FieldVerdict CheckSpeedText(const std::string& text, const std::string& decSep);

// Height of eye in metres, 0 and more. Message "The eye height is negative.".
FieldVerdict CheckHeightMetresText(const std::string& text, const std::string& decSep);

// Height of eye in feet, 0 to 327.9 ft; Value is the height in feet. The
// metres field shows at most 99.9 m, so a higher entry is refused with
// "The eye height is higher than 327" + decSep + "9 feet.".
FieldVerdict CheckHeightFeetText(const std::string& text, const std::string& decSep);
inline constexpr double kMaxHeightFeet = 327.9;

// Atmospheric pressure in hectopascals, 940 to 1070.
FieldVerdict CheckPressureMBarsText(const std::string& text, const std::string& decSep);

// Atmospheric pressure in inches of mercury, 27.76 to 31.59; the messages
// write the limits with decSep.
FieldVerdict CheckPressureHgText(const std::string& text, const std::string& decSep);

// Temperature, whole degrees: Celsius -50 to 70, Fahrenheit -58 to 158.
// A text that is not a number: "The temperature is not valid.".
FieldVerdict CheckTemperatureText(const std::string& text, const std::string& decSep,
                                  bool fahrenheit);

// The altitude of a sight as its grid cell takes it, degrees 0 to under 90
// (the cell types no 9 as the tens of degrees): "Altitude > 90°." and "The
// altitude has more than 59'.". The text is read as a latitude north.
FieldVerdict CheckSightAltitudeText(const std::string& text);

// An instrumental correction, minutes of arc, -99.99 to 99.99: "The
// instrumental correction is not valid. Try again please.".
FieldVerdict CheckInstrumentCorrectionText(const std::string& text, const std::string& decSep);

// texts of the paired fields:
// "_" on the left of s up to `width` characters (UTF-8 aware; a longer s is
// returned as it is).
std::string PadWithPrompts(const std::string& s, int width);
// Feet shown for a height in metres: Format(MetresToFeet(m), "000.0").
std::string FeetTextOfMetres(double metres, const std::string& decSep);
// Metres shown for a height in metres: Format(m, "00.0").
std::string MetresText(double metres, const std::string& decSep);
// Inches of mercury: Format(inHg, "00.00").
std::string InchesHgText(double inHg, const std::string& decSep);
// Hectopascals: Format(hPa, "0000") for the paired field; the spin button
// writes "#000" padded with "_" to four characters (999 -> "_999").
std::string MillibarsText(double hPa);
std::string MillibarsSpinText(double hPa);
// A temperature: Format(t, "##0") padded with "_" to three characters
// (68 -> "_68", 5 -> "__5", -15 -> "-15").
std::string TemperatureText(double t);

}  // namespace orvex
