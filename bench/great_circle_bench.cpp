// Cost of the great-circle computations of the sailing utilities: one vertex
// per request, one latitude per waypoint, and the twilight planning of the
// star-fix wizard.
#include <benchmark/benchmark.h>

#include "ephemeris/twilight.h"
#include "navlib/earth_model.h"
#include "navlib/great_circle.h"

namespace {

orvex::EarthModel Wgs84() {
    orvex::EarthModel E;
    E.InvFlattening = 298.257223563;
    E.SemiMajorAxis = 6378137.0 / 1852.0;
    return E;
}

void BM_GreatCircleVertexWgs84(benchmark::State& state) {
    const orvex::EarthModel E = Wgs84();
    for (auto _ : state) {
        const orvex::GreatCircleVertex v =
            orvex::GreatCircleEllipsoid(35.0, 140.0, 48.0, -125.0, E);
        benchmark::DoNotOptimize(v.VertexLong);
    }
}
BENCHMARK(BM_GreatCircleVertexWgs84);

void BM_GreatCircleWaypointWgs84(benchmark::State& state) {
    const orvex::EarthModel E = Wgs84();
    const orvex::GreatCircleVertex v = orvex::GreatCircleEllipsoid(35.0, 140.0, 48.0, -125.0, E);
    double lon = 150.0;
    for (auto _ : state) {
        double course = orvex::kNoCourse;
        bool failed = false;
        const double lat = orvex::GreatCircleComposite(lon, v.VertexLat, v.VertexLong,
                                                       v.VertexParam, E, 0, 0, course, failed);
        benchmark::DoNotOptimize(lat);
    }
}
BENCHMARK(BM_GreatCircleWaypointWgs84);

void BM_GeodesicDistance(benchmark::State& state) {
    const orvex::EarthModel E = Wgs84();
    double lat = 35.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(orvex::GeodesicDistance(lat, 140.0, 48.0, -125.0, E));
        lat += 1e-9;
    }
}
BENCHMARK(BM_GeodesicDistance);

void BM_StarSightTwilight(benchmark::State& state) {
    for (auto _ : state) {
        orvex::TwilightTimes times{};
        benchmark::DoNotOptimize(orvex::StarSightTwilight(45.0, -30.0, 45000.0, 10.0, times));
    }
}
BENCHMARK(BM_StarSightTwilight);

}  // namespace
