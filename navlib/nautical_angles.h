// Small nautical tests on angles and the spherical rotation used by the
// ephemeris and the sailings. Degrees throughout.
#pragma once

namespace orvex {

// Rotation of spherical coordinates. For a point at angular distance b from a
// pole P and at angle a about P (counted from P's meridian toward increasing
// longitude), with P at co-latitude c: colat is the point's co-latitude
// (0..180) and lon its longitude difference from P's meridian (0..360).
void RotateSpherical(double a, double b, double c, double& lon, double& colat);

// RotateSpherical from the sines and cosines of a, b and c (their angles
// taken in radians from the degrees as RotateSpherical takes them): the same
// numbers, for a caller that knows some of them already.
void RotateSphericalTrig(double sinA, double cosA, double sinB, double cosB, double sinC,
                         double cosC, double& lon, double& colat);

// The end (lat2, lon2) of the great-circle arc of length arc (degrees) from
// (lat, lon) on the initial bearing (clockwise from north), on the unit
// sphere. lon2 is in 0..360.
void TransformSpherical(double lat, double lon, double bearing, double arc, double& lat2,
                        double& lon2);

// Swaps a longitude between the -180..180 and the 0..360 forms: x < 0 gives
// x + 360, x > 180 gives x - 360, otherwise x.
double ToggleLongitudeRange(double x);

// True when the two latitudes have the same sign and differ by less than
// 8e-05, or when both lie within 4e-05 of the equator.
bool SameLatitude(double a, double b);

// True when the two longitudes (either form) differ by less than 8e-05,
// across the 180th meridian too.
bool SameLongitude(double a, double b);

// True when the two positions count as the same place: the same latitude
// and longitude as above, or both at one pole whatever their longitudes.
// Degrees, north and east positive.
bool SamePosition(double lat1, double lon1, double lat2, double lon2);

// +1 when b lies east of a by less than 180 degrees, otherwise -1 (equal and
// opposite longitudes give -1).
int LongitudeSense(double a, double b);

// 0 when the bearings are exactly equal, -1 when b lies clockwise of a by less
// than 180 degrees, otherwise +1.
int CompareBearings(double a, double b);

// CompareBearings for two bearings already brought into 0..360 by Norm360
// (a caller comparing one bearing with many normalises each once).
int CompareNormalisedBearings(double a, double b);

// The course 0..360 from an acute angle x and the direction from position 1
// to position 2. A northward course along the meridian is 360, not 0.
double CourseFromQuadrant(double x, double lat1, double lon1, double lat2, double lon2);

}  // namespace orvex
