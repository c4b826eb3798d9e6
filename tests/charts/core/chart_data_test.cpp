// The chart's data from a fix: the plotted segments, the extents and the
// margin, without drawing. Rhumb lines are checked against GeographicLib.
#include "charts/core/chart_data.h"

#include <gtest/gtest.h>

#include <GeographicLib/Rhumb.hpp>
#include <algorithm>
#include <cmath>

#include "navlib/math_lib.h"
#include "navlib/nautical_angles.h"
#include "tests/charts/core/three_sights.h"

namespace orvex {
namespace {

using testing::ThreeSights;

const GeographicLib::Rhumb& Wgs84Rhumb() {
    static const GeographicLib::Rhumb r(6378137.0, 1.0 / 298.257223563);
    return r;
}
// Rhumb-line distance (nautical miles) and course between two positions.
void RhumbInverse(double lat1, double lon1, double lat2, double lon2, double& nm, double& course) {
    double s12 = 0, azi = 0;
    Wgs84Rhumb().Inverse(lat1, lon1, lat2, lon2, s12, azi);
    nm = s12 / 1852.0;
    course = Norm360(azi);
}

// Guards the segments: all of length 2 x 3' x LopLength (the largest
// intercept sets it), centred on the intercept point, end 1 on the
// azimuth + 90 side, the negative intercept on the reciprocal bearing, and
// longitudes in the 0..360 form.
TEST(ChartData, SegmentsOfAKnownFix) {
    ThreeSights f;
    const ChartState c = f.Prepare();
    ASSERT_EQ(c.LopEndLat.ubound1(), 2);
    ASSERT_EQ(c.LopEndLat.ubound2(), 3);
    for (int i = 1; i <= 3; ++i) {
        const double lon1 = ToggleLongitudeRange(c.LopEndLong(1, i));
        const double lon2 = ToggleLongitudeRange(c.LopEndLong(2, i));
        EXPECT_GT(c.LopEndLong(1, i), 180.0);  // west in the 0..360 form
        double len = 0, course = 0;
        RhumbInverse(c.LopEndLat(1, i), lon1, c.LopEndLat(2, i), lon2, len, course);
        EXPECT_NEAR(len, 30.0, 0.01) << i;
        // End 1 lies on the azimuth + 90 side: from it to end 2 runs on
        // the azimuth - 90.
        EXPECT_NEAR(Norm180(course - (f.zn(i) - 90.0)), 0.0, 0.05) << i;
    }
    // The intercept point of sight 2 (the segment's middle along the rhumb
    // line) lies 3' from the fix on 300°.
    double pLat = 0, pLon = 0;
    Wgs84Rhumb().Direct(c.LopEndLat(1, 2), ToggleLongitudeRange(c.LopEndLong(1, 2)),
                        Norm360(f.zn(2) - 90.0), 15.0 * 1852.0, pLat, pLon);
    double d = 0, course = 0;
    RhumbInverse(f.mppLat, f.mppLong, pLat, pLon, d, course);
    EXPECT_NEAR(d, 3.0, 0.005);
    EXPECT_NEAR(course, 300.0, 0.1);
}

// Guards the extents and the margin: with ChartScale 0 they are the
// extreme ends; with s the north grows by s x span and the south by
// s x (1 + s) x span (worked example: 10..11 gives 9.89..11.1).
TEST(ChartData, ExtentsAndMargin) {
    ThreeSights f;
    const ChartState bare = f.Prepare(5.0, 0.0);
    double latMin = 90, latMax = -90, lonMin = 360, lonMax = 0;
    for (int i = 1; i <= 3; ++i)
        for (int k = 1; k <= 2; ++k) {
            latMin = std::min(latMin, bare.LopEndLat(k, i));
            latMax = std::max(latMax, bare.LopEndLat(k, i));
            lonMin = std::min(lonMin, bare.LopEndLong(k, i));
            lonMax = std::max(lonMax, bare.LopEndLong(k, i));
        }
    EXPECT_DOUBLE_EQ(bare.GraphLatMin, latMin);
    EXPECT_DOUBLE_EQ(bare.GraphLatMax, latMax);
    EXPECT_DOUBLE_EQ(bare.GraphLongMin, lonMin);
    EXPECT_DOUBLE_EQ(bare.GraphLongMax, lonMax);

    const ChartState m = f.Prepare(5.0, 0.1);
    const double span = latMax - latMin;
    EXPECT_NEAR(m.GraphLatMax, latMax + 0.1 * span, 1e-12);
    EXPECT_NEAR(m.GraphLatMin, latMin - 0.1 * 1.1 * span, 1e-12);
    const double lspan = lonMax - lonMin;
    EXPECT_NEAR(m.GraphLongMax, lonMax + 0.1 * lspan, 1e-12);
    EXPECT_NEAR(m.GraphLongMin, lonMin - 0.1 * 1.1 * lspan, 1e-12);

    // -0.5 frames a quarter of the span.
    const ChartState q = f.Prepare(5.0, -0.5);
    EXPECT_NEAR(q.GraphLatMax - q.GraphLatMin, 0.25 * span, 1e-12);
}

// Guards the smallest segment: all intercepts zero give segments through
// the fix of half-length 0.4' x LopLength.
TEST(ChartData, ZeroInterceptsGiveTheMinimumLength) {
    ThreeSights f;
    for (int i = 1; i <= 3; ++i) f.intercept(i) = 0.0;
    const ChartState c = f.Prepare();
    for (int i = 1; i <= 3; ++i) {
        double d = 0, course = 0;
        RhumbInverse(f.mppLat, f.mppLong, c.LopEndLat(1, i),
                     ToggleLongitudeRange(c.LopEndLong(1, i)), d, course);
        EXPECT_NEAR(d, 2.0, 0.002) << i;
    }
}

// Guards the meridians: near 180° the interval stays continuous without
// an exchange; over 0° the bounds are exchanged and the margin keeps the
// western bound near 360 and the eastern one just east of 0 (the fault
// this guards: a margin taken across the cut turned the chart inside out).
TEST(ChartData, AntimeridianAndPrimeMeridian) {
    ThreeSights f;
    f.mppLong = 180.0;
    f.mppLat = 0.0;
    ChartState c = f.Prepare(5.0, 0.0);
    EXPECT_GT(c.GraphLongMax, 180.0);
    EXPECT_LT(c.GraphLongMin, 180.0);
    EXPECT_LT(c.GraphLongMax - c.GraphLongMin, 1.0);

    f.mppLong = 0.0;
    c = f.Prepare(5.0, 0.1);
    EXPECT_GT(c.GraphLongMin, 359.0);
    EXPECT_LT(c.GraphLongMax, 1.0);
    const ChartState bare = f.Prepare(5.0, 0.0);
    const double span = Norm360(bare.GraphLongMax - bare.GraphLongMin);
    EXPECT_LT(span, 1.0);
    EXPECT_NEAR(Norm360(c.GraphLongMax - c.GraphLongMin), span * 1.1 * 1.1, 1e-9);
}

// Guards bad input: no sights, short arrays and values that are not
// numbers raise a numbered error and leave the chart state as it was.
TEST(ChartData, BadInputLeavesTheStateAlone) {
    ThreeSights f;
    ChartState c = f.Prepare();
    const double before = c.GraphLatMax;
    auto number = [&](int n, double mpp) {
        try {
            PrepareGraphData(n, 5.0, 0.1, mpp, f.mppLong, f.zn, f.intercept, f.E, c);
        } catch (const ChartError& e) {
            return e.Number();
        }
        return 0;
    };
    EXPECT_EQ(number(0, 45.0), 9);
    EXPECT_EQ(number(4, 45.0), 9);
    EXPECT_EQ(number(3, std::nan("")), 6);
    EXPECT_EQ(c.GraphLatMax, before);
}

}  // namespace
}  // namespace orvex
