#include "charts/core/chart_data.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "navlib/constants.h"
#include "navlib/math_lib.h"
#include "navlib/nautical_angles.h"
#include "navlib/rhumb_line.h"

namespace orvex {

void PrepareGraphData(int ObsCount, double LopLength, double ChartScale, double MppLat,
                      double MppLong, const Vector& ObsZn, const Vector& ObsIntercept,
                      const EarthModel& E, ChartState& chart) {
    const int n = ObsCount;
    if (n < 1) throw ChartError(9, "Subscript out of range");
    if (ObsZn.lbound() > 1 || ObsZn.ubound() < n || ObsIntercept.lbound() > 1 ||
        ObsIntercept.ubound() < n)
        throw ChartError(9, "Subscript out of range");
    bool finite = std::isfinite(LopLength) && std::isfinite(ChartScale) && std::isfinite(MppLat) &&
                  std::isfinite(MppLong);
    for (int i = 1; i <= n; ++i)
        finite = finite && std::isfinite(ObsZn(i)) && std::isfinite(ObsIntercept(i));
    if (!finite) throw ChartError(6, "Overflow");

    // Intercepts in minutes of arc (nautical miles); the common half-length.
    Vector a(n);
    double M = 0.0;
    for (int i = 1; i <= n; ++i) {
        a(i) = ObsIntercept(i) * 60.0;
        if (std::fabs(a(i)) > M) M = std::fabs(a(i));
    }
    if (M < 0.4) M = 0.4;
    const double L = M * LopLength;

    Matrix endLat(2, n), endLong(2, n);
    for (int i = 1; i <= n; ++i) {
        double pLat = 0.0, pLong = 0.0;
        RhumbLineDirect(MppLat, MppLong, ObsZn(i), a(i), pLat, pLong, E);
        RhumbLineDirect(pLat, pLong, Norm360(ObsZn(i) + 90.0), L, endLat(1, i), endLong(1, i), E);
        endLong(1, i) = ToggleLongitudeRange(endLong(1, i));
        RhumbLineDirect(pLat, pLong, Norm360(ObsZn(i) - 90.0), L, endLat(2, i), endLong(2, i), E);
        endLong(2, i) = ToggleLongitudeRange(endLong(2, i));
    }

    double latMax = -90.0, longMax = 0.0;
    for (int i = 1; i <= n; ++i)
        for (int k = 1; k <= 2; ++k) {
            if (latMax < endLat(k, i)) latMax = endLat(k, i);
            if (longMax < endLong(k, i)) longMax = endLong(k, i);
        }
    double latMin = latMax, longMin = longMax;
    for (int i = 1; i <= n; ++i)
        for (int k = 1; k <= 2; ++k) {
            if (latMin > endLat(k, i)) latMin = endLat(k, i);
            if (longMin > endLong(k, i)) longMin = endLong(k, i);
        }
    // Ends on both sides of the 0°/360° cut: the interval runs from the
    // western bound (near 360) to an eastern bound above 360.
    if (longMax - longMin > 180.0) {
        std::swap(longMin, longMax);
        longMax += 360.0;
    }

    // Margin. The longitudes are widened on the continuous interval and
    // brought into the 0..360 form at the end, so that an interval over
    // the 0° meridian keeps its western bound near 360 and its eastern one
    // just east of 0.
    const double s = ChartScale;
    const double linesMid = (longMin + longMax) / 2.0;
    latMax = latMax + (latMax - latMin) * s;
    latMin = latMin - (latMax - latMin) * s;
    longMax = longMax + (longMax - longMin) * s;
    longMin = longMin - (longMax - longMin) * s;
    // Near a pole the margin of a few miles is many degrees of longitude:
    // it never takes the interval round the globe, which is then centred
    // on the lines.
    if (longMax - longMin > kMaxChartLongSpan) {
        longMin = linesMid - kMaxChartLongSpan / 2.0;
        longMax = linesMid + kMaxChartLongSpan / 2.0;
    }

    chart.LopEndLat = std::move(endLat);
    chart.LopEndLong = std::move(endLong);
    chart.GraphLatMax = latMax;
    chart.GraphLatMin = latMin;
    chart.GraphLongMax = Norm360(longMax);
    chart.GraphLongMin = Norm360(longMin);
}

FrameLatitudes FitFrameLatitudes(double dLat, double dLong, double midLat) {
    midLat = std::clamp(midLat, -90.0, 90.0);
    const double span = std::min(std::max(dLat, dLong * std::cos(midLat * kDegToRad)), 180.0);
    if (!(span > 0.0)) return {span, midLat};
    return {span, std::clamp(midLat, -90.0 + span / 2.0, 90.0 - span / 2.0)};
}

double ChartSpan(const ChartState& chart) {
    return FitFrameLatitudes(std::fabs(chart.GraphLatMax - chart.GraphLatMin),
                             Norm360(chart.GraphLongMax - chart.GraphLongMin),
                             (chart.GraphLatMin + chart.GraphLatMax) / 2.0)
        .span;
}

}  // namespace orvex
