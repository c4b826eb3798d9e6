// What the sailing utilities page holds of its own for the life of the
// process: which of its fields were entered, the Earth model it computes on,
// the last rhumb line, the ETA table's inputs and options, the last great
// circle's waypoints and outline. Plain values, no window: the page's
// widgets show them. The position slots 1 to 5 and the decimal separator
// are shared with the star-fix page and stay the main window's
// (UtilitiesShared). Nothing here is persisted between runs.
#pragma once

#include <array>
#include <string>

#include "navlib/arrays.h"
#include "navlib/earth_model.h"
#include "sailing/core/great_circle_report.h"
#include "sailing/core/great_circle_sailing.h"

namespace orvex {

// The Earth model chosen in the preferences' ellipsoid list, handed to the
// page as a value with the name it shows and the great-circle report prints
// ("WGS 1984", "Normal Sphere"). On the sphere (Model.IsSphere()) the
// distances are geographical miles.
struct EarthChoice {
    EarthModel Model;
    std::string Name;
};

struct UtilitiesSession {
    // UtilEntered(0..11): the page's fields that hold a committed value.
    std::array<bool, 12> UtilEntered{};
    bool RLShown = false;  // a rhumb-line result is on screen
    // The model of the last choice in the ellipsoid list (before any,
    // WGS 1984 without a name).
    EarthChoice Earth;
    // The last rhumb line: course (degrees true) and distance (nautical
    // miles).
    double RLCourse = 0.0, RLDist = 0.0;
    // The distance last committed in the rhumb-line distance field (nautical
    // miles; -1 when it was refused); it stands while UtilEntered(11) is set,
    // even after a great circle put its own distance into RLDist.
    double RLDistTyped = 0.0;

    // The ETA table: distance (nautical miles), speeds (knots), the departure
    // (UT, days), and the divisions per day the ETA is rounded to.
    double EtaDist = 0.0, MinSpeed = 10.0, MaxSpeed = 24.0, SpeedInterv = 0.5;
    double EtaDepTime = 0.0;
    double EtaRound = 86400;
    bool SkipSpeedCheck = false;
    // Offsets of the two time-zone lists, hours east of Greenwich: 0 the zone
    // of the departure time, 1 the local column of the table.
    std::array<double, 2> GMTZone{0.0, 0.0};

    // Waypoints of the last great circle with an interval (rows from 1), and
    // the outline of its results.
    orvex::WaypointTable WaypointTable;
    GreatCircleOutline GCOutline = GreatCircleOutlineHeadings();
};

// What the page shares with the rest of the main window, owned there:
// position slots Lat(1..6) and Long(1..6) in degrees (the page uses 1 to 5)
// and the user's decimal separator (one character).
struct UtilitiesShared {
    Vector& Lat;
    Vector& Long;
    const std::string& DecSep;
};

}  // namespace orvex
