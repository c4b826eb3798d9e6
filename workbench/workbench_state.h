// Everything the main window holds for the life of the process: the options,
// the position slots, the Earth model, the sights and the fix result. One
// object, owned by the main window and handed by reference to the windows
// and dialogs that read or write it. Nothing here is persisted between runs.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "charts/chart_data.h"
#include "navlib/arrays.h"
#include "navlib/earth_model.h"
#include "navlib/number_format.h"
#include "navlib/star_fix_types.h"
#include "sailing/great_circle_report.h"
#include "sailing/great_circle_sailing.h"

namespace orvex {

struct WorkbenchState {
    // --- Locale and program folder -------------------------------------
    // The decimal separator of the user's locale: exactly one character
    // (a blank when the locale gives none). Every mask and shown number
    // uses it.
    std::string DecSep = ".";
    // The month and weekday names of the user's locale, for shown dates.
    DateNames Dates;
    // The program folder, without a trailing separator.
    std::string AppPath;
    // The program's version as shown by the splash ("1.21").
    std::string VersionText;
    // The observation file named on the command line, cleaned; emptied by
    // the first load that uses it.
    std::string CommandLineFile;

    // --- Options ----------------------------------------------------------
    double Proba = 0.95;      // probability level: 0.5, 0.95, 0.99 or 0.999
    bool FullRoutine = true;  // correct course and speed when the sights allow
    bool OneEstPos = false;
    bool RLShown = false;     // a rhumb-line result is on screen
    double EtaRound = 86400;  // divisions per day the ETA is rounded to
    bool WizardOpen = false;

    // --- Bodies -----------------------------------------------------------
    // The 66 body names in ascending character-code order; BodyList is the
    // copy the grid searches by binary search.
    std::vector<std::string> BodyNames;
    std::vector<std::string> BodyList;

    // --- Earth model and time zones ---------------------------------------
    EarthModel E;
    // Offsets of the two time-zone lists, hours east of Greenwich:
    // 0 the zone of the departure time, 1 the local column of the ETA table.
    std::array<double, 2> GMTZone{0.0, 0.0};

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
    // A UT time (days) captured by the time-store dialog; 0 when none.
    double TimeStored = 0.0;

    ObservationSet Obs;
    FixResult Fix;

    // --- Numeric report ------------------------------------------------------
    // Miles run from each sight to the wanted time (1..ObsCount), positive
    // for a sight taken before it; written by the report for its details.
    Vector ObsRunDist;

    // --- Chart view -------------------------------------------------------
    double LopLength = 5.0;
    double ChartScale = 0.1;

    // --- Chart and printing --------------------------------------------------
    // Segments of the lines of position, extents of the chart and its
    // longitude form, as the last chart drawing left them.
    ChartState Chart;
    // The printer choice's answer: true after "Print", false after "Cancel".
    bool PrintConfirmed = false;

    // --- Utilities ----------------------------------------------------------
    std::array<bool, 12> UtilEntered{};
    double RLCourse = 0.0, RLDist = 0.0;
    double EtaDist = 0.0, MinSpeed = 10.0, MaxSpeed = 24.0, SpeedInterv = 0.5;
    double EtaDepTime = 0.0;

    // --- Observation grid and star-fix driver ---------------------------------
    // ObsCellFilled[row][column], rows 0..50, columns 0..3 (time, body,
    // altitude, correction): the cell holds a committed value. Row 0, the
    // header, is always true.
    std::array<std::array<bool, 4>, 51> ObsCellFilled{};
    // The grid row the user was last on (1 after a layout).
    int CurObsRow = 1;
    // True while the grid is being laid out.
    bool GridInitialising = false;
    // The estimated position the last fix started from (copies of Lat(6),
    // Long(6)), degrees.
    double EstLat = 0.0;
    double EstLong = 0.0;
    // --- Sailing utilities: great circle, ETA checks ---------------------
    // Waypoints of the last great circle with an interval (rows from 1).
    orvex::WaypointTable WaypointTable;
    GreatCircleOutline GCOutline = GreatCircleOutlineHeadings();
    bool SkipSpeedCheck = false;
};

}  // namespace orvex
