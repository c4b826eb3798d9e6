// The navigator's star-fix data: what was entered on the star-fix page (with
// a flag per input saying it was entered), the options the fix reads, the
// sights and the fix with the per-sight figures it keeps for its results.
// Plain values, no window; the main window's state holds one.
#pragma once

#include <array>

#include "navlib/arrays.h"
#include "navlib/earth_model.h"
#include "navlib/star_fix_types.h"
#include "workbench/core/observation_table.h"
#include "workbench/core/report_details.h"

namespace orvex {

struct StarFixSession {
    // --- Options the fix reads ---------------------------------------------
    double Proba = 0.95;      // probability level: 0.5, 0.95, 0.99 or 0.999
    bool FullRoutine = true;  // correct course and speed when the sights allow
    bool OneEstPos = false;   // the report reduces every sight from one position

    // --- Earth model ------------------------------------------------------
    EarthModel E;

    // --- Star-fix inputs ----------------------------------------------------
    // FixEntered(1..8): time of the estimated position, its latitude, its
    // longitude, time of the wanted position, course, speed, height of eye,
    // instrument correction. Index 0 is unused.
    std::array<bool, 9> FixEntered{};
    bool FixPageStarted = false;
    // Position slots Lat(1..6), Long(1..6), degrees: 1/2 rhumb-line
    // departure/arrival, 3/4 great-circle departure/arrival, 5 the
    // great-circle limits, 6 the estimated position.
    Vector Lat{1, 6};
    Vector Long{1, 6};
    double TimeEstPos = 0.0;   // days, UT
    double TimeTruePos = 0.0;  // days, UT
    double Course = 0.0, Speed = 0.0, CourseInput = 0.0, SpeedInput = 0.0;
    double HeightEye = 0.0;  // metres
    double InstErr = 0.0;    // minutes of arc
    double TempAirC = 20.0, TempWaterC = 20.0;
    double PressMBars = 1013.0;
    // Star-fix conditions: the views in the other units, kept in step.
    double PressHg = 29.91389;  // inches of mercury
    double TempAirF = 68.0, TempWaterF = 68.0;

    // --- Sights and fix -------------------------------------------------------
    // The sights as the observation grid shows them; a fix reads them into
    // Obs.
    ObservationTable Sights;
    ObservationSet Obs;
    FixResult Fix;
    // The estimated position the last fix started from (copies of Lat(6),
    // Long(6)), degrees.
    double EstLat = 0.0;
    double EstLong = 0.0;
    // Kept by the last fix: the figures of the numeric report's details, and
    // the lines of position through the most probable position the chart
    // draws.
    SightDetails Details;
    SightDetails Lines;
};

}  // namespace orvex
