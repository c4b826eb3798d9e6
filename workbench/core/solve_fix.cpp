#include "workbench/core/solve_fix.h"

#include <string>
#include <utility>

#include "ephemeris/saturn_series.h"
#include "ephemeris/star_fix_ephemeris.h"
#include "navlib/hooks.h"
#include "navlib/inout_lib.h"
#include "navlib/star_fix.h"

namespace orvex {

namespace {

// Without its series file the ephemeris gives Saturn the Sun's place, and a
// fix on that would look sound. True when the set can be computed; otherwise
// the user is told once which file is wrong and what to do.
bool SaturnSightsComputable(const ObservationSet& o) {
    bool hasSaturn = false;
    for (int i = 1; i <= o.ObsCount; ++i)
        hasSaturn = hasSaturn || o.ObsBody[static_cast<size_t>(i)] == "SATURN";
    std::string path;
    SaturnLoadProblem problem;
    if (!hasSaturn || SaturnSeriesReady(path, problem)) return true;
    ReportMessage(kIconCritical + kButtonsOk, kSaturnFileErrorTitle,
                  "No position was computed: the SATURN sights need Saturn's data file\r\n" + path +
                      "\r\nand it cannot be used (" + problem.Description +
                      ").\r\n\r\nPut back the Planet.dat that came with the program in the "
                      "program folder and compute again, or delete the SATURN sights.");
    return false;
}

}  // namespace

bool FixInputsPresent(const StarFixSession& s) {
    for (size_t i = 1; i <= 8; ++i) {
        if (!s.FixEntered[i]) {
            ReportMessage(kIconExclamation + kButtonsOk, "Missing data",
                          "Some data are missing.\r\n"
                          "Please check that the whole input form is completed.");
            return false;
        }
    }
    return true;
}

StarFixInputs SolverInputsOf(const StarFixSession& s) {
    StarFixInputs in;
    in.EstLat = s.Lat(6);
    in.EstLong = s.Long(6);
    in.TimeEstPos = s.TimeEstPos;
    in.TimeTruePos = s.TimeTruePos;
    in.Course = s.Course;
    in.Speed = s.Speed;
    in.HeightEye = s.HeightEye;
    in.TempAirC = s.TempAirC;
    in.TempWaterC = s.TempWaterC;
    in.PressMBars = s.PressMBars;
    in.Proba = s.Proba;
    in.FullRoutine = s.FullRoutine;
    return in;
}

SightDetailInputs SightInputsOf(const StarFixSession& s) {
    const StarFixInputs in = SolverInputsOf(s);
    return {s.EstLat,     s.EstLong,   in.TimeEstPos, in.TimeTruePos, s.OneEstPos,
            in.HeightEye, in.TempAirC, in.TempWaterC, in.PressMBars};
}

NumericReportInputs ReportInputsOf(const StarFixSession& s) {
    NumericReportInputs in;
    in.sight = SightInputsOf(s);
    in.CourseInput = s.CourseInput;
    in.SpeedInput = s.SpeedInput;
    in.Proba = s.Proba;
    in.FullRoutine = s.FullRoutine;
    return in;
}

void KeepSightDetails(StarFixSession& s) {
    const SightDetailInputs in = SightInputsOf(s);
    s.Details = ComputeSightDetails(in, s.Fix, s.Obs, s.E);
    s.Lines = LinesThroughMpp(in, s.Fix, s.Obs, s.E);
}

SolveOutcome SolveFix(StarFixSession& s, bool findSystErr, const std::function<bool()>& readSights,
                      const std::function<void()>& sightsAccepted) {
    if (!FixInputsPresent(s)) return SolveOutcome::Refused;
    if (readSights && !readSights()) return SolveOutcome::Refused;
    if (!EnoughSightsForFix(s.Obs.ObsCount)) return SolveOutcome::Refused;
    if (!SaturnSightsComputable(s.Obs)) return SolveOutcome::Refused;
    if (sightsAccepted) sightsAccepted();
    // The solver works on copies: the figures of the last fix (which a chart
    // still on screen draws from) are replaced only by another fix.
    // Fresh working and result arrays; the entered values stay.
    ObservationSet o = s.Obs;
    FixResult fix = s.Fix;
    const int n = o.ObsCount;
    o.ObsLat = Vector(0, n);
    o.ObsLong = Vector(0, n);
    o.ObsDist = Vector(n);
    o.ObsDec = Vector(n);
    o.ObsGHA = Vector(n);
    o.ObsHo = Vector(n);
    o.ObsHc = Vector(n);
    o.ObsIntercept = Vector(n);
    o.ObsZn = Vector(n);
    StarFixInputs in = SolverInputsOf(s);
    in.FindSystErr = findSystErr;
    in.Ephemeris = StarFixEphemeris();
    // A solve that failed or did not converge is no fix: the solver has said
    // why, and no page may show its figures as one.
    if (ComputeStarFix(in, o, fix, s.E) != StarFixStatus::Solved) return SolveOutcome::Failed;
    s.EstLat = in.EstLat;
    s.EstLong = in.EstLong;
    s.Obs = std::move(o);
    s.Fix = std::move(fix);
    // The fix's course and speed: corrected when four unknowns were solved.
    s.Course = s.Fix.Course;
    s.Speed = s.Fix.Speed;
    KeepSightDetails(s);
    return SolveOutcome::Solved;
}

}  // namespace orvex
