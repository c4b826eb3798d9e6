// The plotting chart of a star fix, on the screen picture and on the
// printer page: a plane chart in degrees, longitude east to the right and
// latitude north up, one degree of longitude cos(mid-latitude) times as long
// as one of latitude, so that distances are true near the fix.
//
// The axes drawing fits an equal-scale frame to the extents left by
// PrepareGraphData (FitFrameLatitudes: the spans compared as distances,
// the frame kept within the poles and short of the whole way round),
// clears the surface and draws the frame, the tick marks, the dotted grid
// (when on) and the position labels (the first tick of each axis in full
// with tenths and hemisphere, the others in degrees and whole minutes;
// longitude labels in a four-step cycle on two lines). Ticks, grid
// lines and labels fall on every whole minute where the labels have room,
// else on whole multiples of 2', 5', 10', 15', 30', 1°, 2° or 5°, the
// finest at which no two labels overlap (each axis on its own).
//
// The data drawing then draws the estimated position (a cross), the most
// probable position (a dot), the lines of position with their body names
// and the probability ellipse (none when both half-axes are zero, as for
// two sights), all kept inside the data area; on paper also a one-line
// legend under the longitude labels. A body's name goes beside its line's
// end, or, where another name already lies there (nearly parallel lines)
// or the end is off the picture (zoomed in), at the nearest free place
// along the line's part in the picture, from its end away from the fix:
// no two names touch where there is room, and every name lies wholly in
// the data area, clear of the fix's dot. A line outside the picture goes
// unnamed.
//
// Errors are caught by each procedure and reported in a message box:
// on screen " ERROR" / "Error when plotting axis." (or "... data.") CR LF
// "Error n: description"; on paper "PRINTER PROBLEM" / "Trouble with your
// printer. Print aborted.". What was drawn so far stays.
#pragma once

#include <string>
#include <vector>

#include "charts/chart_canvas.h"
#include "charts/core/chart_data.h"
#include "navlib/arrays.h"

namespace orvex {

// What the data drawing reads of a fix.
struct GraphData {
    double EstLat = 0, EstLong = 0;  // estimated position run to the fix time, degrees
    double MppLat = 0, MppLong = 0;  // most probable position, degrees (-180..180)
    int ObsCount = 0;
    const Vector* ObsTime = nullptr;                    // 1..n, days (UT)
    const std::vector<std::string>* ObsBody = nullptr;  // 1..n
    const Vector* ObsZn = nullptr;                      // 1..n, degrees
    double EllipseEW = 0, EllipseNS = 0;                // half-axes, degrees
    // The legend of the printed chart.
    double TimeTruePos = 0;  // days (UT)
    double Proba = 0.95;
    double Course = 0, Speed = 0;  // degrees, knots
    std::string DecSep = ".";
};

// The longitude handed to the surface: the 0..360 form, or the -180..180
// form when the frame crosses the 0° meridian.
double GraphX(double lon, bool dateLine);

// Screen. DrawGraphAxes refits chart's extents to the picture's shape and
// sets chart.GraphDateLine and the axis steps; DrawGraphData must follow it.
// `grid`: the dotted grid on the ticks. Both return false after reporting
// an error.
bool DrawGraphAxes(ChartCanvas& canvas, ChartState& chart, bool grid,
                   const std::string& decSep = ".");
bool DrawGraphData(ChartCanvas& canvas, const ChartState& chart, const GraphData& data);

// Printer: the same chart on the current printer's page (its printable
// area; the first drawing opens the job), in black, with the legend; each
// first checks that a printer is installed. The caller ends the job.
bool PrintGraphAxes(ChartState& chart, bool grid, const std::string& decSep = ".");
bool PrintGraphData(const ChartState& chart, const GraphData& data);

// The printed chart's page (axes, data and legend, in black) drawn on any
// surface, e.g. an image as a preview of the page. Errors are reported as
// on paper. Answers false after an error.
bool DrawPrintedChart(ChartCanvas& canvas, ChartState& chart, bool grid, const GraphData& data);

// The pieces of the printed legend, in order, each printed without a line
// break (for tests and for the drawing).
std::vector<QString> LegendPieces(const GraphData& data);

// The label of sight i: its body name, with "@" and its time "hh:nn" when
// another sight of the set has the same body.
QString LopLabel(const GraphData& data, int i);

}  // namespace orvex
