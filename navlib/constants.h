// The system's numeric constants. Every conversion between degrees and radians
// in Orvex uses these values, never a library pi: the results navigators have
// compared against for years were computed with this twelve-decimal pi.
#pragma once

namespace orvex {

inline constexpr double kPi = 3.141592653589;             // not 3.14159265358979
inline constexpr double kHalfPi = 1.5707963267945;        // kPi / 2, not 1.5707963267949
inline constexpr double kDegToRad = 0.01745329251993889;  // kPi / 180
inline constexpr double kRadToDeg = 57.29577951309679;    // 180 / kPi

// A remainder or a normalised angle closer than this to its limit counts as 0.
inline constexpr double kZeroTolerance = 1e-11;
// Two latitudes, longitudes or fractions of a degree closer than this (degrees)
// count as equal.
inline constexpr double kSameAngleTolerance = 8e-05;
// Half of it: the band about the equator within which two latitudes of
// opposite sign still count as equal.
inline constexpr double kEquatorBand = 4e-05;
// 360 minus the same-angle tolerance.
inline constexpr double kFullCircleComplement = 359.99992;

}  // namespace orvex
