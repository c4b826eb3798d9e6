// The input masks of the main window's masked fields. "9" is an optional
// digit, "#" a digit, "+" a digit, a blank or a sign, "?" a letter, "&" any
// character; the decimal-separator place carries the user's separator and
// every other character is a literal.
#pragma once

#include <string>
#include <vector>

namespace orvex {

// One mask assignment: the field's name, its index in its control array
// (-1 for a single field) and the mask.
struct MaskAssignment {
    std::string Field;
    int Index;
    std::string Mask;
};

// The masks set at start, in the order they are applied (a later line for
// the same field overrides an earlier one: mskLat(4) and mskLong(4)),
// followed by the design masks that hold no separator (mskPress_mBars and
// the temperature fields). decSep is one character.
std::vector<MaskAssignment> StartMasks(const std::string& decSep);

// The erased text of a position field: "__°__'" + sep + "_ _" for a
// latitude and "___°__'" + sep + "_ _" for a longitude.
std::string BlankLatitudeText(const std::string& decSep);
std::string BlankLongitudeText(const std::string& decSep);

}  // namespace orvex
