// Great-circle and geodesic sailing: the vertex of the track through two
// positions, the latitude and course of that track at any meridian, the
// distance between two positions, and the two longitude-scale factors of the
// geodesic.
//
// Conventions shared by every routine here:
//   - latitudes and longitudes in degrees, north and east positive;
//     longitudes returned in -180..180;
//   - E is the Earth model: E.InvFlattening (1e100 is the "Normal Sphere",
//     on which everything reduces to the spherical great circle in closed
//     form) and E.SemiMajorAxis in nautical miles; distances come out in the
//     unit of the semi-major axis;
//   - a track is represented by its vertex (the point of highest latitude in
//     the hemisphere of the end nearer a pole) and by its parameter p, the
//     cotangent of the vertex's geocentric latitude (p > 0 for a northern
//     vertex, p < 0 for a southern one). On the sphere cos(lon - vertexLong)
//     = p tan(lat) at every point of the track.
//
// Accuracy on an ellipsoid: the vertex is first found on the geodesic's
// longitude equation to first order in the flattening and then refined on
// the exact integral form, as are the latitudes along the track, so both
// agree with a full geodesic solution to about 1e-5 degree; the distance
// follows the Andoyer-Lambert formula (error of the order of the square of
// the flattening, within 2e-5 of the distance; nearly antipodal positions
// fall outside the formula).
//
// The routines write OneMinusE2, HalfE2, SolvArg1..SolvArg4, SolvGeo and
// SolvIntA of the shared solver parameters
// (navlib/solver_callback.h); nothing else keeps state.
#pragma once

#include "navlib/earth_model.h"

namespace orvex {

// The course argument of GreatCircleComposite when no course is wanted.
inline constexpr double kNoCourse = -999.0;

// The vertex of the track through two positions.
struct GreatCircleVertex {
    double VertexLat = 0.0;    // degrees
    double VertexLong = 0.0;   // degrees, -180..180
    double VertexParam = 0.0;  // p, the cotangent of the geocentric vertex latitude
    // Distance from the departure to the vertex (unit of the semi-major axis),
    // or exactly -1 when the vertex does not lie between the two positions.
    double VertexDist = -1.0;
};

// The vertex of the great circle (sphere) or geodesic (ellipsoid) through the
// departure (lat1, lon1) and the arrival (lat2, lon2), and the distance from
// the departure to it.
// Special cases:
//   - two positions that count as the same (SameLatitude and SameLongitude):
//     vertex 0, 0, p = 0, distance -1;
//   - both positions on the equator (within 4e-05 degree): the track has no
//     vertex; vertex 0, 0, p = 0, distance -1 (courses along it are 090/270);
//   - a track along a meridian (both longitudes the same, or opposite, or
//     a position at a pole) has its vertex at a pole, p = 0: the pole it
//     crosses (distance to it given), else a pole at one end (distance 0
//     at the departure, the meridian arc at the arrival), else the pole on
//     the side of the position farther from the equator (distance -1).
//     The vertex longitude is then the meridian along which the track,
//     sailed on, runs into that pole (the departure's, or the opposite one
//     when the track leaves the pole); both positions at one pole are the
//     same position.
// The vertex lies in the hemisphere of the position farther from the equator.
// A failure of the refinement shows the box of the equation solver and goes
// on with its last iterate.
GreatCircleVertex GreatCircleEllipsoid(double lat1, double lon1, double lat2, double lon2,
                                       const EarthModel& E);

// The latitude (degrees) at which the track with the given vertex crosses the
// meridian lon.
//   vertexLat, vertexLong, vertexParam  the track, as GreatCircleEllipsoid
//                                       returns it
//   fromLong, toLong  the direction of travel (departure and arrival
//                     longitudes); read only when a course is wanted
//   course   in: kNoCourse when no course is wanted, anything else asks for
//            it; out: the true course (0..360, a northward course is 360)
//            of the track at lon in the direction of travel
//   failed   out: true when no latitude was found (the return value is then 0)
// At the vertex longitude (the latitude within 0.0003 degree of the vertex)
// the vertex latitude is returned and the course set to 090 or 270 by the
// direction of travel, even when kNoCourse was passed. A vertex on the
// equator gives latitude 0 and course 090/270 everywhere. A vertex at a pole
// (exactly 90 degrees: a track along a meridian) has no latitude as a
// function of longitude: failed, and the course, when wanted, 360 where the
// track heads north at lon and 180 where it heads south (the vertex
// longitude tells which, see GreatCircleEllipsoid).
double GreatCircleComposite(double lon, double vertexLat, double vertexLong, double vertexParam,
                            const EarthModel& E, double fromLong, double toLong, double& course,
                            bool& failed);

// Distance between two positions by the Andoyer-Lambert formula, in the unit
// of the semi-major axis. On the "Normal Sphere" (inverse flattening 1e100
// and a semi-major axis of 10800 / pi miles) it is the spherical distance in
// minutes of arc. Positions on one meridian and on the equator are computed
// like any other pair; nearly antipodal positions fall outside the formula.
double GeodesicDistance(double lat1, double lon1, double lat2, double lon2, const EarthModel& E);

// Longitude-scale factor K7(phi, a) of the geodesic whose vertex has the
// geocentric latitude a (radians), at the geocentric latitude phi (radians):
// the spherical longitude from the vertex divided by the geodesic's
// longitude from the vertex, so that tan(phi) = tan(a) cos(K7 * dLong).
// |a| < |phi| gives IntegralMode8(a, a); |a| = |phi| gives
// IntegralMode8(phi, a). Uses OneMinusE2 of the shared solver parameters and
// writes SolvIntA. 1 on the sphere. A failed integration shows the
// integrator's box and gives 1.
double IntegralMode7(double phi, double a);

// The same factor counted from the node (where the geodesic crosses the
// equator): K8 * dLongFromNode = arcsin(tan(phi) / tan(a)). IntegralMode8(a, a)
// is the ratio of 90 degrees to the longitude from node to vertex, so the
// period of the geodesic in longitude is 360 / IntegralMode8(a, a); for a = 0
// (a track along the equator) the factor is its limit 1 / (1 - f), the
// period 360 (1 - f).
double IntegralMode8(double phi, double a);

// Building block of the geodesic longitude equations: the longitude (radians)
// of a point from the vertex of the track with parameter p, to first order in
// the flattening.
//   A       cotangent of the point's geocentric latitude
//   p       the track's parameter
//   halfE2  e^2 / 2 of the ellipsoid
// A point in the other hemisphere from the vertex lies more than a quarter
// circle from it. Requires |p| <= |A| (a rounding over counts as equal).
double GeodesicLongitudeFromVertex(double A, double p, double halfE2);

}  // namespace orvex
