// The rhumb-line utility: which of the four rhumb-line problems the entered
// inputs pose, and its solution on the chosen Earth model.
//
// The six inputs are the departure latitude and longitude, the arrival
// latitude and longitude, the course (degrees true) and the distance
// (nautical miles; "geographical miles" on the sphere). Their entered flags
// are the utilities' flags 0, 1, 2, 3 (positions), 10 (course) and 11
// (distance).
#pragma once

#include <array>

#include "navlib/earth_model.h"
#include "navlib/rhumb_line.h"

namespace orvex {

enum class RhumbLineProblem {
    None,                 // not exactly four inputs, or a distance without a course
    DepartureIncomplete,  // four inputs, but the departure is not one of them
    Direct,               // departure, course, distance -> arrival
    ByLatitude,           // departure, course, arrival latitude -> longitude, distance
    ByLongitude,          // departure, course, arrival longitude -> latitude, distance
    Inverse,              // departure, arrival -> course, distance
};

// The problem the entered flags pose (flags indexed as the utilities'
// UtilEntered, 0..11; only 0, 1, 2, 3, 10 and 11 are read). The first match
// wins: course and distance; course and arrival latitude; course and arrival
// longitude; arrival without course.
RhumbLineProblem ChooseRhumbLineProblem(const std::array<bool, 12>& entered);

// The values of one rhumb-line problem; the solver overwrites the outputs of
// its problem and leaves the others as they were.
struct RhumbLineValues {
    double Lat1 = 0.0, Long1 = 0.0;  // departure, degrees
    double Lat2 = 0.0, Long2 = 0.0;  // arrival, degrees (longitude -180..180 out)
    double Course = 0.0;             // degrees true
    double Dist = 0.0;               // nautical miles
};

// Solves `problem` with the navigation library's rhumb-line routines. The
// routines show their own messages for the special cases (no single
// solution, a track over a pole) and leave their neutral values, which are
// kept as results. None and DepartureIncomplete compute nothing and answer
// NoSolution.
SailingStatus SolveRhumbLine(RhumbLineProblem problem, RhumbLineValues& v, const EarthModel& E);

}  // namespace orvex
