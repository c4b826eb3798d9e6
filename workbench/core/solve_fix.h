// The star fix from the session's inputs and sights: the checks a navigator
// is told about, the solver, and the figures the results show. Messages go
// through the library's reporter (ReportMessage). No window is touched.
#pragma once

#include <functional>

#include "workbench/core/report_details.h"
#include "workbench/core/report_numeric.h"
#include "workbench/core/star_fix_session.h"

namespace orvex {

// Every input of the star-fix page entered (FixEntered 1..8); otherwise
// "Missing data" is reported once and false returned.
bool FixInputsPresent(const StarFixSession& s);

// How a SolveFix call ended.
enum class SolveOutcome {
    Refused,  // an input or the sights were refused (reported); nothing solved
    Failed,   // the solver failed or did not converge (reported); no fix
    Solved,
};

// The fix of the session's sights (s.Obs, ObsCount sights):
//  1. the inputs present (FixInputsPresent), checked here and only here;
//  2. `readSights` is called (may be empty: the sights are read already):
//     the caller's last checks of its inputs and the reading of its sights
//     into s.Obs; false stops the fix (it has said why);
//  3. at least 2 sights; Saturn's sights only with its data file usable;
//  4. `sightsAccepted` is called (may be empty) before anything is written;
//  5. the solver, from Lat(6), Long(6), with the session's options and
//     `findSystErr` (look for a systematic error), on fresh working and
//     result arrays of a copy of the sights;
//  6. only when solved: EstLat, EstLong := Lat(6), Long(6); Obs and Fix :=
//     the solver's; Course, Speed := the fix's (corrected with four
//     unknowns), and the per-sight figures the results show
//     (KeepSightDetails). Refused or failed, the session keeps the last
//     fix and everything drawn from it.
SolveOutcome SolveFix(StarFixSession& s, bool findSystErr,
                      const std::function<bool()>& readSights = {},
                      const std::function<void()>& sightsAccepted = {});

// The solver's inputs from the session: the estimated position Lat(6),
// Long(6), the times, course and speed, height of eye, the conditions and
// the options (FindSystErr false, no ephemeris set).
StarFixInputs SolverInputsOf(const StarFixSession& s);

// What the per-sight figures read from the session: the estimated position
// of the last fix (EstLat, EstLong), the rest as SolverInputsOf.
SightDetailInputs SightInputsOf(const StarFixSession& s);

// What the numeric report reads from the session; the view fills in the
// rest (systematic-error box, separator, month names, printer page).
NumericReportInputs ReportInputsOf(const StarFixSession& s);

// Details := the report's per-sight figures of the session's fix, and
// Lines := its lines of position through the most probable position.
void KeepSightDetails(StarFixSession& s);

}  // namespace orvex
