// The chart of fixes the program solved from eight sights that ERFA made
// for a ship at a known position, on screen and on paper.
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

struct FixChart : ::testing::Test {
    PlatformScript script;
    test::ProgramFolder folder;
    test::FakeSettings settings;
    std::unique_ptr<FrmWorking> w = test::StartedWindow(settings);
    GraphData data;

    // Eight stars half an hour apart for the ship on `truth`, its dead
    // reckoning 10' out; the fix solved (within 0.5' of the truth) and
    // shown on the graph page at the first size.
    void Solve(const testing::Track& truth) {
        WorkbenchState& s = w->State();
        s.E = testing::Wgs84();
        std::vector<double> times;
        for (int k = 0; k < 8; ++k) times.push_back(truth.t0 - (3.5 - k * 0.5) * kHour);
        s.Obs = testing::MakeSights(truth, testing::SpreadStars(truth, times, s.E), {}, s.E);
        const StarFixInputs in = testing::MakeInputs(truth, truth.t0 - 2 * kHour, truth.t0, 10.0,
                                                     -10.0, truth.course, truth.speed, {}, s.E);
        s.Lat(6) = in.EstLat, s.Long(6) = in.EstLong, s.TimeEstPos = in.TimeEstPos;
        s.TimeTruePos = in.TimeTruePos, s.Course = in.Course, s.Speed = in.Speed;
        s.HeightEye = in.HeightEye, s.TempAirC = in.TempAirC, s.TempWaterC = in.TempWaterC;
        s.PressMBars = in.PressMBars, s.ChartScale = 0.1;
        s.FixEntered.fill(true);
        ASSERT_EQ(SolveFix(s, false), SolveOutcome::Solved);
        double lat, lon;
        truth.At(truth.t0, s.E, lat, lon);
        const double dLon = Norm180(s.Fix.MppLong - lon) * std::cos(lat * kDegToRad);
        EXPECT_LT(60 * std::hypot(s.Fix.MppLat - lat, dLon), 0.5);
        const SightDetails& l = s.Lines;
        data = {l.Lat(0), l.Long(0), s.Fix.MppLat, s.Fix.MppLong,   l.ObsCount,
                &l.Time,  &l.Body,   &l.Zn,        s.Fix.EllipseEW, s.Fix.EllipseNS};
        w->show();
        test::Results(*w)->ShowGraphicResults();
    }

    // The chart of the page's fix and zoom as picLMChart shows it, or on an
    // A4 landscape page at 100 dpi. Checks that no latitude label passes
    // 90°, and that each line that shows in the data area is named there,
    // its name wholly inside, clear of the fix's dot.
    ChartState Draw(bool paper, const QString& png) {
        const WorkbenchState& s = w->State();
        const QSize size = paper ? QSize(1169, 826) : test::ChartBox(*w)->size();
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        ChartCanvas canvas(painter, QRectF(QPointF(), size),
                           paper ? 100 : test::Named<ChartPicture>(w.get(), "chartPicture")->Dpi());
        std::vector<DrawnText> texts;
        canvas.RecordTexts(&texts);
        ChartState c;
        PrepareGraphData(8, s.LopLength, s.ChartScale, s.Fix.MppLat, s.Fix.MppLong, s.Lines.Zn,
                         s.Lines.Intercept, s.E, c);
        EXPECT_TRUE(paper ? DrawPrintedChart(canvas, c, true, data)
                          : DrawGraphAxes(canvas, c, true) && DrawGraphData(canvas, c, data));
        painter.end();
        if (!png.isEmpty()) image.save(test::TestOutputFolder() + "/" + png);
        const auto at = [&](double lon, double lat) {
            return canvas.ToDevice(GraphX(Norm360(lon), c.GraphDateLine), lat);
        };
        const QRectF area =
            QRectF(at(c.GraphLongMin, c.GraphLatMax), at(c.GraphLongMax, c.GraphLatMin))
                .normalized();
        const double r = 0.0035 * (c.GraphLatMax - c.GraphLatMin) / canvas.UnitsPerPixelX();
        const QRectF fix = QRectF(-r, -r, 2 * r, 2 * r).translated(at(data.MppLong, data.MppLat));
        const QRegularExpression latitude("^(\\d\\d)°(\\d\\d)'");
        for (const DrawnText& t : texts)
            if (const auto m = latitude.match(t.text); m.hasMatch()) {
                EXPECT_LE(m.captured(1).toInt() + m.captured(2).toInt() / 60.0, 90.0)
                    << t.text.toStdString();
            }
        for (int i = 1; i <= 8; ++i) {
            SCOPED_TRACE(LopLabel(data, i).toStdString());
            const auto name = std::find_if(texts.begin(), texts.end(), [&](const DrawnText& t) {
                return t.text == LopLabel(data, i);
            });
            const QLineF line(at(c.LopEndLong(1, i), c.LopEndLat(1, i)),
                              at(c.LopEndLong(2, i), c.LopEndLat(2, i)));
            bool shows = false;
            for (int k = 0; k <= 200; ++k) shows = shows || area.contains(line.pointAt(k / 200.0));
            if (name == texts.end()) {
                EXPECT_FALSE(shows);
                continue;
            }
            EXPECT_TRUE(area.contains(name->box));
            EXPECT_FALSE(name->box.intersects(fix));
        }
        return c;
    }
};

