// The plotting chart: its drawing on the screen picture, the view commands
// of the graph page and the printed chart (its data from a fix is tested
// without Qt in core/chart_data_test.cpp).
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>

#include "charts/chart_canvas.h"
#include "charts/chart_picture.h"
#include "charts/core/chart_data.h"
#include "charts/display_graph.h"
#include "charts/frm_select_print.h"
#include "charts/print_lib.h"
#include "navlib/date_time.h"
#include "platform/message_box.h"
#include "tests/charts/core/three_sights.h"
#include "workbench/results_page.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

using testing::ThreeSights;

struct DrawnFix {
    ObservationSet obs{4};
    GraphData data;
    ChartState chart;
    ThreeSights f;
    DrawnFix() {
        const double t = MakeDateTime(2024, 3, 20, 20, 0, 0);
        obs.SetSight(1, t + 10.0 / 1440, "SIRIUS", 30, 0);
        obs.SetSight(2, t + 12.0 / 1440, "CAPELLA", 40, 0);
        obs.SetSight(3, t + 14.0 / 1440, "SIRIUS", 30, 0);
        obs.SetSight(4, t + 15.0 / 1440, "VENUS", 20, 0);
        obs.ObsZn(1) = 150;
        obs.ObsZn(2) = 40;
        obs.ObsZn(3) = 165;
        obs.ObsZn(4) = 270;
        obs.ObsIntercept(1) = 1.2 / 60;
        obs.ObsIntercept(2) = -0.8 / 60;
        obs.ObsIntercept(3) = 0.9 / 60;
        obs.ObsIntercept(4) = -1.5 / 60;
        obs.ObsLat(0) = 45.03;
        obs.ObsLong(0) = -30.05;
        data.ObsCount = 4;
        data.EstLat = 45.03;
        data.EstLong = -30.05;
        data.MppLat = 45.0;
        data.MppLong = -30.0;
        data.ObsTime = &obs.ObsTime;
        data.ObsBody = &obs.ObsBody;
        data.ObsZn = &obs.ObsZn;
        data.EllipseEW = 0.02;
        data.EllipseNS = 0.012;
        data.TimeTruePos = t + 15.0 / 1440;
        data.Proba = 0.95;
        data.Course = 72.5;
        data.Speed = 12.3;
        PrepareGraphData(4, 5.0, 0.1, data.MppLat, data.MppLong, obs.ObsZn, obs.ObsIntercept, f.E,
                         chart);
    }
};

// The screen chart, or the printed page, of `data` on `canvas`.
bool DrawChart(ChartCanvas& canvas, ChartState& c, bool paper, bool grid, const GraphData& data) {
    return paper ? DrawPrintedChart(canvas, c, grid, data)
                 : DrawGraphAxes(canvas, c, grid) && DrawGraphData(canvas, c, data);
}

// Guards the labels: a body observed twice carries its time, one observed
// once its name alone; and the legend's pieces word for word.
TEST(ChartDrawing, LabelsAndLegend) {
    DrawnFix d;
    EXPECT_EQ(LopLabel(d.data, 1), "SIRIUS@20:10");
    EXPECT_EQ(LopLabel(d.data, 3), "SIRIUS@20:14");
    EXPECT_EQ(LopLabel(d.data, 2), "CAPELLA");
    const std::vector<QString> p = LegendPieces(d.data);
    ASSERT_EQ(p.size(), 6u);
    EXPECT_EQ(p[0], "Position on 20 Mar 2024 at 20:15:00 GMT:");
    EXPECT_EQ(p[1], "  \u2022 Most Probable Position 45°00'.0 N 030°00'.0 W");
    EXPECT_EQ(p[2], " / Ellipse 95 %");
    EXPECT_EQ(p[3], " / 072°.5 - 12'.3");
    EXPECT_EQ(p[4], "   {+ Estimated Position}       ");
    EXPECT_EQ(p[5], "Orvex 1.2 - May 2004");
}

