// Great-circle sailing as the utilities page offers it: the vertex of the
// track, a composite sailing under a limiting latitude, the waypoints that
// cut the track into rhumb lines, the totals, the period of the geodesic and
// the departure and arrival courses, on the chosen Earth model.
//
// Angles are decimal degrees (north and east positive, longitudes -180..180
// out, courses 0..360), distances are in the unit of the semi-major axis
// (nautical miles; "geographical miles" on the sphere).
#pragma once

#include <array>
#include <vector>

#include "navlib/earth_model.h"
#include "navlib/great_circle.h"

namespace orvex {

// The waypoint table: rows from 0 (row 0 stays zero, the row before the
// first), columns 1..6 (index 0 unused):
//   1 latitude (999 while the track has no latitude at that longitude)
//   2 longitude, 3 course of the rhumb line to the next row,
//   4 its distance, 5 distance sailed to this row, 6 distance to go.
using WaypointRow = std::array<double, 7>;
using WaypointTable = std::vector<WaypointRow>;

// Latitude mark of a waypoint the track does not reach.
inline constexpr double kNoWaypointLatitude = 999.0;

struct GreatCircleInputs {
    double Lat3 = 0.0, Long3 = 0.0;  // departure
    double Lat4 = 0.0, Long4 = 0.0;  // arrival
    bool LimitEntered = false;
    double Limit = 0.0;  // limiting latitude as entered (>= 0, hemisphere of the vertex taken)
    bool IntervalEntered = false;
    double Interval = 0.0;  // longitude interval between waypoints, degrees, > 0
};

struct GreatCircleResult {
    GreatCircleVertex Vertex;
    bool VertexOutside = true;  // Vertex.VertexDist == -1

    // The limiting latitude with the vertex's hemisphere (valid when the
    // limit was entered and the vertex lies on the track).
    bool LimitApplied = false;
    double Limit = 0.0;
    // The limit refused: nearer the equator than the departure (1) or the
    // arrival (2); the computation stops after the vertex.
    int LimitError = 0;

    // Composite sailing: great circle to (Limit, T1), rhumb line along the
    // parallel to (Limit, T2), great circle to the arrival.
    bool Composite = false;
    double T1 = 0.0, T2 = 0.0;
    std::array<double, 3> Leg{};  // 0 the parallel, 1 first great circle, 2 second
    double ParallelCourse = 0.0;

    // Waypoints (when an interval was entered): rows 1..ArrivalRow.
    bool HasWaypoints = false;
    WaypointTable Waypoints;
    int ArrivalRow = 0;

    double Theoretical = 0.0;      // great circle (or composite) distance
    double SumOfRhumbLines = 0.0;  // distance sailed at the arrival row
    double SingleRLCourse = 0.0;   // one rhumb line from departure to arrival
    double SingleRLDist = 0.0;
    double Period = 0.0;           // longitude period of the geodesic, degrees
    double DepartureCourse = 0.0;  // degrees true
    double ArrivalCourse = 0.0;
};

// The whole computation. Writes OneMinusE2, HalfE2, SolvIntA and
// SolvArg1..SolvArg4 of the shared solver parameters. The routines of the
// navigation library report their own failures (a root search that does not
// converge, an arc cosine out of range) and the computation goes on with the
// values they return. A computed value that is not finite throws
// UtilityFault (overflow).
//
// On a route along one meridian, from or to a pole, or across a pole to the
// opposite meridian, the track has no latitude as a function of longitude:
// the courses are then the rhumb line's along the meridian, or due north or
// south towards the pole crossed and away from it. Its waypoints are the
// departure, the pole crossed (a route over a pole) and the arrival, joined
// along the meridians; no waypoint is made at the longitudes between, which
// the track meets only at the pole.
GreatCircleResult ComputeGreatCircle(const GreatCircleInputs& in, const EarthModel& E);

// Fills the rows of one leg of the waypoint table from row k on (see the
// table above) and leaves k on the leg's last row.
//   lat1, long1, lat2, long2  the leg's ends
//   vertexLat, vertexLong, vertexParam  the geodesic of the leg
//   routeLong1, routeLong2  departure and arrival longitudes of the whole
//                           route (the direction of the steps)
//   interval  degrees between waypoints, > 0
// Waypoints lie on whole-degree longitudes spaced by the interval. A row the
// track does not reach is sailed on the previous course. The table is grown
// when needed.
void ComputeWaypoints(WaypointTable& table, double lat1, double long1, double lat2, double long2,
                      double vertexLat, double vertexLong, double vertexParam, int& k,
                      double routeLong1, double routeLong2, double interval, const EarthModel& E);

// The track parameter of the composite legs' waypoints: tan((s 90 - p) deg),
// p the geocentric latitude of the limit in degrees and s its sign.
double CompositeVertexParam(double limit, const EarthModel& E);

}  // namespace orvex
