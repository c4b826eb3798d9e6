// The geometry of the plotting chart of a star fix: for every sight the
// plotted segment of its line of position, and the latitude and longitude
// extents of the chart with the user's margin. Computes only; draws
// nothing. Plain C++ (no Qt).
#pragma once

#include <stdexcept>
#include <string>

#include "navlib/arrays.h"
#include "navlib/earth_model.h"

namespace orvex {

// The chart state shared by the screen chart and the printed chart, owned
// by the main window.
struct ChartState {
    // Ends of the plotted segment of sight i: LopEndLat(k, i),
    // LopEndLong(k, i), k = 1 or 2, i = 1..n; degrees, longitudes in the
    // 0..360 form (0..180 east, 180..360 west).
    Matrix LopEndLat;
    Matrix LopEndLong;
    // Chart extents, degrees, longitudes in the 0..360 form. When the chart
    // straddles the 0° meridian the western bound is numerically greater
    // than the eastern one (e.g. 359.8 and 0.3).
    double GraphLatMin = 0.0, GraphLatMax = 0.0;
    double GraphLongMin = 0.0, GraphLongMax = 0.0;
    // The drawing hands longitudes to the surface in the -180..180 form
    // (set by the axes drawing when the frame crosses the 0° meridian).
    bool GraphDateLine = false;
    // Distance between neighbouring ticks, grid lines and labels of each
    // axis, degrees (set by the axes drawing).
    double GraphLatStep = 1.0 / 60.0;
    double GraphLongStep = 1.0 / 60.0;
};

// An error of the chart computation or drawing: a number and a
// description, as the chart's message boxes show them.
class ChartError : public std::runtime_error {
  public:
    ChartError(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    int Number() const { return number_; }

  private:
    int number_;
};

// PrepareGraphData: segments and extents of the chart.
//   ObsCount      number of sights n, at least 1
//   LopLength     length factor of the lines (5 at start; > 0)
//   ChartScale    margin round the lines as a fraction of their span
//                 (0.1 at start; -0.5 frames a quarter of the span)
//   MppLat, MppLong  most probable position, degrees (longitude -180..180)
//   ObsZn(1..n)   true azimuth of each body, degrees
//   ObsIntercept(1..n)  intercept Ho - Hc, degrees, positive towards the body
//   E             Earth model of the rhumb lines
// Every segment has the half-length L = M x LopLength nautical miles, M the
// largest |intercept| in minutes (at least 0.4'). Segment i is centred on
// the intercept point (the fix moved by the intercept along the azimuth)
// and runs across the azimuth: end 1 on the azimuth + 90° side, end 2 on
// the azimuth - 90° side. The extents frame all ends; the margin adds
// s x span to the north and east and s x (1 + s) x span to the south and
// west (s = ChartScale), the longitudes never beyond kMaxChartLongSpan in
// all (a wider interval is cut to that span round the lines). Fills
// chart.LopEndLat, chart.LopEndLong (resized to 2 x n when needed) and the
// four extents; GraphDateLine is untouched. A rhumb line over a pole shows
// the rhumb-line routine's own message and goes on with the position it
// gives.
// Throws ChartError for n < 1, arrays shorter than n or a value that is not
// a finite number; the chart state is then unchanged.
void PrepareGraphData(int ObsCount, double LopLength, double ChartScale, double MppLat,
                      double MppLong, const Vector& ObsZn, const Vector& ObsIntercept,
                      const EarthModel& E, ChartState& chart);

// The widest chart the view commands let a user ask for: degrees of
// latitude across the drawn data area.
inline constexpr double kMaxChartSpan = 10.0;

// The widest longitude interval a chart frames, degrees: short of the
// whole way round, so that its two bounds stay apart.
inline constexpr double kMaxChartLongSpan = 359.0;

// The latitudes of the drawn data area.
struct FrameLatitudes {
    double span;    // degrees, 0 < span <= 180
    double midLat;  // degrees, the area lies within -90..90
};

// The data area that frames extents spanning dLat degrees of latitude and
// dLong degrees of longitude round the middle latitude midLat (degrees):
// its latitude span is the larger of dLat and the longitude span measured
// along that parallel (dLong x cos midLat, both spans as distances), so
// that the chart of a fix near a pole is not widened by the meridians
// crowding together. Its middle is moved towards the equator as far as
// needed to keep the area from passing a pole. A span that is zero or not
// a number is returned as it is.
FrameLatitudes FitFrameLatitudes(double dLat, double dLong, double midLat);

// The latitude span of the drawn data area for these extents
// (FitFrameLatitudes), degrees.
double ChartSpan(const ChartState& chart);

}  // namespace orvex
