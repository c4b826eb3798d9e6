// The results page's construction and the chart's view commands: the
// probability level, chart size, length of the lines of position.
#include "workbench/results_page.h"

#include <QEvent>
#include <QTimer>
#include <cmath>

#include "charts/chart_picture.h"
#include "charts/core/chart_data.h"
#include "platform/message_box.h"
#include "platform/rich_text_box.h"
#include "workbench/frm_proba.h"
#include "workbench/frm_wait.h"
#include "workbench/workbench_state.h"

namespace orvex {

ResultsPage::ResultsPage(WorkbenchState& state, ResultsLinks links, QWidget* parent)
    : QWidget(parent), state_(state), links_(std::move(links)) {
    setObjectName("ResultsPage");
    rtfNumDisp = new RichTextBox(this);
    rtfNumDisp->setObjectName("rtfNumDisp");
    rtfNumDisp->setReadOnly(true);
    rtfNumDisp->setVisible(false);
    picLMChart = new QWidget(this);
    picLMChart->setObjectName("picLMChart");
    picLMChart->setAutoFillBackground(true);
    {
        QPalette pal = picLMChart->palette();
        pal.setColor(QPalette::Window, Qt::white);
        picLMChart->setPalette(pal);
    }
    picLMChart->setVisible(false);
    setVisible(false);
    for (QWidget* view : {static_cast<QWidget*>(rtfNumDisp), picLMChart})
        view->installEventFilter(this);

    chartPicture = new ChartPicture(picLMChart);
    chartPicture->onResize = [this] { DrawChart(); };
    onRedrawGraph = [this] { DrawChart(); };
    onPrintReport = [this] { mnuAstroNumPrint_Click(); };
    onPrintChart = [this] { mnuAstroGraphPrint_Click(); };
}

// The page shows while one of its views does, so that a view shown or
// hidden by the window is seen as before.
bool ResultsPage::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShowToParent:
            setVisible(true);
            break;
        case QEvent::HideToParent:
            if (rtfNumDisp->isHidden() && picLMChart->isHidden()) setVisible(false);
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

void ResultsPage::RedrawGraph() {
    if (onRedrawGraph) onRedrawGraph();
    picLMChart->setVisible(true);
}

void ResultsPage::PrintReport() {
    if (onPrintReport) onPrintReport();
}

void ResultsPage::PrintChart() {
    if (onPrintChart) onPrintChart();
}

// The wait window, its bar stepping every 20 ms, shown modally until full.
void ResultsPage::ShowWaitWindow() {
    FrmWait* wait = links_.WaitDialog();
    wait->tmrWait->setInterval(20);
    wait->tmrWait->start();
    ExecDialog(*wait);
    wait->tmrWait->stop();
}

void ResultsPage::bthEllipse_Click(bool numericPage) {
    const double before = state_.Proba;
    FrmProba* dlg = links_.ProbaDialog();
    dlg->BeginShow();
    ExecDialog(*dlg);
    if (state_.Proba == before) return;
    const auto& again = numericPage ? links_.NumericResults : links_.GraphicResults;
    if (again) again();
}

// Chart size: the margin steps by 0.1, down to -0.5 (larger chart); the
// comparisons run in tenths so that repeated steps land exactly.
void ResultsPage::bthChartIncr_Click() {
    if (std::lround(state_.ChartScale * 10.0) > -5)
        state_.ChartScale = std::lround(state_.ChartScale * 10.0 - 1.0) / 10.0;
    RedrawGraph();
}

// ... and up to the margin at which the chart would span more than
// kMaxChartSpan (smaller chart).
void ResultsPage::bthChartDecr_Click() {
    const double wider = std::lround(state_.ChartScale * 10.0 + 1.0) / 10.0;
    const WorkbenchState& s = state_;
    try {
        ChartState trial;
        PrepareGraphData(s.Lines.ObsCount, s.LopLength, wider, s.Fix.MppLat, s.Fix.MppLong,
                         s.Lines.Zn, s.Lines.Intercept, s.E, trial);
        if (ChartSpan(trial) <= kMaxChartSpan) state_.ChartScale = wider;
    } catch (const ChartError&) {
        // No chart to judge by: the step is taken, and the redraw reports
        // what is wrong with the fix.
        state_.ChartScale = wider;
    }
    RedrawGraph();
}

// Length of the lines: steps of 0.1 below 1, of 1 above; never below 0.1.
void ResultsPage::bthLopIncr_Click() {
    const long tenths = std::lround(state_.LopLength * 10.0);
    state_.LopLength = (tenths < 10 ? tenths + 1 : tenths + 10) / 10.0;
    RedrawGraph();
}

void ResultsPage::bthLopDecr_Click() {
    const long tenths = std::lround(state_.LopLength * 10.0);
    if (tenths > 10)
        state_.LopLength = (tenths - 10) / 10.0;
    else if (tenths > 1)
        state_.LopLength = (tenths - 1) / 10.0;
    RedrawGraph();
}

// The menu's steps are whole ones and stop at 1.
void ResultsPage::mnuAstroGraphLOPInc_Click() {
    state_.LopLength += 1.0;
    RedrawGraph();
}

void ResultsPage::mnuAstroGraphLOPDec_Click() {
    if (state_.LopLength > 1.0) state_.LopLength -= 1.0;
    RedrawGraph();
}

}  // namespace orvex
