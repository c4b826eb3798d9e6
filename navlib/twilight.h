// The two closed forms behind the planning of star sights: the hour angle at
// which a body stands at a given altitude, and the altitude of the Sun's
// centre at the visible sunrise or sunset. The search for the twilight
// times themselves needs the ephemeris (ephemeris/twilight.h).
#pragma once

namespace orvex {

// The hour angle t (degrees, 0..180) at which a body of declination dec
// stands at the true altitude h, seen from latitude lat (all degrees):
// cos t = (sin h - sin lat sin dec) / (cos lat cos dec).
// When the body never reaches h on that day (the cosine outside -1..1) the
// arccosine box " Error in Arc Cosinus routine" is shown and the result is
// 0 (the body stays below h) or 180 (it stays above h).
double HourAngleFromAltitude(double h, double lat, double dec);

// True when a body of declination dec passes the true altitude h during
// the day, seen from latitude lat (all degrees): the cosine above lies
// within -1..1. Shows no message.
bool AltitudeReached(double h, double lat, double dec);

// True altitude (degrees) of the Sun's centre when its upper limb touches the
// visible sea horizon: minus the dip of the horizon (0.029283 sqrt(heightEye)
// degrees), the refraction at that altitude, the semi-diameter
// (0.266564 / sunDistance degrees), plus the horizontal parallax.
//   heightEye    metres, 0 or more
//   sunDistance  astronomical units
// About -0.838 for a height of eye of 0 and the Sun at 1 AU.
double VisibleSunriseAltitude(double heightEye, double sunDistance);

}  // namespace orvex
