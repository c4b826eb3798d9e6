// The result pages' toolbar buttons and the chart view commands: back to
// the star-fix toolbar, the probability level, chart size, length of the
// lines of position and the grid. The chart itself is drawn by the chart
// module through onRedrawGraph.
#include <QAction>
#include <QToolBar>
#include <cmath>

#include "charts/chart_data.h"
#include "platform/message_box.h"
#include "workbench/frm_proba.h"
#include "workbench/main_window.h"

namespace orvex {

void FrmWorking::ConnectResultActions() {
    auto on = [this](const char* name, auto&& handler) {
        connect(Action(name), &QAction::triggered, this, handler);
    };
    on("bthBackStarFix1", [this] { bthBackStarFix_Click(); });
    on("bthBackStarFix2", [this] { bthBackStarFix_Click(); });
    on("bthPrint1", [this] {
        if (onPrintReport) onPrintReport();
    });
    on("bthPrint2", [this] {
        if (onPrintChart) onPrintChart();
    });
    on("mnuAstroNumPrint", [this] {
        if (onPrintReport) onPrintReport();
    });
    on("mnuAstroGraphPrint", [this] {
        if (onPrintChart) onPrintChart();
    });
    on("bthEllipse1", [this] { bthEllipse_Click(true); });
    on("bthEllipse2", [this] { bthEllipse_Click(false); });
    on("bthChartIncr", [this] { bthChartIncr_Click(); });
    on("bthChartDecr", [this] { bthChartDecr_Click(); });
    on("mnuAstroGraphChartInc", [this] { bthChartIncr_Click(); });
    on("mnuAstroGraphChartDec", [this] { bthChartDecr_Click(); });
    on("bthLopIncr", [this] { bthLopIncr_Click(); });
    on("bthLopDecr", [this] { bthLopDecr_Click(); });
    on("mnuAstroGraphLOPInc", [this] { mnuAstroGraphLOPInc_Click(); });
    on("mnuAstroGraphLOPDec", [this] { mnuAstroGraphLOPDec_Click(); });
    // The grid's three controls mirror one state; each click toggles it.
    for (const char* n : {"bthGrid1", "bthGrid2", "mnuAstroGraphGrid"})
        on(n, [this] { mnuAstroGraphGrid_Click(); });
}

void FrmWorking::RedrawGraph() {
    if (onRedrawGraph) onRedrawGraph();
    picLMChart->setVisible(true);
}

void FrmWorking::bthBackStarFix_Click() {
    // The report or chart stays on screen; only the toolbar and menus change.
    ShowToolbar(tlhStarfix);
    for (const char* n : {"mnuAstroNum", "mnuAstroNumDisp", "mnuAstroGraph", "mnuAstroGraphDisp"})
        Action(n)->setEnabled(true);
    for (const char* n : {"mnuAstroNumPrint", "mnuAstroGraphChart", "mnuAstroGraphLOP",
                          "mnuAstroGraphGrid", "mnuAstroGraphPrint"})
        Action(n)->setEnabled(false);
}

void FrmWorking::bthEllipse_Click(bool numericPage) {
    const double before = state_.Proba;
    FrmProba* dlg = ProbaDialog();
    dlg->BeginShow();
    ExecDialog(*dlg);
    if (state_.Proba == before) return;
    const auto& again = numericPage ? onNumericResults : onGraphicResults;
    if (again) again();
}

// Chart size: the margin steps by 0.1, down to -0.5 (larger chart); the
// comparisons run in tenths so that repeated steps land exactly.
void FrmWorking::bthChartIncr_Click() {
    if (std::lround(state_.ChartScale * 10.0) > -5)
        state_.ChartScale = std::lround(state_.ChartScale * 10.0 - 1.0) / 10.0;
    RedrawGraph();
}

// ... and up to the margin at which the chart would span more than
// kMaxChartSpan (smaller chart).
void FrmWorking::bthChartDecr_Click() {
    const double wider = std::lround(state_.ChartScale * 10.0 + 1.0) / 10.0;
    const WorkbenchState& s = state_;
    try {
        ChartState trial;
        PrepareGraphData(s.Obs.ObsCount, s.LopLength, wider, s.Fix.MppLat, s.Fix.MppLong,
                         s.Obs.ObsZn, s.Obs.ObsIntercept, s.E, trial);
        if (ChartSpan(trial) <= kMaxChartSpan) state_.ChartScale = wider;
    } catch (const ChartError&) {
        // No chart to judge by: the step is taken, and the redraw reports
        // what is wrong with the fix.
        state_.ChartScale = wider;
    }
    RedrawGraph();
}

// Length of the lines: steps of 0.1 below 1, of 1 above; never below 0.1.
void FrmWorking::bthLopIncr_Click() {
    const long tenths = std::lround(state_.LopLength * 10.0);
    state_.LopLength = (tenths < 10 ? tenths + 1 : tenths + 10) / 10.0;
    RedrawGraph();
}

void FrmWorking::bthLopDecr_Click() {
    const long tenths = std::lround(state_.LopLength * 10.0);
    if (tenths > 10)
        state_.LopLength = (tenths - 10) / 10.0;
    else if (tenths > 1)
        state_.LopLength = (tenths - 1) / 10.0;
    RedrawGraph();
}

// The menu's steps are whole ones and stop at 1.
void FrmWorking::mnuAstroGraphLOPInc_Click() {
    state_.LopLength += 1.0;
    RedrawGraph();
}

void FrmWorking::mnuAstroGraphLOPDec_Click() {
    if (state_.LopLength > 1.0) state_.LopLength -= 1.0;
    RedrawGraph();
}

bool FrmWorking::GridShown() const {
    return Action("mnuAstroGraphGrid")->isChecked();
}

void FrmWorking::mnuAstroGraphGrid_Click() {
    // A click on a checkable control has flipped it already: decide from
    // the state kept by the other two.
    const bool wasShown = !Action("bthGrid1")->property("GridDown").toBool();
    const bool show = !wasShown;
    Action("bthGrid1")->setProperty("GridDown", !show);
    Action("bthGrid1")->setChecked(!show);
    Action("bthGrid2")->setChecked(show);
    Action("mnuAstroGraphGrid")->setChecked(show);
    RedrawGraph();
}

}  // namespace orvex
