#include "charts/display_graph.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <optional>
#include <utility>

#include "charts/print_lib.h"
#include "navlib/constants.h"
#include "navlib/inout_lib.h"
#include "navlib/math_lib.h"
#include "navlib/nautical_angles.h"
#include "navlib/number_format.h"
#include "platform/message_box.h"

namespace orvex {

namespace {

// A frame wider than this many steps is drawn with the first ticks only,
// so that a wild extent cannot stall the window.
constexpr int kMaxTicks = 20000;

const QColor kMagenta(255, 0, 255);
const QColor kBlue(0, 0, 255);

double Sign(double x) {
    return (x > 0) - (x < 0);
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// How far east of `lon` the middle of the lines' longitudes lies, degrees
// (0 without lines).
double LinesMiddle(const ChartState& g, double lon) {
    const Matrix& ends = g.LopEndLong;
    double west = 180.0, east = -180.0;
    for (int i = ends.lbound2(); i <= ends.ubound2(); ++i)
        for (int k = ends.lbound1(); k <= ends.ubound1(); ++k) {
            const double off = Norm180(ends(k, i) - lon);
            west = std::min(west, off);
            east = std::max(east, off);
        }
    return west <= east ? (west + east) / 2.0 : 0.0;
}

// What the screen and the printed chart do differently.
struct Style {
    bool printer;
    double heightShare() const { return printer ? 0.88 : 0.9; }
    double latMargin() const { return printer ? 0.12 / 0.88 : 0.1 / 0.9; }
    double h1Factor() const { return printer ? 1.16 : 0.8; }
    double latTickIn() const { return printer ? 0.1 : 0.14; }
    double longTickIn() const { return printer ? 0.1 : 0.12; }
};

// The frame of the fitted extents: the label strips on the left and at the
// bottom and the user coordinates of the surface.
struct Frame {
    double m = 0;               // latitude strip (degrees of latitude)
    double spanLong = 0;        // longitude span of the data area
    double Lf = 0;              // left edge, 0..360 form
    double xMin = 0, xMax = 0;  // the data area's edges as handed to the surface
    double left = 0;            // the left edge as handed to the surface
    bool dateLine = false;      // longitudes handed in the -180..180 form
};

Frame SetFrame(ChartCanvas& c, const ChartState& g, const Style& st) {
    Frame f;
    f.m = std::fabs(g.GraphLatMax - g.GraphLatMin) * st.latMargin();
    f.spanLong = Norm360(g.GraphLongMax - g.GraphLongMin);
    const double mLong = f.spanLong * 0.12 / 0.88;
    const double B = g.GraphLatMin - f.m;
    f.Lf = Norm360(g.GraphLongMin - mLong);
    f.dateLine = g.GraphLongMax - f.Lf < 0.0;
    const bool dl = f.dateLine;
    // The right edge continues the left one when the frame crosses 0°.
    const double left = GraphX(f.Lf, dl);
    double right = GraphX(g.GraphLongMax, dl);
    if (right <= left) right += 360.0;
    c.Scale(left, g.GraphLatMax, right, B);
    f.left = left;
    f.xMin = GraphX(g.GraphLongMin, dl);
    if (f.xMin < left) f.xMin += 360.0;
    f.xMax = f.xMin + f.spanLong;
    return f;
}

// Ticks, grid lines and labels of an axis fall on whole multiples of one
// of these steps (minutes of arc): the finest at which the labels keep
// clear of each other.
constexpr int kStepMinutes[] = {1, 2, 5, 10, 15, 30, 60, 120, 300};

struct AxisSteps {
    double lat = 1.0 / 60.0;  // degrees
    double lon = 1.0 / 60.0;  // degrees
    double gap = 0.0;         // least room between two labels on a line (x units)
};

// The finest step not shorter than `need` (degrees); the coarsest else.
double FinestStep(double need, int fromMinutes = 1) {
    for (int minutes : kStepMinutes)
        if (minutes >= fromMinutes && minutes / 60.0 >= need) return minutes / 60.0;
    return kStepMinutes[std::size(kStepMinutes) - 1] / 60.0;
}

// Steps from the label sizes on the fitted surface. Latitude labels sit
// one above the other, a line of text each. Longitude labels alternate
// between two lines, so that two steps hold half a label in degrees
// (10 points), half a minutes label (9 points) and a digit's width between.
AxisSteps ChooseSteps(ChartCanvas& c, const std::string& decSep) {
    AxisSteps s;
    c.SetFontSize(10);
    s.lat = FinestStep(std::fabs(c.TextHeight("0")));
    const QString degrees = Q(FormatLongitude(0.0, decSep)).chopped(4);
    const double wide = c.TextWidth(degrees);
    s.gap = c.TextWidth("0");
    c.SetFontSize(9);
    s.lon = FinestStep((wide + c.TextWidth("00'")) / 4.0 + s.gap / 2.0);
    // On whole degrees every label carries its degrees.
    if (s.lon >= 1.0) s.lon = FinestStep((wide + c.TextWidth(degrees)) / 4.0 + s.gap / 2.0, 60);
    return s;
}

// The label lines, measured in the font as the surface draws it (user
// units of latitude).
struct LabelLines {
    double h1;  // the second line of longitude labels below the first
    double h2;  // half a line of 10 points
    double h9;  // a line of 9 points
};

// Leaves the font at 10 points.
LabelLines MeasureLabelLines(ChartCanvas& c, const Style& st) {
    c.SetFontSize(9);
    const double h9 = std::fabs(c.TextHeight("0"));
    c.SetFontSize(10);
    return {h9 * st.h1Factor(), std::fabs(c.TextHeight("0")) / 2.0, h9};
}

void AxesSteps(ChartCanvas& c, ChartState& g, bool grid, const std::string& decSep,
               const Style& st) {
    // Fitting the frame.
    const double dLat =
        st.printer ? g.GraphLatMax - g.GraphLatMin : std::fabs(g.GraphLatMax - g.GraphLatMin);
    const double dLong = Norm360(g.GraphLongMax - g.GraphLongMin);
    // The middle along the interval, also when it crosses the 0° meridian.
    double midLong = Norm360(g.GraphLongMin + dLong / 2.0);
    const FrameLatitudes frame =
        FitFrameLatitudes(dLat, dLong, (g.GraphLatMin + g.GraphLatMax) / 2.0);
    const double D = frame.span;
    const double midLat = frame.midLat;
    const double den = c.Height() * st.heightShare() * std::cos(midLat * kDegToRad);
    if (!(D > 0.0) || !std::isfinite(D)) throw ChartError(5, "Invalid procedure call or argument");
    if (std::fabs(den) < 1e-12) throw ChartError(11, "Division by zero");
    // A very wide picture of a chart at a pole would frame more than the
    // whole way round: it keeps short of it.
    const double dLongFit = std::min(c.Width() * 0.88 * D / den, kMaxChartLongSpan);
    // A frame narrower than the extents (a tall picture, or a chart at a
    // pole, where the frame holds little more than 100° of longitude
    // however far it is zoomed out) is centred on the lines rather than on
    // the margins round them.
    if (dLongFit < dLong) midLong = Norm360(midLong + LinesMiddle(g, midLong));
    g.GraphLatMin = midLat - D / 2.0;
    g.GraphLatMax = midLat + D / 2.0;
    g.GraphLongMin = Norm360(midLong - dLongFit / 2.0);
    g.GraphLongMax = Norm360(midLong + dLongFit / 2.0);

    const Frame fr = SetFrame(c, g, st);
    g.GraphDateLine = fr.dateLine;
    const double m = fr.m;
    const double spanLong = fr.spanLong;

    // Surface.
    c.SetFontName("Arial");
    const LabelLines lines = MeasureLabelLines(c, st);
    const double h1 = lines.h1;
    const double h2 = lines.h2;
    c.SetLineStyle(Qt::SolidLine);
    c.SetLineWidth(1);
    if (!st.printer) c.Clear(Qt::white);

    // Frame: the western and the southern edges.
    const double xMin = fr.xMin;
    const double xMax = fr.xMax;
    c.Line(xMin, g.GraphLatMin, xMin, g.GraphLatMax);
    c.Line(xMin, g.GraphLatMin, xMax, g.GraphLatMin);

    // Latitude ticks and labels; the tick crosses the western edge.
    // (m, a latitude length, is used here as a longitude length.)
    const AxisSteps steps = ChooseSteps(c, decSep);
    g.GraphLatStep = steps.lat;
    g.GraphLongStep = steps.lon;
    c.SetFontSize(10);
    const double xa = xMin - 0.1 * m;
    const double xb = xMin + st.latTickIn() * m;
    double phi = g.GraphLatMin;
    // The lowest edge a later label may reach: clear of the one below it.
    double clearAbove = -1e300;
    for (int t = 0; phi < g.GraphLatMax && t < kMaxTicks; ++t) {
        c.Line(xa, phi, xb, phi);
        if (grid) {
            c.SetLineStyle(Qt::DotLine);
            c.LineTo(xMax, phi);
            c.SetLineStyle(Qt::SolidLine);
        }
        const QString text = Q(FormatLatitude(phi, decSep));
        if (SameLatitude(phi, g.GraphLatMin)) {
            const double w = c.TextWidth("00°00'.0 N ");
            c.SetCurrent(xa - w, phi + 0.3 * h2);
            c.Print(text);
            clearAbove = phi + 0.3 * h2;
        } else {
            const double w = c.TextWidth("00°00' ");
            const double y = phi + h2;
            c.SetCurrent(xa - w, y);
            // A label that would run into the one below it is left out.
            if (y <= g.GraphLatMax && y - 2.0 * h2 >= clearAbove) {
                c.Print(text.left(text.size() - 4));
                clearAbove = y;
            }
        }
        phi = phi - Sign(phi) * ModReal(std::fabs(phi), steps.lat) + steps.lat;
    }

    // Longitude ticks and labels, along the continuous interval (which may
    // run past 360 when the frame crosses the 0° meridian). The labels
    // alternate between two lines; on each line a label that would run
    // into the one before it is left out.
    const double ya = g.GraphLatMin - 0.1 * m;
    const double yb = g.GraphLatMin + st.longTickIn() * m;
    const double y0 = ya - h2;
    const double endLong = g.GraphLongMin + spanLong;
    const bool degreeSteps = steps.lon >= 1.0 - 1e-9;
    double clearRight[2] = {-1e300, -1e300};
    double lam = g.GraphLongMin;
    int count = 1;
    for (int t = 0; lam < endLong && t < kMaxTicks; ++t) {
        const double lam360 = Norm360(lam);
        const double x = xMin + (lam - g.GraphLongMin);
        c.Line(x, ya, x, yb);
        if (grid) {
            c.SetLineStyle(Qt::DotLine);
            c.LineTo(x, g.GraphLatMax);
            c.SetLineStyle(Qt::SolidLine);
        }
        const QString full = Q(FormatLongitude(lam360, decSep));
        const bool first = SameLongitude(lam360, g.GraphLongMin);
        QString text;
        double y = y0;
        if (count == 1) {
            c.SetFontSize(10);
            text = first ? full : full.left(full.size() - 4);
        } else {
            c.SetFontSize(9);
            // Minutes alone say nothing when every tick is on a whole degree.
            text = degreeSteps ? full.left(full.size() - 4) : full.mid(full.size() - 7, 3);
            if (count != 3) y = y0 - h1;
        }
        const double w = c.TextWidth(text);
        const double lx = first ? x - 0.96 * w : x - w / 2.0;
        double& clear = clearRight[y == y0 ? 0 : 1];
        c.SetCurrent(lx, y);
        if (lam + w / 2.0 <= endLong && lx >= clear) {
            c.Print(text);
            clear = lx + w + steps.gap;
        }
        count = count == 4 ? 1 : count + 1;
        lam = lam - ModReal(lam, steps.lon) + steps.lon;
    }
}

// The part of the segment a-b inside `area` as fractions [t0, t1] of the
// way from a to b; none when the segment passes outside the area.
std::optional<std::pair<double, double>> SegmentInside(const QPointF& a, const QPointF& b,
                                                       const QRectF& area) {
    double t0 = 0.0, t1 = 1.0;
    const QPointF d = b - a;
    const double p[] = {-d.x(), d.x(), -d.y(), d.y()};
    const double q[] = {a.x() - area.left(), area.right() - a.x(), a.y() - area.top(),
                        area.bottom() - a.y()};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0) return std::nullopt;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1) return std::nullopt;
    return std::make_pair(t0, t1);
}

// The box (device pixels) a line of position's label takes, wholly inside
// `area` and clear of `mark` (the fix), or none when the line does not
// cross the area or no such place is beside its part inside the area.
// `first` is its own place beside the line's end 2; it is taken when it
// also keeps clear of every box in `placed`. Otherwise the places are
// tried walking along the line's part inside the area in 32 steps, from
// its end farther from the fix, at each step the label at the same offset
// from the line as `first` and then in the four corners beside the point,
// and then the same places moved into the area; the first free one is
// taken. When none is free, the place that covers least of the other
// labels.
std::optional<QRectF> PlaceLabel(const QRectF& first, const QPointF& end1, const QPointF& end2,
                                 const QRectF& area, const QRectF& mark,
                                 const std::vector<QRectF>& placed) {
    constexpr double kGap = 2.0;  // pixels kept between two labels
    constexpr int kSteps = 32;
    const auto inside = SegmentInside(end2, end1, area);
    if (!inside) return std::nullopt;
    const auto covered = [&](const QRectF& box) {
        double sum = 0;
        const QRectF grown = box.adjusted(-kGap, -kGap, kGap, kGap);
        for (const QRectF& other : placed) {
            const QRectF common = grown.intersected(other);
            if (!common.isEmpty()) sum += common.width() * common.height();
        }
        return sum;
    };
    const QSizeF size = first.size();
    const QPointF offset = first.topLeft() - end2;
    const double w = size.width(), h = size.height();
    const QRectF clearOf = mark.adjusted(-kGap, -kGap, kGap, kGap);
    std::vector<QRectF> places{first};
    // The lines meet at the fix, where their names would be taken for one
    // another's: the walk starts at the end of the part farther from it.
    auto [from, to] = *inside;
    const QPointF centre = mark.center();
    if (QLineF(centre, end2 + (end1 - end2) * to).length() >
        QLineF(centre, end2 + (end1 - end2) * from).length())
        std::swap(from, to);
    for (int k = 0; k <= kSteps; ++k) {
        const double t = from + (to - from) * k / kSteps;
        const QPointF a = end2 + (end1 - end2) * t;
        for (const QPointF& topLeft :
             {a + offset, a + QPointF(kGap, -h - kGap), a + QPointF(kGap, kGap),
              a + QPointF(-w - kGap, -h - kGap), a + QPointF(-w - kGap, kGap)})
            places.emplace_back(topLeft, size);
    }
    std::optional<QRectF> best;
    double least = std::numeric_limits<double>::infinity();
    for (const bool moved : {false, true})
        for (QRectF box : places) {
            if (moved)
                box.translate(std::max(0.0, area.left() - box.left()) +
                                  std::min(0.0, area.right() - box.right()),
                              std::max(0.0, area.top() - box.top()) +
                                  std::min(0.0, area.bottom() - box.bottom()));
            if (!area.contains(box) || box.intersects(clearOf)) continue;
            const double c = covered(box);
            if (c == 0.0) return box;
            if (c < least) {
                least = c;
                best = box;
            }
        }
    return best;
}

void DataSteps(ChartCanvas& c, const ChartState& g, const GraphData& d, const Style& st) {
    const Frame fr = SetFrame(c, g, st);
    const bool dl = fr.dateLine;
    // Positions continue past the right edge when the frame crosses 180°
    // in the 0..360 form or 0° in the -180..180 form.
    const double xLeft = fr.left;
    auto X = [dl, xLeft](double lon) {
        double x = GraphX(lon, dl);
        if (x < xLeft - 180.0) x += 360.0;
        return x;
    };
    // Everything but the legend keeps inside the data area, clear of the
    // label strips.
    struct DataArea {
        ChartCanvas& c;
        ~DataArea() { c.NoClip(); }
    } area{c};
    c.Clip(fr.xMin, g.GraphLatMax, fr.xMax, g.GraphLatMin);
    c.SetFontSize(10);
    const double a = std::fabs(g.GraphLatMax - g.GraphLatMin) * 0.01;
    const double ew = d.EllipseEW;
    const double ns = d.EllipseNS;
    const double estLong = Norm360(d.EstLong);
    const double mppLong = Norm360(d.MppLong);

    // Estimated position: a cross.
    const QColor crossColour = st.printer ? QColor(Qt::black) : kMagenta;
    c.SetLineWidth(st.printer ? 3 : 2);
    c.Line(X(Norm360(estLong + a)), d.EstLat, X(Norm360(estLong - a)), d.EstLat, crossColour);
    c.Line(X(estLong), d.EstLat + a, X(estLong), d.EstLat - a, crossColour);

    // Most probable position: a filled dot.
    c.SetLineWidth(1);
    const double dotRadius = (st.printer ? 0.3 : 0.35) * a;
    c.SetFill(st.printer ? QColor(Qt::black) : kBlue, true);
    c.Ellipse(X(mppLong), d.MppLat, dotRadius,
              dotRadius * std::fabs(c.UnitsPerPixelY() / c.UnitsPerPixelX()),
              st.printer ? c.ForeColor() : kBlue);
    c.SetFill(Qt::black, false);

    // Lines of position with their labels.
    const Matrix& eLat = g.LopEndLat;
    const Matrix& eLong = g.LopEndLong;
    if (eLat.ubound2() < d.ObsCount || eLong.ubound2() < d.ObsCount)
        throw ChartError(9, "Subscript out of range");
    // The labels keep inside the data area, so clear of the axis labels in
    // the strips, clear of the fix and of each other (device pixels).
    const QRectF dataArea =
        QRectF(c.ToDevice(fr.xMin, g.GraphLatMax), c.ToDevice(fr.xMax, g.GraphLatMin)).normalized();
    const double dot = dotRadius / std::fabs(c.UnitsPerPixelX());
    const QRectF fixMark =
        QRectF(-dot, -dot, 2 * dot, 2 * dot).translated(c.ToDevice(X(mppLong), d.MppLat));
    std::vector<QRectF> placed;
    for (int i = 1; i <= d.ObsCount; ++i) {
        const double x1 = X(eLong(1, i)), x2 = X(eLong(2, i));
        c.Line(x1, eLat(1, i), x2, eLat(2, i));
        const double diff = eLong(2, i) - eLong(1, i);
        double sx = Sign(diff);
        if (std::fabs(diff) > 180.0) sx = -sx;
        const double zn = (*d.ObsZn)(i)*kDegToRad;
        const double f =
            sx == 1.0 ? 0.2 - 0.5 * std::fabs(std::sin(zn)) : -0.4 - 0.5 * std::fabs(std::cos(zn));
        const QString label = LopLabel(d, i);
        c.SetCurrent(x2 + f * c.TextWidth(label),
                     eLat(2, i) + (0.5 + Sign(eLat(2, i) - eLat(1, i)) * std::fabs(std::sin(zn))) *
                                      std::fabs(c.TextHeight("A")));
        const std::optional<QRectF> box =
            PlaceLabel(c.TextBox(label), c.ToDevice(x1, eLat(1, i)), c.ToDevice(x2, eLat(2, i)),
                       dataArea, fixMark, placed);
        // A line outside the picture, or without room for its name there,
        // goes unnamed.
        if (!box) continue;
        placed.push_back(*box);
        const QPointF at = c.ToUser(box->topLeft());
        c.SetCurrent(at.x(), at.y());
        c.Print(label);
    }

    // Probability ellipse: half-axes EW in degrees of longitude, NS in
    // degrees of latitude; its aspect ratio NS / EW cannot be formed for a
    // flat east-west axis. A fix without one (two sights: both half-axes
    // zero) gets none.
    if (ew == 0.0 && ns != 0.0) throw ChartError(11, "Division by zero");
    if (ew != 0.0 || ns != 0.0) {
        c.SetFill(Qt::black, false);
        c.Ellipse(X(mppLong), d.MppLat, ew, ns, st.printer ? c.ForeColor() : kBlue);
    }

    if (!st.printer) return;
    c.NoClip();
    // The legend, one line three text lines above the page's bottom edge,
    // or lower when the font drawn is taller than designed: below the
    // second line of longitude labels, on the page.
    const LabelLines lines = MeasureLabelLines(c, st);
    const double labelsBottom = g.GraphLatMin - 0.1 * fr.m - lines.h2 - lines.h1 - lines.h9;
    const double pageBottom = g.GraphLatMin - fr.m;
    c.SetFontSize(8);
    const double line = std::fabs(c.TextHeight("A"));
    const double y = std::min(pageBottom + 3.0 * line, labelsBottom - 0.25 * line);
    c.SetCurrent(fr.xMin + c.TextWidth("12345"), std::max(y, pageBottom + line));
    const std::vector<QString> pieces = LegendPieces(d);
    for (size_t k = 0; k < pieces.size(); ++k) {
        c.SetFontUnderline(k == 0);
        c.SetFontItalic(k + 1 == pieces.size());
        c.Print(pieces[k]);
    }
    c.SetFontUnderline(false);
    c.SetFontItalic(false);
}

QString ErrorText(const char* what, int number, const QString& description) {
    return QString(what) + "\r\nError " + QString::number(number) + ": " + description;
}

template <typename Steps>
bool Guarded(Steps&& steps, bool printer, const char* what) {
    int number = 0;
    QString description;
    try {
        steps();
        return true;
    } catch (const ChartError& e) {
        number = e.Number();
        description = QString::fromStdString(e.what());
    } catch (const PrinterError& e) {
        number = e.Number();
        description = e.Description();
    } catch (const std::exception& e) {
        number = 5;
        description = QString::fromStdString(e.what());
    }
    if (printer)
        ShowMessage(kIconExclamation + kButtonsOk, "PRINTER PROBLEM",
                    "Trouble with your printer. Print aborted.");
    else
        ShowMessage(kIconExclamation + kButtonsOk, " ERROR", ErrorText(what, number, description));
    return false;
}

}  // namespace

