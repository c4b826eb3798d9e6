// Cost of one star fix with the program's own ephemeris: 5, 10 and 50 star
// sights over three quarters of an hour (latitude and longitude), and 50
// sights over four hours (course and speed as well). Each run includes the
// ephemeris requests, the iterations and the statistics.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "ephemeris/ephemeris.h"
#include "ephemeris/star_fix_ephemeris.h"
#include "navlib/earth_model.h"
#include "navlib/hooks.h"
#include "navlib/rhumb_line.h"
#include "navlib/sight_reduction.h"
#include "navlib/star_fix.h"

namespace {

using namespace orvex;

const EarthModel kWgs84{298.257223563, 6378137.0 / 1852.0};
constexpr double kT0 = 46096.0 + 22.0 / 24.0;  // 15 March 2026, 22h UT
constexpr double kTrueLat = 35.0, kTrueLon = -40.0, kCourse = 70.0, kSpeed = 14.0;

bool IsStar(const std::string& name) {
    return name != "SUNLOW" && name != "SUNUPP" && name != "MOONLOW" && name != "MOONUPP" &&
           name != "VENUS" && name != "MARS" && name != "JUPITER" && name != "SATURN";
}

// n sights on the true track over `hours`, each of the next star above 15
// and below 70 degrees, with the sextant altitudes that give exact fixes.
ObservationSet MakeSet(int n, double hours, StarFixInputs& in) {
    ObservationSet obs(n);
    const auto& names = BodyNames();
    size_t next = 0;
    in = StarFixInputs{};
    in.HeightEye = 10.0;
    in.TempAirC = 15.0;
    in.TempWaterC = 14.0;
    in.PressMBars = 1015.0;
    in.TimeTruePos = kT0;
    in.TimeEstPos = kT0 - 2.0 / 24.0;
    in.Course = kCourse - 5.0;
    in.Speed = kSpeed - 1.0;
    RhumbLineDirect(kTrueLat, kTrueLon, kCourse, -2.0 * kSpeed, in.EstLat, in.EstLong, kWgs84);
    in.EstLat += 0.2;
    in.Ephemeris = StarFixEphemeris();
    for (int i = 1; i <= n; ++i) {
        const double t = kT0 - hours / 24.0 + (n > 1 ? (i - 1) * hours / 24.0 / (n - 1) : 0.0);
        double lat, lon;
        RhumbLineDirect(kTrueLat, kTrueLon, kCourse, (t - kT0) * 24.0 * kSpeed, lat, lon, kWgs84);
        for (;;) {
            const std::string& name = names[next++ % names.size()];
            if (!IsStar(name)) continue;
            EphemerisResult e;
            ComputeEphemeris(name, t, e);
            const double hc = ComputeAltitude(lat, lon, e.gha, e.dec);
            if (hc < 15.0 || hc > 70.0) continue;
            // Sextant altitude whose reduction gives hc.
            ObservationSet one(1);
            one.SetSight(1, t, name, hc, 0.0);
            one.ObsLat(1) = lat;
            one.ObsLong(1) = lon;
            one.ObsGHA(1) = e.gha;
            one.ObsDec(1) = e.dec;
            one.ObsDist(1) = e.dist;
            for (int k = 0; k < 6; ++k) {
                ReduceSights(1, in.HeightEye, in.TempAirC, in.TempWaterC, in.PressMBars, one);
                one.ObsHs(1) -= one.ObsIntercept(1);
            }
            obs.SetSight(i, t, name, one.ObsHs(1), 0.0);
            break;
        }
    }
    return obs;
}

void BM_ComputeStarFix(benchmark::State& state, double hours) {
    RecordingReporter quiet;  // no message expected; none printed if one comes
    const int n = static_cast<int>(state.range(0));
    StarFixInputs in;
    const ObservationSet sights = MakeSet(n, hours, in);
    int unknowns = 0, iterations = 0;
    for (auto _ : state) {
        // A fresh ephemeris function per fix, as the program makes one: no
        // work it keeps carries over from the last fix.
        in.Ephemeris = StarFixEphemeris();
        ObservationSet obs = sights;
        FixResult fix;
        ComputeStarFix(in, obs, fix, kWgs84);
        unknowns = fix.UnknownCount;
        iterations = fix.IterCount;
        benchmark::DoNotOptimize(fix.MppLat);
    }
    state.counters["unknowns"] = unknowns;
    state.counters["iterations"] = iterations;
    state.counters["messages"] = static_cast<double>(quiet.messages.size());
}

}  // namespace

BENCHMARK_CAPTURE(BM_ComputeStarFix, position, 0.75)
    ->Arg(5)
    ->Arg(10)
    ->Arg(50)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ComputeStarFix, course_speed, 4.0)
    ->Arg(49)
    ->Arg(50)
    ->Unit(benchmark::kMicrosecond);
