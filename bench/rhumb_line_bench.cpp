// Cost of the rhumb-line sailings: the closed forms of the Mercator sphere
// and the root searches of the ellipsoid forms.
#include <benchmark/benchmark.h>

#include "navlib/earth_model.h"
#include "navlib/rhumb_line.h"

namespace {

const orvex::EarthModel kSphere{1e100, 3437.7468};
const orvex::EarthModel kWgs84{298.257223563, 6378137.0 / 1852.0};

void BM_RhumbLineDirect(benchmark::State& state, const orvex::EarthModel& E) {
    double lat2 = 0, lon2 = 0;
    for (auto _ : state) {
        orvex::RhumbLineDirect(42.0, -12.0, 233.0, 850.0, lat2, lon2, E);
        benchmark::DoNotOptimize(lat2);
        benchmark::DoNotOptimize(lon2);
    }
}

void BM_RhumbLineInverse(benchmark::State& state, const orvex::EarthModel& E) {
    double course = 0, dist = 0;
    for (auto _ : state) {
        orvex::RhumbLineInverse(42.0, -12.0, 28.5, -31.25, course, dist, E);
        benchmark::DoNotOptimize(course);
        benchmark::DoNotOptimize(dist);
    }
}

void BM_RhumbLineByLongitude(benchmark::State& state, const orvex::EarthModel& E) {
    double lat2 = 0, dist = 0;
    for (auto _ : state) {
        orvex::RhumbLineByLongitude(42.0, -12.0, 233.0, -31.25, lat2, dist, E);
        benchmark::DoNotOptimize(lat2);
        benchmark::DoNotOptimize(dist);
    }
}

}  // namespace

BENCHMARK_CAPTURE(BM_RhumbLineDirect, sphere, kSphere);
BENCHMARK_CAPTURE(BM_RhumbLineDirect, wgs84, kWgs84);
BENCHMARK_CAPTURE(BM_RhumbLineInverse, sphere, kSphere);
BENCHMARK_CAPTURE(BM_RhumbLineInverse, wgs84, kWgs84);
BENCHMARK_CAPTURE(BM_RhumbLineByLongitude, sphere, kSphere);
BENCHMARK_CAPTURE(BM_RhumbLineByLongitude, wgs84, kWgs84);
