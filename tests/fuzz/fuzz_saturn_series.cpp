// Any bytes as Planet.dat: a series the loader accepts must give Saturn a
// finite place near its orbit; a refused one leaves nothing loaded.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "ephemeris/saturn_series.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvex;
    SaturnSeries series;
    SaturnLoadProblem problem;
    if (!series.Accept(data, size, problem)) {
        if (series.Loaded() || problem.Number == 0 || problem.Description.empty()) std::abort();
        return 0;
    }
    for (double T : {-0.8, 0.0, 0.3, 0.9}) {
        double lat = 0, lon = 0, r = 0;
        series.Heliocentric(T, lat, lon, r);
        if (!std::isfinite(lat) || !std::isfinite(lon) || !(r > 8.0 && r < 11.0)) std::abort();
    }
    return 0;
}