// Guards the equal-scale fit: a picture twice as wide as high at 60° with
// 0.1° by 0.1° of data gets a 0.1° latitude span and a longitude span of
// 2 x 0.88 x 0.1 / (0.9 x 0.5).
TEST(ChartDrawing, FrameFitsThePicture) {
    PlatformScript script;
    QImage image(800, 400, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    ChartCanvas canvas(painter, QRectF(0, 0, 800, 400), 96);
    ChartState c;
    c.GraphLatMin = 59.95;
    c.GraphLatMax = 60.05;
    c.GraphLongMin = 10.0;
    c.GraphLongMax = 10.1;
    ASSERT_TRUE(DrawGraphAxes(canvas, c, false));
    EXPECT_NEAR(c.GraphLatMax - c.GraphLatMin, 0.1, 1e-9);
    EXPECT_NEAR(c.GraphLongMax - c.GraphLongMin, 2 * 0.88 * 0.1 / (0.9 * 0.5), 1e-6);
    EXPECT_FALSE(c.GraphDateLine);
    EXPECT_TRUE(script.messages.empty());
}

// Guards the drawing: the fix a blue dot where its position falls, the
// estimated position a magenta cross, the frame on white; and the picture
// saved for people to look at.
TEST(ChartDrawing, ScreenChartShowsTheFix) {
    PlatformScript script;
    DrawnFix d;
    for (bool grid : {false, true}) {
        QImage image(1000, 700, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        ChartCanvas canvas(painter, QRectF(0, 0, 1000, 700), 96);
        ChartState c = d.chart;
        ASSERT_TRUE(DrawGraphAxes(canvas, c, grid));
        ASSERT_TRUE(DrawGraphData(canvas, c, d.data));
        painter.end();
        image.save(test::TestOutputFolder() + (grid ? "/chart_grid.png" : "/chart.png"));
        const QPoint mpp = canvas.ToDevice(GraphX(330.0, c.GraphDateLine), 45.0).toPoint();
        EXPECT_EQ(image.pixelColor(mpp), QColor(0, 0, 255));
        // The pixel under the cross's centre, which both of its strokes cover.
        const QPointF est = canvas.ToDevice(GraphX(329.95, c.GraphDateLine), 45.03);
        EXPECT_EQ(image.pixelColor(std::floor(est.x()), std::floor(est.y())), QColor(255, 0, 255));
        EXPECT_EQ(image.pixelColor(990, 5), QColor(Qt::white));
    }
    EXPECT_TRUE(script.messages.empty());
}

// Guards the printed page's drawing: the legend line under the chart and
// the page in black; saved as a preview for people to look at.
TEST(ChartDrawing, PrintedPagePreview) {
    PlatformScript script;
    DrawnFix d;
    QImage image(1169, 826, QImage::Format_ARGB32_Premultiplied);  // A4 landscape at 100 dpi
    QPainter painter(&image);
    ChartCanvas canvas(painter, QRectF(0, 0, image.width(), image.height()), 100);
    ASSERT_TRUE(DrawPrintedChart(canvas, d.chart, true, d.data));
    painter.end();
    image.save(test::TestOutputFolder() + "/chart_printed_page.png");
    // Black cross on the estimated position, no colour anywhere.
    const QColor est =
        image.pixelColor(canvas.ToDevice(GraphX(329.95, d.chart.GraphDateLine), 45.03).toPoint());
    EXPECT_LT(est.red() + est.green() + est.blue(), 100);
    EXPECT_TRUE(script.messages.empty());
}

// The axis labels among the texts drawn: minutes or degrees, not a body
// name nor a piece of the legend.
std::vector<DrawnText> AxisLabels(const std::vector<DrawnText>& drawn, const GraphData& data) {
    const std::vector<QString> legend = LegendPieces(data);
    std::vector<DrawnText> labels;
    for (const DrawnText& t : drawn)
        if (t.text.contains('\'') &&
            std::find(legend.begin(), legend.end(), t.text) == legend.end())
            labels.push_back(t);
    return labels;
}

void ExpectApart(const std::vector<DrawnText>& texts) {
    for (size_t i = 0; i < texts.size(); ++i)
        for (size_t j = i + 1; j < texts.size(); ++j)
            EXPECT_FALSE(texts[i].box.intersects(texts[j].box))
                << texts[i].text.toStdString() << " / " << texts[j].text.toStdString();
}

// The chart of `d` drawn on a screen-sized picture (96 dpi) or an A4
// landscape page (100 dpi), with every text it drew, and left as `png` in
// the test output folder for a person to look at.
struct ChartPicture {
    QImage image;
    QPainter painter;
    ChartCanvas canvas;
    std::vector<DrawnText> drawn;
    ChartState c;
    bool drawnOk = false;
    ChartPicture(const DrawnFix& d, bool paper, bool grid, const QString& png)
        : image(paper ? 1169 : 1000, paper ? 826 : 700, QImage::Format_ARGB32_Premultiplied),
          painter(&image),
          canvas(painter, QRectF(0, 0, image.width(), image.height()), paper ? 100 : 96),
          c(d.chart) {
        canvas.RecordTexts(&drawn);
        drawnOk = DrawChart(canvas, c, paper, grid, d.data);
        painter.end();
        image.save(test::TestOutputFolder() + "/" + png);
    }
};

// Guards the axes of a chart with a bad sight: one label and one grid line
// per whole minute ran the labels together from 2' on and turned the
// gridded chart grey at 25'. On screen and on paper no two axis labels
// overlap, each axis keeps labels, and grid lines stay apart.
TEST(ChartDrawing, AxisLabelsStayApartWhateverTheIntercept) {
    PlatformScript script;
    for (double worst : {0.5, 3.0, 25.0}) {
        DrawnFix d;
        for (int i = 1; i <= 4; ++i)
            d.obs.ObsIntercept(i) = std::min(std::fabs(d.obs.ObsIntercept(i)), worst / 60);
        d.obs.ObsIntercept(1) = -worst / 60;
        PrepareGraphData(4, 5.0, 0.1, 45.0, -30.0, d.obs.ObsZn, d.obs.ObsIntercept, d.f.E, d.chart);
        for (bool paper : {false, true}) {
            SCOPED_TRACE(std::to_string(worst) + (paper ? "' on paper" : "' on screen"));
            ChartPicture pic(
                d, paper, true,
                QString("chart_intercept_%1%2.png").arg(worst).arg(paper ? "_printed" : ""));
            ASSERT_TRUE(pic.drawnOk);
            const std::vector<DrawnText> labels = AxisLabels(pic.drawn, d.data);
            ExpectApart(labels);
            EXPECT_GE(labels.size(), 6u);
            // Grid lines at least a label's height apart.
            EXPECT_GT(pic.c.GraphLatStep / std::fabs(pic.canvas.UnitsPerPixelY()), 12.0);
            EXPECT_GT(pic.c.GraphLongStep / std::fabs(pic.canvas.UnitsPerPixelX()), 12.0);
        }
    }
    EXPECT_TRUE(script.messages.empty());
}

// Guards the printed legend, which overprinted the longitude labels when
// the font drawn was taller than its design (or the page shorter, as A5):
// the legend keeps below the labels, inside the page.
TEST(ChartDrawing, PrintedLegendKeepsClearOfTheLabels) {
    PlatformScript script;
    DrawnFix d;
    for (QSize page : {QSize(1169, 826), QSize(827, 583)}) {  // A4 and A5 landscape, 100 dpi
        QImage image(page, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        ChartCanvas canvas(painter, QRectF(QPointF(0, 0), page), 100);
        std::vector<DrawnText> drawn;
        canvas.RecordTexts(&drawn);
        ChartState c = d.chart;
        ASSERT_TRUE(DrawPrintedChart(canvas, c, false, d.data));
        painter.end();
        image.save(test::TestOutputFolder() + QString("/chart_printed_%1.png").arg(page.width()));
        const std::vector<QString> legend = LegendPieces(d.data);
        const std::vector<DrawnText> labels = AxisLabels(drawn, d.data);
        size_t pieces = 0;
        for (const DrawnText& t : drawn)
            if (std::find(legend.begin(), legend.end(), t.text) != legend.end()) {
                ++pieces;
                EXPECT_LE(t.box.bottom(), page.height());
                for (const DrawnText& label : labels)
                    EXPECT_FALSE(t.box.intersects(label.box)) << label.text.toStdString();
            }
        EXPECT_EQ(pieces, legend.size());
    }
    EXPECT_TRUE(script.messages.empty());
}

// Guards the label strips of a narrow picture, which the lines of position
// crossed: the data drawing stays inside the data area.
TEST(ChartDrawing, DataStaysInsideTheDataArea) {
    PlatformScript script;
    DrawnFix d;
    QImage axes(300, 700, QImage::Format_ARGB32_Premultiplied);
    axes.fill(Qt::white);
    QImage full = axes;
    QRect area;
    for (QImage* image : {&axes, &full}) {
        QPainter painter(image);
        ChartCanvas canvas(painter, QRectF(0, 0, 300, 700), 96);
        ChartState c = d.chart;
        ASSERT_TRUE(DrawGraphAxes(canvas, c, false));
        if (image == &full) {
            ASSERT_TRUE(DrawGraphData(canvas, c, d.data));
        }
        area = QRectF(canvas.ToDevice(GraphX(c.GraphLongMin, false), c.GraphLatMax),
                      canvas.ToDevice(GraphX(c.GraphLongMax, false), c.GraphLatMin))
                   .toAlignedRect();
    }
    full.save(test::TestOutputFolder() + "/chart_narrow.png");
    int outside = 0;
    for (int y = 0; y < 700; ++y)
        for (int x = 0; x < 300; ++x)
            outside +=
                !area.adjusted(-1, -1, 1, 1).contains(x, y) && axes.pixel(x, y) != full.pixel(x, y);
    EXPECT_EQ(outside, 0);
    EXPECT_NE(axes, full);
}

// Guards a frame over the 0° meridian: drawn continuously in the
// -180..180 form, with ticks across the meridian.
TEST(ChartDrawing, PrimeMeridianChart) {
    PlatformScript script;
    DrawnFix d;
    d.data.MppLong = 0.0;
    d.data.EstLong = -0.03;
    PrepareGraphData(4, 5.0, 0.1, 0.0 + 45.0, 0.0, d.obs.ObsZn, d.obs.ObsIntercept, d.f.E, d.chart);
    QImage image(900, 600, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    ChartCanvas canvas(painter, QRectF(0, 0, 900, 600), 96);
    ASSERT_TRUE(DrawGraphAxes(canvas, d.chart, true));
    EXPECT_TRUE(d.chart.GraphDateLine);
    ASSERT_TRUE(DrawGraphData(canvas, d.chart, d.data));
    painter.end();
    image.save(test::TestOutputFolder() + "/chart_prime_meridian.png");
    const QColor dot = image.pixelColor(canvas.ToDevice(0.0, 45.0).toPoint());
    EXPECT_GT(dot.blue(), 240);
    EXPECT_LT(dot.red() + dot.green(), 20);
    EXPECT_TRUE(script.messages.empty());
}

// Guards the error boxes word for word: a flat ellipse (EW 0, NS not 0)
// ends the data drawing at the ellipse; a picture without height stops the
// axes.
TEST(ChartDrawing, ErrorsAreReported) {
    PlatformScript script;
    DrawnFix d;
    d.data.EllipseEW = 0.0;
    QImage image(600, 400, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    ChartCanvas canvas(painter, QRectF(0, 0, 600, 400), 96);
    ASSERT_TRUE(DrawGraphAxes(canvas, d.chart, false));
    EXPECT_FALSE(DrawGraphData(canvas, d.chart, d.data));
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, " ERROR");
    EXPECT_EQ(script.messages[0].text, "Error when plotting data.\r\nError 11: Division by zero");
    EXPECT_EQ(script.messages[0].style, kIconExclamation + kButtonsOk);

    ChartCanvas flat(painter, QRectF(0, 0, 600, 0), 96);
    EXPECT_FALSE(DrawGraphAxes(flat, d.chart, false));
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(script.messages[1].text, "Error when plotting axis.\r\nError 11: Division by zero");
}

// Guards a fix without an ellipse (two sights: both half-axes zero), which
// drew a line of +-1° right across the chart on screen and on paper: no
// ellipse is drawn, and no message.
TEST(ChartDrawing, NoEllipseWithoutHalfAxes) {
    PlatformScript script;
    DrawnFix d;
    d.data.EllipseEW = d.data.EllipseNS = 0.0;
    for (bool paper : {false, true}) {
        QImage image(1000, 700, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        ChartCanvas canvas(painter, QRectF(0, 0, 1000, 700), 96);
        ChartState c = d.chart;
        ASSERT_TRUE(DrawChart(canvas, c, paper, false, d.data));
        painter.end();
        // Along the fix's parallel only the lines of position and the dot.
        const QPoint from =
            canvas.ToDevice(GraphX(c.GraphLongMin, c.GraphDateLine), 45.0).toPoint();
        int inked = 0;
        for (int x = from.x() + 3; x < image.width(); ++x)
            inked += image.pixelColor(x, from.y()) != QColor(Qt::white);
        EXPECT_LT(inked, 60) << (paper ? "paper" : "screen");
    }
    EXPECT_TRUE(script.messages.empty());
}

// Guards the labels of nearly parallel lines of position (a star and
// three Sun sights of a course-and-speed fix), which overprinted each
// other at the lines' common end: on screen and on paper no two labels,
// body or axis, touch, and each body's label lies whole in the data area.
TEST(ChartDrawing, LabelsOfNearParallelLinesKeepApart) {
    PlatformScript script;
    for (double zn : {250.0, 88.0, 2.0}) {
        DrawnFix d;
        const double t = MakeDateTime(2026, 6, 21, 15, 0, 0);
        const char* bodies[] = {"ARCTURUS", "SUNLOW", "SUNLOW", "SUNLOW"};
        const double intercepts[] = {0.6, 0.5, 0.7, 0.55};
        for (int i = 1; i <= 4; ++i) {
            d.obs.SetSight(i, t + i * 7.0 / 1440, bodies[i - 1], 30, 0);
            d.obs.ObsZn(i) = zn + 1.2 * i;
            d.obs.ObsIntercept(i) = intercepts[i - 1] / 60;
        }
        PrepareGraphData(4, 5.0, 0.1, 45.0, -30.0, d.obs.ObsZn, d.obs.ObsIntercept, d.f.E, d.chart);
        for (bool paper : {false, true}) {
            SCOPED_TRACE(std::to_string(zn) + (paper ? " on paper" : " on screen"));
            ChartPicture pic(
                d, paper, false,
                QString("chart_parallel_%1%2.png").arg(zn).arg(paper ? "_printed" : ""));
            ASSERT_TRUE(pic.drawnOk);
            const ChartState& c = pic.c;
            const ChartCanvas& canvas = pic.canvas;
            const std::vector<DrawnText>& drawn = pic.drawn;
            std::vector<DrawnText> labels = AxisLabels(drawn, d.data);
            const QRectF area =
                QRectF(canvas.ToDevice(GraphX(c.GraphLongMin, c.GraphDateLine), c.GraphLatMax),
                       canvas.ToDevice(GraphX(c.GraphLongMax, c.GraphDateLine), c.GraphLatMin))
                    .normalized();
            for (int i = 1; i <= 4; ++i) {
                const auto it = std::find_if(drawn.begin(), drawn.end(), [&](const DrawnText& x) {
                    return x.text == LopLabel(d.data, i);
                });
                ASSERT_NE(it, drawn.end()) << LopLabel(d.data, i).toStdString();
                EXPECT_TRUE(area.contains(it->box)) << it->text.toStdString();
                labels.push_back(*it);
            }
            ExpectApart(labels);
        }
    }
    EXPECT_TRUE(script.messages.empty());
}

// ---- The graph page of the main window ------------------------------------------

struct GraphPage : ::testing::Test {
    PlatformScript script;
    test::ProgramFolder folder;
    test::FakeSettings settings;
    std::unique_ptr<FrmWorking> w;
    void SetUp() override {
        w = test::StartedWindow(settings);
        w->resize(1100, 760);
        w->show();
        DrawnFix d;
        WorkbenchState& s = w->State();
        s.Obs = d.obs;
        s.Lines = {4,           d.obs.ObsTime, d.obs.ObsBody,      d.obs.ObsLat, d.obs.ObsLong,
                   d.obs.ObsHo, d.obs.ObsHc,   d.obs.ObsIntercept, d.obs.ObsZn,  {}};
        s.Fix.MppLat = 45.0;
        s.Fix.MppLong = -30.0;
        s.Fix.EllipseEW = 0.02;
        s.Fix.EllipseNS = 0.012;
        s.Fix.Course = 72.5;
        s.Fix.Speed = 12.3;
        s.TimeTruePos = d.data.TimeTruePos;
        test::Results(*w)->ShowGraphicResults();
    }
    QImage Chart() const { return test::ChartImage(*w); }
};

// Guards the view commands: their limits, a redraw at every command even
// at a limit, and no recomputation of the fix.
TEST_F(GraphPage, ViewCommandsRedrawWithinTheirLimits) {
    WorkbenchState& s = w->State();
    ASSERT_FALSE(Chart().isNull());
    test::ChartBox(*w)->grab().save(test::TestOutputFolder() + "/graph_page_chart.png");
    w->grab().save(test::TestOutputFolder() + "/graph_page_window.png");
    double before = s.Chart.GraphLatMax - s.Chart.GraphLatMin;
    for (int k = 1; k <= 7; ++k) {
        w->Action("mnuAstroGraphChartInc")->trigger();
        const double span = s.Chart.GraphLatMax - s.Chart.GraphLatMin;
        if (k <= 6) {
            EXPECT_LT(span, before) << k;  // larger chart: less sea
        } else {
            EXPECT_DOUBLE_EQ(span, before);  // at the limit: redrawn alike
        }
        before = span;
    }
    EXPECT_DOUBLE_EQ(s.ChartScale, -0.5);
    w->Action("mnuAstroGraphChartDec")->trigger();
    EXPECT_DOUBLE_EQ(s.ChartScale, -0.4);

    s.LopLength = 1.0;
    w->Action("mnuAstroGraphLOPDec")->trigger();
    EXPECT_DOUBLE_EQ(s.LopLength, 1.0);
    s.LopLength = 5.0;
    w->Action("mnuAstroGraphLOPDec")->trigger();
    EXPECT_DOUBLE_EQ(s.LopLength, 4.0);
    const double lop4 = s.Chart.LopEndLat(1, 2);
    w->Action("mnuAstroGraphLOPInc")->trigger();
    EXPECT_DOUBLE_EQ(s.LopLength, 5.0);
    EXPECT_NE(s.Chart.LopEndLat(1, 2), lop4);
    // The fix is not computed again (from inputs that would refuse it).
    EXPECT_DOUBLE_EQ(s.Fix.MppLat, 45.0);
    EXPECT_TRUE(script.messages.empty());
    EXPECT_TRUE(test::ChartBox(*w)->isVisible());
}

// Guards "Decrease chart size", which had no limit: fifty presses drew
// latitudes -142..109 in a 14 s redraw. The step stops where the chart
// would span more than 10° of latitude; a refused press still redraws.
TEST_F(GraphPage, ChartSizeDecreaseStopsAtTenDegrees) {
    WorkbenchState& s = w->State();
    int redraws = 0;
    for (int k = 0; k < 80; ++k) {
        const qint64 drawing = Chart().cacheKey();
        w->Action("bthChartDecr")->trigger();
        redraws += Chart().cacheKey() != drawing;
    }
    EXPECT_EQ(redraws, 80);
    EXPECT_LE(s.Chart.GraphLatMax - s.Chart.GraphLatMin, 10.0);
    EXPECT_GT(s.Chart.GraphLatMax - s.Chart.GraphLatMin, 5.0);
    const double widest = s.ChartScale;
    w->Action("mnuAstroGraphChartDec")->trigger();
    EXPECT_EQ(s.ChartScale, widest);
    w->Action("bthChartIncr")->trigger();
    EXPECT_NEAR(s.ChartScale, widest - 0.1, 1e-12);
    EXPECT_TRUE(script.messages.empty());
}

// Guards the grid toggle: twice returns buttons, check mark and picture to
// their first state; once changes the picture.
TEST_F(GraphPage, GridToggleRedraws) {
    const QImage first = Chart();
    const bool shown = w->Action("mnuAstroGraphGrid")->isChecked();
    w->Action("mnuAstroGraphGrid")->trigger();
    EXPECT_NE(w->Action("mnuAstroGraphGrid")->isChecked(), shown);
    EXPECT_NE(Chart(), first);
    test::ChartBox(*w)->grab().save(test::TestOutputFolder() + "/graph_page_grid.png");
    w->Action("mnuAstroGraphGrid")->trigger();
    EXPECT_EQ(w->Action("mnuAstroGraphGrid")->isChecked(), shown);
    EXPECT_EQ(w->Action("bthGrid2")->isChecked(), shown);
    EXPECT_EQ(w->Action("bthGrid1")->isChecked(), !shown);
    EXPECT_EQ(Chart(), first);
}

// Guards the resize: the chart is drawn again for the new shape.
TEST_F(GraphPage, ResizeRedrawsForTheNewShape) {
    w->resize(900, 900);
    QCoreApplication::processEvents();
    EXPECT_EQ(Chart().size(), test::ChartBox(*w)->size());
}

// ---- The printed chart ---------------------------------------------------------------

struct ChartPrint : GraphPage {
    QTemporaryDir dir;
    std::unique_ptr<PrinterScript> printers;
    void SetUp() override {
        GraphPage::SetUp();
        printers = std::make_unique<PrinterScript>();
        printers->printers = {"Bridge printer"};
        printers->folder = dir.path();
    }
    void TearDown() override { printers.reset(); }
};

bool Has(const std::vector<QString>& list, const QString& name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// Guards the chart print: one landscape page, the wait window shown, the
// printer settings given back, the screen chart untouched.
TEST_F(ChartPrint, OneLandscapePage) {
    ProgramPrinter& p = ProgramPrinter::Instance();
    p.SetOrientation(kOrientationPortrait);
    const QImage screen = Chart();
    w->Action("mnuAstroGraphPrint")->trigger();
    ASSERT_EQ(printers->jobs.size(), 1);
    EXPECT_EQ(printers->jobPages[0], 1);
    const QByteArray pdf = ReadFile(printers->jobs[0]);
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    const QRegularExpression box("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]");
    const auto match = box.match(QString::fromLatin1(pdf));
    ASSERT_TRUE(match.hasMatch());
    EXPECT_GT(match.captured(1).toDouble(), match.captured(2).toDouble());  // landscape
    EXPECT_EQ(p.Orientation(), kOrientationPortrait);
    EXPECT_EQ(p.ColorMode(), kColorModeColour);
    EXPECT_TRUE(Has(script.dialogs, "frmWait"));
    EXPECT_TRUE(script.messages.empty());
    EXPECT_EQ(Chart(), screen);
}

// Guards the chart printed into the PDF file chosen in Print Setup, which
// said nothing of the file it wrote.
TEST_F(ChartPrint, SaysWhichPdfFileItWrote) {
    const QString pdf = dir.filePath("chart.pdf");
    ProgramPrinter::Instance().TakePdfSetup(pdf, nullptr);
    w->Action("mnuAstroGraphPrint")->trigger();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, " Print to file");
    EXPECT_EQ(script.messages[0].text,
              "The chart was printed into the file\r\n" + QDir::toNativeSeparators(pdf));
    EXPECT_TRUE(ReadFile(pdf).startsWith("%PDF"));
}

// Guards the chart print's errors word for word: no printer; a printer
// not ready at the end of the job (Cancel); the driver box; a setting
// refused with 380 still prints; a drawing failure says "PRINTER PROBLEM".
TEST_F(ChartPrint, ErrorPaths) {
    printers->printers.clear();
    test::RunAction(*w, "bthPrint2");
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, "NO PRINTER");
    EXPECT_TRUE(script.messages[0].text.startsWith("Sorry, no printer connected to your system."));
    EXPECT_EQ(script.messages[0].style, kIconCritical + kButtonsOk);
    EXPECT_FALSE(Has(script.dialogs, "frmWait"));
    printers->printers = {"Bridge printer"};

    script.Clear();
    script.answers = {kAnswerCancel};
    printers->fault = [](const QString& step) {
        if (step == "EndDoc") throw PrinterError(482, "Printer error");
    };
    test::RunAction(*w, "bthPrint2");
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, "PRINTER NOT READY");
    EXPECT_EQ(script.messages[0].text, "Please check your printer and retry.");
    EXPECT_TRUE(printers->jobs.isEmpty());
    EXPECT_FALSE(ProgramPrinter::Instance().JobOpen());

    script.Clear();
    script.answers = {kAnswerCancel};
    printers->fault = [](const QString& step) {
        if (step == "SetOrientation") throw PrinterError(483, "Not supported");
    };
    test::RunAction(*w, "bthPrint2");
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, "PRINTER DRIVER PROBLEM");
    EXPECT_EQ(script.messages[0].text,
              "Due to your printer driver,\r\nthe chart may not be properly printed.");

    script.Clear();
    printers->fault = [](const QString& step) {
        if (step == "SetPrintQuality") throw PrinterError(380, "Invalid property value");
    };
    test::RunAction(*w, "bthPrint2");
    EXPECT_TRUE(script.messages.empty());
    ASSERT_EQ(printers->jobs.size(), 1);

    // A drawing that fails (the axes, or the data up to the ellipse) says
    // "Print aborted", and its page is indeed not printed.
    for (const QString failing : {"PrintGraphAxes", "PrintGraphData"}) {
        script.Clear();
        printers->fault = [failing](const QString& step) {
            if (step == failing) throw PrinterError(482, "Printer error");
        };
        test::RunAction(*w, "bthPrint2");
        ASSERT_EQ(script.messages.size(), 1u);
        EXPECT_EQ(script.messages[0].title, "PRINTER PROBLEM");
        EXPECT_EQ(script.messages[0].text, "Trouble with your printer. Print aborted.");
        EXPECT_EQ(printers->jobs.size(), 1);
    }

    // A job the printer does not take is reported, at every step.
    printers->fault = nullptr;
    for (const char* call : {"End", "Spool"}) {
        script.Clear();
        script.answers = {kAnswerCancel};
        printers->refuse = {call};
        test::RunAction(*w, "bthPrint2");
        ASSERT_EQ(script.messages.size(), 1u) << call;
        EXPECT_EQ(script.messages[0].title, "PRINTER NOT READY");
    }
    EXPECT_EQ(printers->jobs.size(), 1);
    EXPECT_FALSE(ProgramPrinter::Instance().JobOpen());
}

// ---- The report print command -------------------------------------------------------------

// Guards the report print: Cancel in the printer choice prints nothing and
// leaves the settings; Print prints the report portrait and gives the
// settings back.
TEST_F(ChartPrint, ReportPrintFollowsThePrinterChoice) {
    test::ReportBox(*w)->setHtml("<p><b>Most probable position</b> 45°00'.0 N 030°00'.0 W</p>");
    ProgramPrinter& p = ProgramPrinter::Instance();
    p.SetOrientation(kOrientationLandscape);
    script.Clear();
    test::RunAction(*w, "bthPrint1");  // rejected by default: Cancel
    EXPECT_EQ(script.dialogs, std::vector<QString>{"frmSelectPrint"});
    EXPECT_TRUE(printers->jobs.isEmpty());
    EXPECT_EQ(p.Orientation(), kOrientationLandscape);

    script.Clear();
    script.dialogHandler = [](QDialog& dlg) {
        if (auto* choice = qobject_cast<FrmSelectPrint*>(&dlg)) test::ClickIn(*choice, "cmdOK");
        return static_cast<int>(QDialog::Accepted);
    };
    w->Action("mnuAstroNumPrint")->trigger();
    EXPECT_EQ(script.dialogs, (std::vector<QString>{"frmSelectPrint", "frmWait"}));
    ASSERT_EQ(printers->jobs.size(), 1);
    EXPECT_EQ(printers->jobPages[0], 1);
    const QRegularExpression box("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]");
    const auto match = box.match(QString::fromLatin1(ReadFile(printers->jobs[0])));
    ASSERT_TRUE(match.hasMatch());
    EXPECT_LT(match.captured(1).toDouble(), match.captured(2).toDouble());  // portrait
    EXPECT_EQ(p.Orientation(), kOrientationLandscape);
    EXPECT_EQ(test::ReportBox(*w)->SelStart(), 0);
    EXPECT_TRUE(script.messages.empty());
}

// Guards the report print's error handling: a colour mode refused with
// 380 still prints silently; a printer not ready at the page's start
// offers Retry, and Retry prints the whole report once.
TEST_F(ChartPrint, ReportPrintErrors) {
    test::ReportBox(*w)->setHtml("<p>Report</p>");
    script.dialogHandler = [](QDialog& dlg) {
        if (auto* choice = qobject_cast<FrmSelectPrint*>(&dlg)) test::ClickIn(*choice, "cmdOK");
        return static_cast<int>(QDialog::Accepted);
    };
    printers->fault = [](const QString& step) {
        if (step == "SetColorMode") throw PrinterError(380, "Invalid property value");
    };
    script.Clear();
    test::RunAction(*w, "bthPrint1");
    EXPECT_TRUE(script.messages.empty());
    ASSERT_EQ(printers->jobs.size(), 1);

    int fails = 1;
    printers->fault = [&fails](const QString& step) {
        if (step == "Open" && fails-- > 0)
            throw PrinterError(484, "Printer information unavailable");
    };
    script.answers = {kAnswerRetry};
    test::RunAction(*w, "bthPrint1");
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, "PRINTER NOT READY");
    EXPECT_EQ(script.messages[0].text, "Please check your printer and retry.");
    ASSERT_EQ(printers->jobs.size(), 2);
    EXPECT_EQ(printers->jobPages[1], 1);

    // No printer: the box alone, no printer choice.
    printers->printers.clear();
    script.Clear();
    test::RunAction(*w, "bthPrint1");
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, "NO PRINTER");
    EXPECT_TRUE(script.dialogs.empty());
}

}  // namespace
}  // namespace orvex