// The share of the frame's latitudes the lines take; every end inside it.
double LinesInFrame(const ChartState& c) {
    double south = 90, north = -90;
    for (int i = 1; i <= 8; ++i)
        for (int k = 1; k <= 2; ++k) {
            EXPECT_LE(Norm360(c.LopEndLong(k, i) - c.GraphLongMin),
                      Norm360(c.GraphLongMax - c.GraphLongMin));
            south = std::min(south, c.LopEndLat(k, i));
            north = std::max(north, c.LopEndLat(k, i));
        }
    EXPECT_GE(south, c.GraphLatMin);
    EXPECT_LE(north, c.GraphLatMax);
    return (north - south) / (c.GraphLatMax - c.GraphLatMin);
}

// Guards the chart of a fix 18' from the pole, which framed latitudes up
// to 97° with the lines a small cluster on screen and ran the longitudes
// round the globe on paper; and the names zoomed in, drawn outside the
// picture or on the fix (in taller windows). From the first size to eight
// presses of "Increase chart size", on screen in three window shapes and
// on paper: no latitude beyond 90°, the lines framed alike on screen and
// paper and filling the frame at first, every line that shows named, its
// name in the data area and clear of the fix. Zoomed out at the pole as
// far as "Decrease chart size" goes, the frame still holds the lines.
TEST_F(FixChart, LinesAndNamesAtEveryZoom) {
    for (const testing::Track& truth : {testing::Track{35.0, -40.0, kDay + 23 * kHour, 70.0, 14.0},
                                        testing::Track{89.7, 40.0, kDay + 23 * kHour, 70.0, 8.0}}) {
        Solve(truth);
        for (int presses = 0; presses <= 8; ++presses) {
            if (presses > 0) w->Action("bthChartIncr")->trigger();
            ChartState landscape;
            for (const QSize shape :
                 {QSize(1100, 760), QSize(900, 1000), QSize(900, 1100), QSize()}) {
                const bool paper = shape.isEmpty();
                if (!paper) w->resize(shape);
                QCoreApplication::processEvents();
                const QString name = QString("chart_%1_%2_%3")
                                         .arg(truth.lat)
                                         .arg(presses)
                                         .arg(paper ? 0 : shape.height());
                SCOPED_TRACE(name.toStdString());
                const ChartState c = Draw(paper, presses % 8 ? QString() : name + ".png");
                if (shape.height() == 760) landscape = c;
                if (!paper) continue;
                EXPECT_DOUBLE_EQ(c.GraphLatMin, landscape.GraphLatMin);
                EXPECT_DOUBLE_EQ(c.GraphLatMax, landscape.GraphLatMax);
                const double spans = Norm360(c.GraphLongMax - c.GraphLongMin) /
                                     Norm360(landscape.GraphLongMax - landscape.GraphLongMin);
                EXPECT_NEAR(spans, 1.0, 0.2);
                if (presses == 0) {
                    EXPECT_GT(LinesInFrame(landscape), 0.5);
                    EXPECT_GT(LinesInFrame(c), 0.5);
                }
            }
        }
        EXPECT_DOUBLE_EQ(w->State().ChartScale, -0.5);
    }
    for (int k = 0; k < 80; ++k) w->Action("bthChartDecr")->trigger();
    EXPECT_GT(w->State().ChartScale, 3.0);
    w->resize(1100, 760);
    QCoreApplication::processEvents();
    LinesInFrame(Draw(false, "chart_89.7_widest.png"));
    EXPECT_TRUE(script.messages.empty());
}

}  // namespace
}  // namespace orvex
