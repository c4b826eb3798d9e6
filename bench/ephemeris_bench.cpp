// Cost of one body's place: the star-fix solver asks for one per sight, the
// wizard's live table for every star every 15 seconds.
#include <benchmark/benchmark.h>

#include "ephemeris/stars.h"
#include "ephemeris/sun.h"
#include "ephemeris/time_argument.h"

namespace {

void BM_StarHourAngleAndDeclination(benchmark::State& state) {
    double T = orvex::JulianCenturiesJ2000(15, 6, 2025, 19.5);
    for (auto _ : state) {
        double gha = 0.0, dec = 0.0;
        orvex::StarEphemeris("VEGA", T, gha, dec);
        benchmark::DoNotOptimize(gha);
        benchmark::DoNotOptimize(dec);
        T += 1e-9;
    }
}
BENCHMARK(BM_StarHourAngleAndDeclination);

void BM_SunHourAngleAndDeclination(benchmark::State& state) {
    double T = orvex::JulianCenturiesJ2000(15, 6, 2025, 19.5);
    for (auto _ : state) {
        double gha = 0.0, dec = 0.0, R = 0.0;
        orvex::SunEphemeris(T, gha, dec, R);
        benchmark::DoNotOptimize(gha);
        benchmark::DoNotOptimize(dec);
        benchmark::DoNotOptimize(R);
        T += 1e-9;
    }
}
BENCHMARK(BM_SunHourAngleAndDeclination);

}  // namespace