double GraphX(double lon, bool dateLine) {
    return dateLine ? ToggleLongitudeRange(lon) : lon;
}

QString LopLabel(const GraphData& data, int i) {
    const std::string& body = (*data.ObsBody)[static_cast<size_t>(i)];
    bool twice = false;
    for (int j = 1; j <= data.ObsCount; ++j)
        if (j != i && (*data.ObsBody)[static_cast<size_t>(j)] == body) twice = true;
    QString label = Q(body);
    if (twice) label += "@" + Q(FormatDateTime((*data.ObsTime)(i), "hh:nn"));
    return label;
}

std::vector<QString> LegendPieces(const GraphData& d) {
    std::vector<QString> p;
    p.push_back("Position on " + Q(FormatDateTime(d.TimeTruePos, "d mmm yyyy")) + " at " +
                Q(FormatDateTime(d.TimeTruePos, "hh:nn:ss")) + " GMT:");
    p.push_back("  \u2022 Most Probable Position " + Q(FormatLatitude(d.MppLat, d.DecSep)) + " " +
                Q(FormatLongitude(d.MppLong, d.DecSep)));
    p.push_back(" / Ellipse " + Q(FormatNumber(d.Proba * 100.0, "", d.DecSep)) + " %");
    p.push_back(" / " + Q(FormatNumber(d.Course, "000°.0", d.DecSep)) + " - " +
                Q(FormatNumber(d.Speed, "##0'.0", d.DecSep)));
    p.push_back("   {+ Estimated Position}       ");
    p.push_back(ProgramNameVersion() + " - " + "May 2004");
    return p;
}

