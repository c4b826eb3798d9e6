// The checks of the latitude and longitude fields mskLat(0..5) and
// mskLong(0..5): field index i holds position slot i + 1 (0 and 1 rhumb-line
// departure and arrival, 2 and 3 great-circle departure and arrival, 4 the
// limiting latitude and the longitude interval between waypoints, 5 the
// estimated position of the star fix). Plain text work, no widgets.
#pragma once

#include <string>

#include "inputs/condition_checks.h"

namespace orvex {

// Index of the fields of the great-circle limits.
inline constexpr int kLimitsFieldIndex = 4;

// A latitude text as the field shows it (literals and prompts included).
// Index 4 holds whole degrees and minutes of a northern limit ("60°00'");
// every other index a full latitude ("12°34'.5 S"). Value in degrees, north
// positive. Messages: "Latitude > 90°.", "The latitude has more than 59'.",
// "A latitude can only be N (North) or S (South).".
FieldVerdict CheckLatitudeText(int index, const std::string& text, const std::string& decSep);

// A longitude text. Index 4 holds the interval between waypoints in degrees
// and tens of minutes ("05°30'"), always east and never zero ("You entered a
// longitude interval of 00°00'..."); every other index a full longitude,
// west negative (-180..180). Messages: "Longitude > 180°.", "The longitude
// has more than 59'.", "A longitude can only be W (West) or E (East).".
FieldVerdict CheckLongitudeText(int index, const std::string& text, const std::string& decSep);

// The hemisphere typed as a sign or a small letter: a latitude field turns
// "+" and "n" into "N", "-" and "s" into "S"; a longitude field "+" and "e"
// into "E", "-" and "w" into "W". Any other character is returned as it is.
char32_t LatitudeKey(char32_t c);
char32_t LongitudeKey(char32_t c);

}  // namespace orvex
