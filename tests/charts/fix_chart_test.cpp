// The chart of fixes the program solved from eight sights that ERFA made
// for a ship at a known position: a fix near the pole, and the names of
// the lines at every zoom, on screen and on paper.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <cmath>

#include "charts/chart_canvas.h"
#include "charts/chart_picture.h"
#include "charts/display_graph.h"
#include "navlib/constants.h"
#include "navlib/math_lib.h"
#include "tests/navlib/synthetic_sights.h"
#include "workbench/core/solve_fix.h"
#include "workbench/results_page.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

using testing::kDay;
using testing::kHour;
using testing::kMinute;

// The chart as drawn, with every text and, in device pixels, its data
// area and the fix's dot.
struct DrawnChart {
    ChartState c;
    std::vector<DrawnText> texts;
    QRectF area, fix;
    std::vector<QLineF> lines;  // 1..8 at 0..7
    // Whether line i shows: some point of it lies in the data area.
    bool Shows(int i) const {
        const QLineF& l = lines[static_cast<size_t>(i - 1)];
        for (int k = 0; k <= 200; ++k)
            if (area.contains(l.pointAt(k / 200.0))) return true;
        return false;
    }
};

struct FixChart : ::testing::Test {
    PlatformScript script;
    test::ProgramFolder folder;
    test::FakeSettings settings;
    std::unique_ptr<FrmWorking> w = test::StartedWindow(settings);
    GraphData data;

    // Eight stars half an hour apart for the ship on `truth`, its dead
    // reckoning 10' out; the fix solved and drawn on the graph page.
    void Solve(const testing::Track& truth) {
        WorkbenchState& s = w->State();
        s.E = testing::Wgs84();
        std::vector<double> times;
        for (int k = 0; k < 8; ++k) times.push_back(truth.t0 - 3.5 * kHour + k * 30 * kMinute);
        const testing::Conditions cond;
        s.Obs = testing::MakeSights(truth, testing::SpreadStars(truth, times, s.E), cond, s.E);
        const StarFixInputs in = testing::MakeInputs(truth, truth.t0 - 2 * kHour, truth.t0, 10.0,
                                                     -10.0, truth.course, truth.speed, cond, s.E);
        s.Lat(6) = in.EstLat, s.Long(6) = in.EstLong;
        s.TimeEstPos = in.TimeEstPos, s.TimeTruePos = in.TimeTruePos;
        s.Course = s.CourseInput = in.Course, s.Speed = s.SpeedInput = in.Speed;
        s.HeightEye = in.HeightEye, s.TempAirC = in.TempAirC, s.TempWaterC = in.TempWaterC;
        s.PressMBars = in.PressMBars;
        s.FixEntered.fill(true);
        s.ChartScale = 0.1;  // as a new fix starts
        ASSERT_EQ(SolveFix(s, false), SolveOutcome::Solved);
        double lat, lon;
        truth.At(truth.t0, s.E, lat, lon);
        EXPECT_LT(60.0 * std::hypot(s.Fix.MppLat - lat,
                                    Norm180(s.Fix.MppLong - lon) * std::cos(lat * kDegToRad)),
                  0.5);
        const SightDetails& l = s.Lines;
        data = {l.Lat(0), l.Long(0), s.Fix.MppLat, s.Fix.MppLong,   l.ObsCount,
                &l.Time,  &l.Body,   &l.Zn,        s.Fix.EllipseEW, s.Fix.EllipseNS};
        w->resize(1100, 760);
        w->show();
        w->Results()->ShowGraphicResults();
    }

    // The chart of the page's fix and zoom on a picture of picLMChart's
    // size, or on an A4 landscape page at 100 dpi; saved as `png` when
    // named.
    DrawnChart Draw(bool paper, const QString& png) {
        const WorkbenchState& s = w->State();
        const QSize size = paper ? QSize(1169, 826) : w->picLMChart->size();
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        ChartCanvas canvas(painter, QRectF(QPointF(), size),
                           paper ? 100 : w->Results()->chartPicture->Dpi());
        DrawnChart d;
        canvas.RecordTexts(&d.texts);
        PrepareGraphData(8, s.LopLength, s.ChartScale, s.Fix.MppLat, s.Fix.MppLong, s.Lines.Zn,
                         s.Lines.Intercept, s.E, d.c);
        EXPECT_TRUE(paper ? DrawPrintedChart(canvas, d.c, true, data)
                          : DrawGraphAxes(canvas, d.c, true) && DrawGraphData(canvas, d.c, data));
        painter.end();
        if (!png.isEmpty()) image.save(test::TestOutputFolder() + "/" + png);
        const auto at = [&](double lon, double lat) {
            return canvas.ToDevice(GraphX(Norm360(lon), d.c.GraphDateLine), lat);
        };
        d.area =
            QRectF(at(d.c.GraphLongMin, d.c.GraphLatMax), at(d.c.GraphLongMax, d.c.GraphLatMin))
                .normalized();
        const double r = 0.0035 * (d.c.GraphLatMax - d.c.GraphLatMin) / canvas.UnitsPerPixelX();
        d.fix = QRectF(-r, -r, 2 * r, 2 * r).translated(at(s.Fix.MppLong, s.Fix.MppLat));
        for (int i = 1; i <= 8; ++i)
            d.lines.emplace_back(at(d.c.LopEndLong(1, i), d.c.LopEndLat(1, i)),
                                 at(d.c.LopEndLong(2, i), d.c.LopEndLat(2, i)));
        return d;
    }

