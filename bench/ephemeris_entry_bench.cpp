// Cost of one request through the ephemeris entry, per kind of body: the
// star-fix solver asks once per sight, the wizard's live table for every
// body every 15 seconds, the twilight search a few hundred times.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "ephemeris/ephemeris.h"
#include "ephemeris/saturn_series.h"
#include "navlib/app_path.h"

namespace {

// 2025 June 15, 19:30 UT as a date-time value.
constexpr double kWhen = 45823.0 + 19.5 / 24.0;

// Planet.dat lies beside the program after a full build; a benchmark run
// from a partial build reads it from the source tree.
void FindPlanetDat() {
    if (std::filesystem::exists(orvex::SaturnDataFilePath())) return;
    const auto src = std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / "files";
    orvex::SetAppPath(src.string());
}

void BM_ComputeEphemeris(benchmark::State& state, const char* name) {
    FindPlanetDat();
    double when = kWhen;
    orvex::EphemerisResult r;
    orvex::ComputeEphemeris(name, when, r);  // loads the Saturn series once
    for (auto _ : state) {
        orvex::ComputeEphemeris(name, when, r);
        benchmark::DoNotOptimize(r);
        when += 1.0 / 86400.0;
    }
}

BENCHMARK_CAPTURE(BM_ComputeEphemeris, Star_VEGA, "VEGA");
BENCHMARK_CAPTURE(BM_ComputeEphemeris, Sun, "SUNLOW");
BENCHMARK_CAPTURE(BM_ComputeEphemeris, Moon, "MOONLOW");
BENCHMARK_CAPTURE(BM_ComputeEphemeris, Venus, "VENUS");
BENCHMARK_CAPTURE(BM_ComputeEphemeris, Mars, "MARS");
BENCHMARK_CAPTURE(BM_ComputeEphemeris, Jupiter, "JUPITER");
BENCHMARK_CAPTURE(BM_ComputeEphemeris, Saturn, "SATURN");

}  // namespace
