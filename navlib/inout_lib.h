// Position, bearing and number texts: the parsers that read what the user
// typed into a masked field, and the two formatters of every latitude and
// longitude the program shows or prints.
//
// Position texts, character positions counted from 1:
//   latitude   "00°00'.0 N"  (10 characters): 1-2 degrees, 3 "°", 4-5 whole
//              minutes, 6 "'", 7 decimal separator, 8 tenths of a minute,
//              9 blank, 10 "N" or "S"
//   longitude  "000°00'.0 E" (11 characters): 1-3 degrees, 4 "°", 5-6 whole
//              minutes, 7 "'", 8 decimal separator, 9 tenths, 10 blank,
//              11 "E" or "W"
// Texts are counted by character, not by byte: "°" is one character (two
// bytes of UTF-8), so is the decimal separator whatever it is; a byte that is
// not valid UTF-8 (a "°" from an old single-byte file) counts as one
// character. The parsers never read the separator's position, so any
// separator is accepted. Unfilled places of a masked field hold the prompt
// "_".
//
// The parsers never throw, never show a message and never read outside the
// text, whatever it holds; a bad text gives a sentinel value:
//   999  latitude/longitude: the last character is not a hemisphere letter
//        of that coordinate (either case); bearing: more than 360, or no
//        number; number: not a number
//   998  latitude/longitude: whole minutes over 59; bearing: negative
//   997  latitude over 90° / longitude over 180°
//   -1   positive number: negative, or no number
// The hemisphere is tested first, then the minutes, then the degrees.
#pragma once

#include <string>
#include <string_view>

namespace orvex {

// Sentinel values of the parsers.
inline constexpr double kBadHemisphere = 999.0;
inline constexpr double kBadMinutes = 998.0;
inline constexpr double kBadDegrees = 997.0;
inline constexpr double kBearingOver360 = 999.0;
inline constexpr double kBearingNegative = 998.0;
inline constexpr double kNotANumber = 999.0;
inline constexpr double kNegativeNumber = -1.0;

// A latitude text to degrees, north positive (-90..90), or 997, 998, 999.
// Prompts read as blanks, which are skipped: "_5°0_'._ N" is 5°00'.0 N. Each
// slice of digits reads its leading digits (blanks skipped, anything else
// ends it); a slice past the end of the text reads 0.
double ParseLatitude(std::string_view s);

// A longitude text to degrees, east positive, or 997, 998, 999. A west
// longitude is -deg, or 360 - deg when wide is true (the 0..360 form).
// Prompts read as the digit 0 (unlike the latitude), so a lone 4 typed in the
// first place reads 400° and gives 997.
double ParseLongitude(std::string_view s, bool wide = false);

// Latitude in degrees to "00°00'.0 N" / "00°00'.0 S" (S when lat < 0),
// rounded to the tenth of a minute; the minutes never read 60. decSep is the
// user's decimal separator (one character, UTF-8).
std::string FormatLatitude(double lat, std::string_view decSep = ".");

// Longitude in degrees (either form; any value is brought into -180..180
// first) to "000°00'.0 E" / "000°00'.0 W": 0..180 east, negative west.
// -180.3 gives "179°42'.0 E".
std::string FormatLongitude(double lon, std::string_view decSep = ".");

// A bearing text to degrees: every "°" and "_" removed, the rest read as a
// number of the user's locale (decSep). Over 360 gives 999, negative 998,
// 0..360 (360 included) the value; a text that holds no number gives 999.
double ParseBearingText(std::string_view s, std::string_view decSep = ".");

// Every "_" removed, the rest read as a number; a negative value (or a text
// that holds no number) gives -1.
double ParsePositiveText(std::string_view s, std::string_view decSep = ".");

// Every "_" removed; a text that is not a number of the user's locale gives
// 999, else the number. (A typed 999 cannot be told from a bad text.)
double ParseNumberText(std::string_view s, std::string_view decSep = ".");

// Reads a whole text as a number of the user's locale: blanks around it, an
// optional sign (blanks may follow it), digits with at most one decimal
// separator decSep, an optional exponent (E or e, optional sign, digits).
// Nothing else is allowed; the result must be finite. Returns false when the
// text is not such a number. Shared by the plain-number parsers and the
// windows' own fields.
bool ReadLocaleNumber(std::string_view s, std::string_view decSep, double& value);

}  // namespace orvex
