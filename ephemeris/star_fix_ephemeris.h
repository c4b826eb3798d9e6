// The program's ephemeris in the form the star fix takes it: the navigation
// library cannot call the ephemeris itself (the ephemeris builds on it), so
// whoever starts a fix passes this function in StarFixInputs::Ephemeris.
#pragma once

#include "navlib/star_fix_types.h"

namespace orvex {

// ComputeEphemeris(body, time) reduced to the hour angle, declination and
// distance the fix needs; the planets' further values are dropped.
EphemerisFunction StarFixEphemeris();

}  // namespace orvex
