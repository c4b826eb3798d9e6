#pragma once
// The observer's position fields shared by the azimuth tool and the star-fix
// wizard: hemisphere keys, the commit checks of a latitude and a longitude,
// and the erase button beside each field.

#include <optional>
#include <string>

namespace orvex {

class MaskedField;

// Lets the navigator type the hemisphere as a sign or a lower-case letter:
// "+"/"n" become N and "-"/"s" become S in the latitude field, "+"/"e" become
// E and "-"/"w" become W in the longitude field.
void HookHemisphereKeys(MaskedField& latitude, MaskedField& longitude);

// Checks a committed latitude field (degrees, N positive, -90..90). A refused
// entry gets its message and keeps its text; an accepted one turns green and,
// when typed, shows the latitude as stored ("04°03'.5 N", decSep the
// decimal separator). Returns the latitude in degrees when accepted, nothing
// when the field is empty or refused (the value held before must then stay
// as it was).
std::optional<double> CommitLatitudeField(MaskedField& f, const std::string& decSep);

// The same for a longitude field (degrees, E positive, -180..180).
std::optional<double> CommitLongitudeField(MaskedField& f, const std::string& decSep);

// Blanks a latitude (latitude true) or longitude field to its prompt, with
// decSep as the decimal separator, and gives it back its window colour.
void EraseObsPosField(MaskedField& f, bool latitude, const std::string& decSep);

}  // namespace orvex
