// The chart view: the lines of position through the most probable position
// drawn on picLMChart, and the chart's print command.
#include <QPainter>
#include <optional>

#include "charts/chart_canvas.h"
#include "charts/chart_picture.h"
#include "charts/core/chart_data.h"
#include "charts/display_graph.h"
#include "charts/print_lib.h"
#include "platform/message_box.h"
#include "platform/rich_text_box.h"
#include "workbench/core/star_fix_session.h"
#include "workbench/results_page.h"

namespace orvex {

namespace {

// The chart draws the lines of position the fix kept, whatever the grid or
// a save has read into the sights since.
GraphData FixGraphData(const StarFixSession& s, const std::string& decSep) {
    GraphData d;
    const SightDetails& lines = s.Lines;
    d.ObsCount = lines.ObsCount;
    d.EstLat = lines.Lat.ubound() >= 0 ? lines.Lat(0) : 0.0;
    d.EstLong = lines.Long.ubound() >= 0 ? lines.Long(0) : 0.0;
    d.MppLat = s.Fix.MppLat;
    d.MppLong = s.Fix.MppLong;
    d.ObsTime = &lines.Time;
    d.ObsBody = &lines.Body;
    d.ObsZn = &lines.Zn;
    d.EllipseEW = s.Fix.EllipseEW;
    d.EllipseNS = s.Fix.EllipseNS;
    d.TimeTruePos = s.TimeTruePos;
    d.Proba = s.Proba;
    d.Course = s.Fix.Course;
    d.Speed = s.Fix.Speed;
    d.DecSep = decSep;
    return d;
}

// Chart data of the current fix into `chart`; an error is reported and
// answers false.
bool PrepareChart(const StarFixSession& s, double lopLength, double chartScale, ChartState& chart) {
    try {
        PrepareGraphData(s.Lines.ObsCount, lopLength, chartScale, s.Fix.MppLat, s.Fix.MppLong,
                         s.Lines.Zn, s.Lines.Intercept, s.E, chart);
        return true;
    } catch (const ChartError& e) {
        ShowMessage(kIconExclamation + kButtonsOk, " ERROR",
                    "Error when preparing the chart.\r\nError " + QString::number(e.Number()) +
                        ": " + QString::fromStdString(e.what()));
        return false;
    }
}

}  // namespace

void ResultsPage::ShowGraphicResults() {
    links_.EnterView(false);
    rtfNumDisp->setVisible(false);
    LayOutViews();
    DrawChart();
    ShowView(picLMChart);
    links_.ViewShown(false);
}

void ResultsPage::DrawChart() {
    QImage image = chartPicture_->NewImage();
    ChartState& chart = context_.Chart;
    if (session_.Lines.ObsCount >= 1 &&
        PrepareChart(session_, context_.LopLength, context_.ChartScale, chart)) {
        QPainter painter(&image);
        ChartCanvas canvas(painter, QRectF(0, 0, image.width(), image.height()),
                           chartPicture_->Dpi());
        DrawGraphAxes(canvas, chart, GridShown(), context_.DecSep);
        DrawGraphData(canvas, chart, FixGraphData(session_, context_.DecSep));
    }
    chartPicture_->Show(image);
}

void ResultsPage::mnuAstroGraphPrint_Click() {
    if (!CheckPrinterInstalled()) return;
    SetWaitCursor(true);
    ShowWaitWindow();

    ProgramPrinter& printer = links_.Printer();
    const StarFixSession& s = session_;
    ChartState& chart = context_.Chart;
    int orientation = 0, quality = 0, colour = 0;
    std::optional<ChartState> prepared;
    const bool done =
        RunPrintSteps({
                          [&] {
                              colour = printer.ColorMode();
                              quality = printer.PrintQuality();
                              orientation = printer.Orientation();
                          },
                          [&] { printer.SetColorMode(kColorModeColour); },
                          [&] { printer.SetPrintQuality(kPrintQualityHigh); },
                          [&] { printer.SetOrientation(kOrientationLandscape); },
                          [&] { printer.Font() = QFont("Arial", printer.Font().pointSize()); },
                          [&] {
                              printer.Step("PrepareGraphData");
                              PrepareGraphData(s.Lines.ObsCount, context_.LopLength,
                                               context_.ChartScale, s.Fix.MppLat, s.Fix.MppLong,
                                               s.Lines.Zn, s.Lines.Intercept, s.E, chart);
                          },
                          [&] {
                              // One page: the axes, the data, then the job to the printer.
                              // A drawing that fails has said "Print aborted": its page is
                              // dropped. A job the printer does not take is drawn afresh
                              // on Retry, from the extents prepared for it.
                              if (!prepared)
                                  prepared = chart;
                              else
                                  chart = *prepared;
                              printer.AbortDoc();
                              if (PrintGraphAxes(chart, GridShown(), context_.DecSep) &&
                                  PrintGraphData(chart, FixGraphData(s, context_.DecSep)))
                                  printer.EndDoc();
                              else
                                  printer.AbortDoc();
                          },
                          [&] { printer.SetColorMode(colour); },
                          [&] { printer.SetPrintQuality(quality); },
                          [&] { printer.SetOrientation(orientation); },
                      },
                      "the chart may not be properly printed.");
    if (!done) return;
    SetWaitCursor(false);
    TellWherePdfWent("The chart");
}

}  // namespace orvex
