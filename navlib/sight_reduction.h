// Sight reduction: from sextant altitude to observed altitude Ho, the
// altitude Hc computed at an assumed position, the intercept Ho - Hc, and the
// true azimuth of a body; and backwards, the sextant altitude to expect for a
// computed altitude. Pure functions: no state, nothing read but the
// arguments.
//
// Angles are decimal degrees (latitude north positive, longitude east
// positive). Every degree/radian conversion uses navlib/constants.h.
#pragma once

#include <string_view>

#include "navlib/arithmetic_fault.h"
#include "navlib/star_fix_types.h"

namespace orvex {

// Corrects the sextant altitudes of sights 1..count and reduces them.
//   count        number of sights to reduce; below 1 nothing is written
//   heightEye    height of eye, metres (>= 0)
//   tempAirC, tempWaterC   air and sea temperatures, degrees Celsius
//   pressMBars   atmospheric pressure, hectopascals
//   obs          reads ObsLat(i), ObsLong(i) (the position of sight i),
//                ObsBody, ObsHs, ObsInstErr, ObsDist (AU), ObsDec, ObsGHA;
//                writes ObsHo, ObsHc, ObsIntercept for i = 1..count, nothing else
// The corrections, in this order: instrument correction, dip (1.75698' per
// square-root metre plus 0.11' per degree Fahrenheit by which the air is
// warmer than the sea), Bennett's refraction from the apparent altitude,
// refined, scaled by pressure/1010.16 + temperature factor - 1 (the factor
// is 520/(460+F) below 40 F, 500/(460+F) above 60 F, else 1), parallax from
// the distance (every body; negligible for a star), and last the
// semi-diameter of the Sun or the Moon: + for "SUNLOW"/"MOONLOW", - for
// "SUNUPP"/"MOONUPP" (exact, case-sensitive names; other names have none).
// A sine beyond +-1 goes through ArcSin, which shows its own message and
// gives +-90 degrees; the reduction goes on with that value.
// Returns the first arithmetic failure met (a negative height of eye, a zero
// distance, an altitude at which the refraction formula has a pole); a sight
// whose reduction fails keeps its previous Ho, Hc and intercept, the others
// are reduced.
ArithmeticFault ReduceSights(int count, double heightEye, double tempAirC, double tempWaterC,
                             double pressMBars, ObservationSet& obs);

// The observed altitudes ObsHo of ReduceSights alone (they do not depend on
// the sights' positions); ObsHc and ObsIntercept are not touched. Failures
// as ReduceSights.
ArithmeticFault ReduceObservedAltitudes(int count, double heightEye, double tempAirC,
                                        double tempWaterC, double pressMBars, ObservationSet& obs);

// For sights 1..count already reduced by ReduceSights without a failure
// (ObsHo does not depend on the position): ObsHc and ObsIntercept again from
// the positions ObsLat(i), ObsLong(i), as ReduceSights would give them.
// Returns Overflow for a non-finite result (that sight keeps its values).
ArithmeticFault RecomputeIntercepts(int count, ObservationSet& obs);

// True azimuth of a body, degrees in [0, 360).
//   lat      latitude of the observer, degrees
//   angle1, angle2   two angles whose sum is the local hour angle (the star
//            fix passes the longitude and the Greenwich hour angle; the order
//            does not matter), degrees
//   dec      declination, degrees
// 180 for a body due south, 0 due north, 90 due east, 270 due west; a body
// in the zenith or at a pole gives 0.
double ComputeAzimuth(double lat, double angle1, double angle2, double dec);

// The computed altitude of a body from a position, degrees:
// asin(sin lat sin dec + cos lat cos dec cos(gha + lon)), through ArcSin.
double ComputeAltitude(double lat, double lon, double gha, double dec);

// The sextant altitude a navigator should expect to read, degrees, from the
// computed altitude of a body (for planning sights: no temperature or
// pressure, no instrument error).
//   hc         computed (geocentric, airless) altitude of the body's centre,
//              degrees, -90..90
//   heightEye  height of eye, metres (0 or more)
//   dist       distance of the body, astronomical units (> 0; 272000 for a
//              star)
//   name       body name; "MOONLOW"/"SUNLOW" take the lower limb (centre
//              minus the semi-diameter), "MOONUPP"/"SUNUPP" the upper limb;
//              every other body its centre
// The corrections of ReduceSights (same constants) run backwards:
// semi-diameter, parallax on the limb altitude, Bennett's refraction (with
// its refinement) on the parallax-corrected altitude, then the dip
// (1.75698' per square-root metre) added. Below -3 degrees (after parallax)
// the refraction is left out: there the formula runs towards its pole at
// -4.4 degrees, and such a body reads below the horizon with or without it.
double ComputeSextantAltitude(double hc, double heightEye, double dist, std::string_view name);

}  // namespace orvex
