// Small helpers of the main window's start-up: the version text, the
// command-line file name and the stored
// window geometry.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "program_version.h"  // kVersionMajor, kVersionMinor, kVersionRevision

namespace orvex {

// Major, ".", minor, then the first digit of the revision: 1, 2, 1 give
// "1.21".
std::string BuildVersionText(int major, int minor, int revision);

// The part of s before its first NUL character, or s whole when it has none.
std::string TrimAtNull(const std::string& s);

// Makes path end in exactly one separator: when its last non-blank
// character is not `sep`, trailing blanks are dropped and `sep` appended;
// otherwise path is left exactly as it was (trailing blanks included). An
// empty path becomes the separator alone.
void AddBackslash(std::string& path, char sep = '\\');

// The observation file named on the command line: the arguments joined by
// one blank (a path with blanks and no quotes is one path), cut at the
// first NUL, with every double quote and every control character (code
// below 32) dropped. Empty when nothing is left.
std::string CleanCommandLine(const std::string& arguments);

// The main window's rectangle, in twips (1/1440 inch), as start-up
// restores it.
struct TwipsRect {
    double Left = 0, Top = 0, Width = 0, Height = 0;
};

// The largest stored geometry value taken, in twips (about 17 m of screen);
// anything beyond is damage, not a window.
inline constexpr double kMaxGeometryTwips = 1.0e6;
// The smallest width or height taken (ten pixels at 96 per inch).
inline constexpr double kMinWindowTwips = 150.0;

// Reads "MainWidth", "MainLeft", "MainHeight" and "MainTop" through
// `readSetting` (key -> stored text, empty when the key is missing) and
// fills in the defaults for a screen of screenWidth x screenHeight twips:
// width 95 % of the screen, centred; height 94 %, a quarter of the spare
// height above. A text that does not read as a number, a value beyond
// kMaxGeometryTwips either way, and a width or height under kMinWindowTwips
// fall back to their defaults; the default of the left and top edges is
// computed from the width and height actually used.
TwipsRect RestoreMainGeometry(const std::function<std::string(const std::string&)>& readSetting,
                              double screenWidth, double screenHeight);

// Converts a stored geometry text to a number: the "C" form, a comma as
// separator, or the user's locale; false when none reads or the number is
// beyond kMaxGeometryTwips.
bool ReadGeometryNumber(const std::string& text, double* value);

// How much of the window's width must show on a screen (1 inch), and the
// room kept below the top edge of the window on its screen (1/2 inch).
inline constexpr double kVisibleWidthTwips = 1440.0;
inline constexpr double kTitleRoomTwips = 720.0;

// The window as restored, kept where the user can reach it. `screens` are
// the available areas of the screens (twips), the primary first. The window
// lands on the first screen where its top edge (the title bar) lies between
// the screen's top and kTitleRoomTwips above its bottom, and at least
// kVisibleWidthTwips of its width (or all of a narrower window) shows; it
// keeps its place there, also partly off the screen, but is made no larger
// than that screen. Otherwise it is made no larger than the primary screen
// and moved onto it.
TwipsRect KeepOnScreen(const TwipsRect& window, const std::vector<TwipsRect>& screens);

}  // namespace orvex