bool DrawGraphAxes(ChartCanvas& canvas, ChartState& chart, bool grid, const std::string& decSep) {
    return Guarded([&] { AxesSteps(canvas, chart, grid, decSep, Style{false}); }, false,
                   "Error when plotting axis.");
}

bool DrawGraphData(ChartCanvas& canvas, const ChartState& chart, const GraphData& data) {
    return Guarded([&] { DataSteps(canvas, chart, data, Style{false}); }, false,
                   "Error when plotting data.");
}

bool DrawPrintedChart(ChartCanvas& canvas, ChartState& chart, bool grid, const GraphData& data) {
    canvas.Clear(Qt::white);
    const bool axes =
        Guarded([&] { AxesSteps(canvas, chart, grid, data.DecSep, Style{true}); }, true, "");
    return Guarded([&] { DataSteps(canvas, chart, data, Style{true}); }, true, "") && axes;
}

namespace {
// The printer page as a chart surface: the printable area in device pixels.
ChartCanvas PrinterCanvas() {
    ProgramPrinter& printer = ProgramPrinter::Instance();
    QPainter& painter = printer.Painter();
    QPrinter& device = printer.Device();
    return ChartCanvas(painter, QRectF(0, 0, device.width(), device.height()), device.resolution());
}
}  // namespace

bool PrintGraphAxes(ChartState& chart, bool grid, const std::string& decSep) {
    if (!CheckPrinterInstalled()) return false;
    return Guarded(
        [&] {
            ProgramPrinter::Instance().Step("PrintGraphAxes");
            ChartCanvas canvas = PrinterCanvas();
            AxesSteps(canvas, chart, grid, decSep, Style{true});
        },
        true, "");
}

bool PrintGraphData(const ChartState& chart, const GraphData& data) {
    if (!CheckPrinterInstalled()) return false;
    return Guarded(
        [&] {
            ProgramPrinter::Instance().Step("PrintGraphData");
            ChartCanvas canvas = PrinterCanvas();
            DataSteps(canvas, chart, data, Style{true});
        },
        true, "");
}

}  // namespace orvex