    // The box of sight i's name; null when it was not drawn.
    QRectF NameBox(const DrawnChart& d, int i) const {
        for (const DrawnText& t : d.texts)
            if (t.text == LopLabel(data, i)) return t.box;
        return {};
    }
};

const testing::Track kNearThePole{89.7, 40.0, kDay + 23 * kHour, 70.0, 8.0};
const testing::Track kMidLatitude{35.0, -40.0, kDay + 23 * kHour, 70.0, 14.0};

// Guards the chart of a fix 18' from the pole, which framed latitudes up
// to 97° with the lines a small cluster on screen and ran the longitudes
// round the globe on paper: no label beyond 90°, the frame holds the
// lines, named, and they fill it, on paper as on screen; and zoomed out as
// far as "Decrease chart size" goes, the frame still holds them.
TEST_F(FixChart, NearThePoleOnScreenAndPaper) {
    Solve(kNearThePole);
    // The share of the frame's latitudes the lines take.
    const auto framesTheLines = [this](const DrawnChart& d) {
        const QRegularExpression latitude("^(\\d\\d)°(\\d\\d)'");
        for (const DrawnText& t : d.texts) {
            const auto m = latitude.match(t.text);
            if (!m.hasMatch()) continue;
            EXPECT_LE(m.captured(1).toInt() + m.captured(2).toInt() / 60.0, 90.0)
                << t.text.toStdString();
        }
        const ChartState& c = d.c;
        const double spanLong = Norm360(c.GraphLongMax - c.GraphLongMin);
        double south = 90, north = -90;
        for (int i = 1; i <= 8; ++i) {
            for (int k = 1; k <= 2; ++k) {
                EXPECT_LE(Norm360(c.LopEndLong(k, i) - c.GraphLongMin), spanLong);
                south = std::min(south, c.LopEndLat(k, i));
                north = std::max(north, c.LopEndLat(k, i));
            }
            const QRectF box = NameBox(d, i);
            EXPECT_TRUE(!box.isNull() && d.area.contains(box)) << i;
        }
        EXPECT_GE(south, c.GraphLatMin);
        EXPECT_LE(north, c.GraphLatMax);
        return (north - south) / (c.GraphLatMax - c.GraphLatMin);
    };
    DrawnChart both[2];
    for (bool paper : {false, true}) {
        SCOPED_TRACE(paper ? "paper" : "screen");
        both[paper] = Draw(paper, paper ? "chart_pole_printed.png" : "chart_pole.png");
        EXPECT_GT(framesTheLines(both[paper]), 0.5);
    }
    EXPECT_DOUBLE_EQ(both[0].c.GraphLatMin, both[1].c.GraphLatMin);
    EXPECT_DOUBLE_EQ(both[0].c.GraphLatMax, both[1].c.GraphLatMax);
    const double screenSpan = Norm360(both[0].c.GraphLongMax - both[0].c.GraphLongMin);
    const double paperSpan = Norm360(both[1].c.GraphLongMax - both[1].c.GraphLongMin);
    EXPECT_LT(std::max(screenSpan, paperSpan) / std::min(screenSpan, paperSpan), 1.2);

    for (int k = 0; k < 80; ++k) w->Action("bthChartDecr")->trigger();
    EXPECT_GT(w->State().ChartScale, 3.0);
    framesTheLines(Draw(false, "chart_pole_widest.png"));
    EXPECT_TRUE(script.messages.empty());
}

// Guards the names zoomed in, which were drawn outside the picture or on
// the fix (in taller windows): from the first size to eight presses of
// "Increase chart size", every line that shows is named, and every name
// lies wholly in the data area and clear of the fix, on screen in three
// window shapes and on paper.
TEST_F(FixChart, NamesInsideAndClearOfTheFixAtEveryZoom) {
    for (const testing::Track& truth : {kMidLatitude, kNearThePole}) {
        Solve(truth);
        for (int presses = 0; presses <= 8; ++presses) {
            if (presses > 0) w->Action("bthChartIncr")->trigger();
            for (const QSize shape :
                 {QSize(1100, 760), QSize(900, 1000), QSize(900, 1100), QSize()}) {
                const bool paper = shape.isEmpty();
                if (!paper) w->resize(shape);
                QCoreApplication::processEvents();
                const QString name = QString("chart_zoom_%1_%2_%3")
                                         .arg(truth.lat)
                                         .arg(presses)
                                         .arg(paper ? "printed" : QString::number(shape.height()));
                SCOPED_TRACE(name.toStdString());
                const DrawnChart d = Draw(paper, presses == 8 ? name + ".png" : QString());
                for (int i = 1; i <= 8; ++i) {
                    const QRectF box = NameBox(d, i);
                    if (box.isNull()) {
                        EXPECT_FALSE(d.Shows(i)) << LopLabel(data, i).toStdString();
                        continue;
                    }
                    EXPECT_TRUE(d.area.contains(box)) << LopLabel(data, i).toStdString();
                    EXPECT_FALSE(box.intersects(d.fix)) << LopLabel(data, i).toStdString();
                }
            }
        }
        EXPECT_DOUBLE_EQ(w->State().ChartScale, -0.5);
    }
    EXPECT_TRUE(script.messages.empty());
}

}  // namespace
}  // namespace orvex
