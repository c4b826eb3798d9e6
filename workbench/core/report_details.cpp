#include "workbench/core/report_details.h"

#include "navlib/sight_reduction.h"
#include "navlib/star_fix.h"

namespace orvex {

namespace {

// Ho, Hc and the intercept by the sight reduction, then each azimuth from
// the sight's own position.
void ReduceAtSightPositions(const SightDetailInputs& in, ObservationSet& obs) {
    const int n = obs.ObsCount;
    ReduceSights(n, in.HeightEye, in.TempAirC, in.TempWaterC, in.PressMBars, obs);
    for (int i = 1; i <= n; ++i)
        obs.ObsZn(i) = ComputeAzimuth(obs.ObsLat(i), obs.ObsLong(i), obs.ObsGHA(i), obs.ObsDec(i));
}

// The figures of `obs` a result view reads.
void KeepFigures(const ObservationSet& obs, SightDetails& d) {
    d.Time = obs.ObsTime;
    d.Body = obs.ObsBody;
    d.Lat = obs.ObsLat;
    d.Long = obs.ObsLong;
    d.Ho = obs.ObsHo;
    d.Hc = obs.ObsHc;
    d.Intercept = obs.ObsIntercept;
    d.Zn = obs.ObsZn;
}

}  // namespace

SightDetails ComputeSightDetails(const SightDetailInputs& in, const FixResult& fix,
                                 const ObservationSet& solved, const EarthModel& E) {
    SightDetails d;
    const int n = solved.ObsCount;
    d.ObsCount = n;
    d.RunDist = Vector(n);
    if (n < 1) return d;
    // Reduced on a copy: the solver's arrays stay as the fix left them.
    ObservationSet obs = solved;
    double lat0 = 0.0, lon0 = 0.0;
    RunAlongCourse(in.EstLat, in.EstLong, fix.Course,
                   fix.Speed * 24.0 * (in.TimeTruePos - in.TimeEstPos), lat0, lon0, E);
    obs.ObsLat(0) = lat0;
    obs.ObsLong(0) = lon0;
    if (in.OneEstPos) {
        for (int i = 1; i <= n; ++i) {
            obs.ObsLat(i) = lat0;
            obs.ObsLong(i) = lon0;
        }
    } else {
        obs.ObsTime(0) = in.TimeTruePos;
        Vector scratch(n);
        RunPositionToSight(n, fix.Course, fix.Speed, obs.ObsTime, obs.ObsLat, obs.ObsLong, scratch,
                           E);
    }
    ReduceAtSightPositions(in, obs);
    for (int i = 1; i <= n; ++i)
        d.RunDist(i) = (in.TimeTruePos - obs.ObsTime(i)) * 24.0 * fix.Speed;
    KeepFigures(obs, d);
    return d;
}

SightDetails LinesThroughMpp(const SightDetailInputs& in, const FixResult& fix,
                             const ObservationSet& solved, const EarthModel& E) {
    SightDetails d;
    d.ObsCount = solved.ObsCount;
    const int n = solved.ObsCount;
    if (n < 1) return d;
    ObservationSet obs = solved;
    obs.ObsLat(0) = fix.MppLat;
    obs.ObsLong(0) = fix.MppLong;
    Vector scratch(n);
    RunPositionToSight(n, fix.Course, fix.Speed, obs.ObsTime, obs.ObsLat, obs.ObsLong, scratch, E);
    obs.ObsLat(0) = solved.ObsLat(0);
    obs.ObsLong(0) = solved.ObsLong(0);
    ReduceAtSightPositions(in, obs);
    KeepFigures(obs, d);
    return d;
}

}  // namespace orvex
