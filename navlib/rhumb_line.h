// Rhumb-line (loxodrome) sailings: meridional parts and the four classic
// problems of Mercator sailing.
//
// Angles are decimal degrees (latitude north positive, longitude east
// positive, course 0..360 clockwise from north), distances nautical miles.
//
// The Earth model chooses between two methods, not one formula:
//  - E.InvFlattening above 1000 ("sphere"): the navigator's Mercator sailing,
//    meridional parts of the Clarke 1880 spheroid (MeridionalParts, whatever
//    the model) and 60 nautical miles to the degree of latitude. The
//    semi-major axis enters only the parallel-sailing branch of the direct
//    routine (courses within half a degree of 090 or 270); on the "Normal
//    Sphere" (3437.7468 nm) one minute of arc is one mile there too.
//  - 1000 or less ("ellipsoid"): the ellipsoid's own isometric latitude and
//    radii of curvature, refined by the root finder where no closed form is
//    used. Courses come out exact (to 1e-9 degree; to about 2e-5 degree within
//    half a degree of 090/270, where parallel sailing is used); the arrival latitude
//    follows the distance by a first-order meridian-arc series, so distances
//    and arrival latitudes carry a relative error of about 2e-5 of the
//    distance run (2 m in 100 miles, 0.1 mile in 5000 miles).
//
// Every routine returns a status besides its outputs. A refusal (no
// solution, or no single solution) shows an exclamation box under " Error in
// nautical routine" and gives the neutral outputs stated; a root search that
// fails shows the root finder's own box, gives 0 for the quantity searched
// (by longitude: latitude and distance both 0) and the status NoSolution. A latitude of exactly -90
// is replaced by -89.999999 so that its isometric latitude stays finite.
//
// The inverse, by-latitude and by-longitude routines use the shared solver
// parameters (navlib/solver_callback.h) for their root searches.
#pragma once

#include "navlib/earth_model.h"

namespace orvex {

enum class SailingStatus {
    Solved,
    NoSolution,   // refused or not found; a message was shown; outputs neutral
    SpecialCase,  // a special answer, e.g. a track over a pole; a message may have been shown
};

// Meridional parts of a latitude on the Clarke 1880 spheroid (inverse
// flattening 293.465000003029), minutes of arc, negative south; whatever
// Earth model is in use. Odd in the latitude, and finite at +-90.
double MeridionalParts(double lat);

// Course and distance from position 1 to position 2.
//   course  out: above 0 up to 360 (360 due north); 0 with distance 0 when
//           the two positions count as the same (SamePosition: one pole
//           at any longitudes too), without a message
//   dist    out: nautical miles
// From or to a pole (within SameLatitude of +-90) the rhumb line is the
// meridian: course 360 or 180, and the meridian arc (60 miles to the degree
// on the sphere). On one parallel the course is 090 or 270, the shorter
// way round, and on the ellipsoid the distance is the arc of the parallel.
// A longitude difference is always taken the short way (across 180 too). On the
// ellipsoid, where the course search misses (close to east or west, two
// latitudes tenths of a minute apart far apart in longitude) the ellipsoid's
// own rhumb course tan C = dlon / (psi2 - psi1) is taken, without a message.
// Status Solved, or NoSolution when a root search failed (its box shown).
SailingStatus RhumbLineInverse(double lat1, double lon1, double lat2, double lon2, double& course,
                               double& dist, const EarthModel& E);

// Arrival position after dist nautical miles along course from lat1, lon1.
//   lat2, lon2  out: arrival, lon2 in -180..180
// dist = 0 gives the departure unchanged. A track that runs over a pole ends
// at latitude +-90, longitude 0, status SpecialCase; the message
// "Your track is crossing a pole..." is shown at most once a second (clock
// hook TimerSeconds). Courses strictly within half a degree of 090 or 270 are
// parallel sailing on the departure's radii.
SailingStatus RhumbLineDirect(double lat1, double lon1, double course, double dist, double& lat2,
                              double& lon2, const EarthModel& E);

// A departure shared by several runs: what a direct rhumb line depends on
// through its departure latitude, course and Earth model alone, worked out
// once (the star fix runs one position to the time of every sight).
// RhumbLineFrom(RhumbDeparture(lat1, course, E), lon1, dist, lat2, lon2)
// gives exactly what RhumbLineDirect(lat1, lon1, course, dist, lat2, lon2, E)
// gives, messages included.
struct RhumbDeparture {
    RhumbDeparture() = default;
    RhumbDeparture(double lat1, double course, const EarthModel& E);

    double lat1 = 0, course = 0, F = 0, a = 0;  // as given (F and a those of E)
    double phi1 = 0, C = 0, e = 0, e2 = 0;      // radians (-90 as -89.999999); eccentricity
    double W2 = 0, M1 = 0, cosC = 0;            // 1 - e^2 sin^2 phi1; meridian radius, nm
    double sin2Phi1 = 0, tanC = 0, psi1 = 0;    // sin 2 phi1, tan C, the isometric latitude
                                                // of phi1; 0 within half a degree of E or W
};

// What a run learnt of its arrival, radians: when it came through the
// isometric latitude (on the ellipsoid, away from east and west, short of a
// pole), the arrival's latitude before it was turned into degrees and its
// isometric latitude.
struct RhumbArrival {
    bool known = false;
    double phi = 0.0, psi = 0.0;
};

// The direct rhumb line from a departure (see RhumbDeparture); with arrival
// given, what the run learnt of its arrival.
SailingStatus RhumbLineFrom(const RhumbDeparture& d, double lon1, double dist, double& lat2,
                            double& lon2, RhumbArrival* arrival = nullptr);

// Arrival longitude and distance for a given arrival latitude and course.
//   lon2  out: -180..180
// Refused (NoSolution, message shown): the same latitudes (lon2 = lon1,
// dist = 0); a course of exactly 090 or 270 with different latitudes, and a
// course heading away from the arrival latitude (lon2 = 0, dist = 0); on the
// ellipsoid a distance above 21638.8 nm (lon2 = 0, dist = 0).
SailingStatus RhumbLineByLatitude(double lat1, double lon1, double course, double lat2,
                                  double& lon2, double& dist, const EarthModel& E);

// Arrival latitude and distance for a given arrival longitude and course.
//   lat2  out: -90..90
//   dist  out: nautical miles
// Refused (NoSolution, message shown): the same longitudes (lat2 = lat1,
// dist = 0); a course of 000, 180 or 360 with different longitudes, a course
// heading away from the arrival longitude, and an arrival that would lie at a
// pole or that the searches cannot place within -90..90 (lat2 = 0, dist = 0).
// Near a pole, where the track winds round it and meets the meridian again and
// again, the arrival is the one at the distance found.
SailingStatus RhumbLineByLongitude(double lat1, double lon1, double course, double lon2,
                                   double& lat2, double& dist, const EarthModel& E);

// Forgets the time of the last pole-crossing message (tests).
void ResetPoleCrossingThrottle();

}  // namespace orvex
