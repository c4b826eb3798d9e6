// A small fix of three sights for the chart tests: the data tests prepare
// its chart, the drawing tests take its Earth model (WGS-84, nautical
// miles).
#pragma once

#include "charts/core/chart_data.h"
#include "navlib/arrays.h"
#include "navlib/earth_model.h"

namespace orvex::testing {

// A fix of three sights round 45° N 30° W: azimuths 000, 120 and 240,
// intercepts +0.5', -3.0' and +1.0'.
struct ThreeSights {
    int n = 3;
    double mppLat = 45.0, mppLong = -30.0;
    Vector zn{3}, intercept{3};
    EarthModel E;
    ThreeSights() {
        zn(1) = 0;
        zn(2) = 120;
        zn(3) = 240;
        intercept(1) = 0.5 / 60;
        intercept(2) = -3.0 / 60;
        intercept(3) = 1.0 / 60;
        E.InvFlattening = 298.257223563;
        E.SemiMajorAxis = 6378137.0 / 1852.0;
    }
    ChartState Prepare(double lopLength = 5.0, double scale = 0.1) const {
        ChartState c;
        PrepareGraphData(n, lopLength, scale, mppLat, mppLong, zn, intercept, E, c);
        return c;
    }
};

}  // namespace orvex::testing
