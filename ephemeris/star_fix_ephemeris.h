// The program's ephemeris in the form the star fix takes it: the navigation
// library cannot call the ephemeris itself (the ephemeris builds on it), so
// whoever starts a fix passes this function in StarFixInputs::Ephemeris.
#pragma once

#include "navlib/star_fix_types.h"

namespace orvex {

// ComputeEphemeris(body, time) reduced to the hour angle, declination and
// distance the fix needs; the planets' further values are dropped. The
// stars' instant terms come from cells the function keeps while it lives
// (star_instant_cells.h): a fix's sights, hours apart at most, share the
// work of a few full evaluations. Make one per fix, or at least one per
// thread.
EphemerisFunction StarFixEphemeris();

}  // namespace orvex
