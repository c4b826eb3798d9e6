// The per-sight figures of the two result views of a fix: for the numeric
// report the classical sight reduction of each sight from the estimated
// position run along the fix's course and speed, and for the chart the
// lines of position through the most probable position.
//
// Angles in decimal degrees (latitude north positive, longitude east
// positive), times in days (UT), speeds in knots, distances in nautical
// miles, height of eye in metres, temperatures in degrees Celsius, pressure
// in hectopascals. Nothing here touches a window; the library does the
// navigation.
#pragma once

#include <string>
#include <vector>

#include "navlib/arrays.h"
#include "navlib/earth_model.h"
#include "navlib/star_fix_types.h"

namespace orvex {

// What the navigator entered, as the per-sight recomputation reads it.
struct SightDetailInputs {
    double EstLat = 0.0, EstLong = 0.0;  // estimated position
    double TimeEstPos = 0.0;             // its time
    double TimeTruePos = 0.0;            // time of the wanted position
    bool OneEstPos = false;              // every sight reduced from one position
    double HeightEye = 0.0;
    double TempAirC = 10.0, TempWaterC = 10.0;
    double PressMBars = 1010.16;
};

// Per-sight figures of a fix, as the fix keeps them for a result view:
// Time 0..ObsCount (days, UT; element 0 the wanted time) and Body 0..ObsCount
// (element 0 unused) of the sights they belong to; Lat, Long 0..ObsCount,
// degrees, each sight's position (element 0 see below); Ho, Hc, Intercept,
// Zn 1..ObsCount, degrees; RunDist 1..ObsCount (report only), the miles run
// from each sight to the wanted time, positive for a sight taken before it.
struct SightDetails {
    int ObsCount = 0;
    Vector Time;
    std::vector<std::string> Body;
    Vector Lat, Long;
    Vector Ho, Hc, Intercept, Zn;
    Vector RunDist;
};

// The details of the numeric report, from a fix that the solver has left in
// `obs` (ObsGHA, ObsDec, ObsDist of every sight) and `fix` (Course, Speed:
// the corrected ones after a full routine); `obs` itself is not changed.
//  1. Lat(0), Long(0) := the estimated position run along fix.Course over
//     fix.Speed x 24 x (TimeTruePos - TimeEstPos) miles (RunAlongCourse: the
//     estimated position itself when the run is from or over a pole);
//  2. with OneEstPos every sight's position is that one; otherwise the
//     position is run from the wanted time to each sight's time;
//  3. Ho, Hc, Intercept by the sight reduction, Zn by the azimuth from each
//     sight's position;
//  4. RunDist(i) := (TimeTruePos - ObsTime(i)) x 24 x fix.Speed.
// With no sight the figures are empty.
SightDetails ComputeSightDetails(const SightDetailInputs& in, const FixResult& fix,
                                 const ObservationSet& obs, const EarthModel& E);

// The lines of position through the most probable position, for the chart:
// (fix.MppLat, fix.MppLong) at ObsTime(0) is run along fix.Course and
// fix.Speed to each sight's time into Lat(i), Long(i); Ho, Hc, Intercept and
// Zn are computed there. Lat(0), Long(0) are the solver's (the estimated
// position run to the wanted time). ObsTime(0) must hold the wanted time
// (the solver leaves it there); `obs` itself is not changed.
SightDetails LinesThroughMpp(const SightDetailInputs& in, const FixResult& fix,
                             const ObservationSet& obs, const EarthModel& E);

}  // namespace orvex
