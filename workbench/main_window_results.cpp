// The result pages' toolbar buttons and menu items: each runs its handler on
// the results page; back to the star-fix toolbar and the grid's three
// controls are the window's own.
#include <QAction>
#include <QTabWidget>
#include <QToolBar>

#include "workbench/main_window.h"
#include "workbench/options_page.h"
#include "workbench/results_page.h"
#include "workbench/small_dialogs.h"

namespace orvex {

void FrmWorking::BuildResultsPage(QWidget* client) {
    ResultsLinks links;
    links.GridShown = [this] { return GridShown(); };
    links.EnterView = [this](bool numeric) {
        ShowToolbar(numeric ? tlhNum : tlhGraph);
        tabIn->setVisible(false);
        panhGradient->setVisible(false);
    };
    links.ViewShown = [this](bool numeric) {
        if (numeric) {
            Action("mnuAstroNumDisp")->setEnabled(false);
            Action("mnuAstroNumPrint")->setEnabled(true);
            return;
        }
        Action("mnuAstroGraphDisp")->setEnabled(false);
        for (const char* n :
             {"mnuAstroGraphChart", "mnuAstroGraphLOP", "mnuAstroGraphGrid", "mnuAstroGraphPrint"})
            Action(n)->setEnabled(true);
    };
    links.ReportWithdrawn = [this] {
        panhGradient->setVisible(true);
        ShowToolbar(tlhStarfix);
    };
    links.NumericResults = [this] {
        if (onNumericResults) onNumericResults();
    };
    links.GraphicResults = [this] {
        if (onGraphicResults) onGraphicResults();
    };
    links.FindSystErr = [this] { return optionsPage_->FindSystErrChecked(); };
    links.ProbaDialog = [this] { return dialogs_->Proba(); };
    links.WaitDialog = [this] { return dialogs_->Wait(); };
    resultsPage_ = new ResultsPage(state_, std::move(links), client);
    rtfNumDisp = resultsPage_->rtfNumDisp;
    picLMChart = resultsPage_->picLMChart;
}

void FrmWorking::ConnectResultActions() {
    ResultsPage* page = resultsPage_;
    auto on = [this](const char* name, auto&& handler) {
        connect(Action(name), &QAction::triggered, this, handler);
    };
    on("bthBackStarFix1", [this] { bthBackStarFix_Click(); });
    on("bthBackStarFix2", [this] { bthBackStarFix_Click(); });
    on("bthPrint1", [page] { page->PrintReport(); });
    on("bthPrint2", [page] { page->PrintChart(); });
    on("mnuAstroNumPrint", [page] { page->PrintReport(); });
    on("mnuAstroGraphPrint", [page] { page->PrintChart(); });
    on("bthEllipse1", [page] { page->bthEllipse_Click(true); });
    on("bthEllipse2", [page] { page->bthEllipse_Click(false); });
    on("bthChartIncr", [page] { page->bthChartIncr_Click(); });
    on("bthChartDecr", [page] { page->bthChartDecr_Click(); });
    on("mnuAstroGraphChartInc", [page] { page->bthChartIncr_Click(); });
    on("mnuAstroGraphChartDec", [page] { page->bthChartDecr_Click(); });
    on("bthLopIncr", [page] { page->bthLopIncr_Click(); });
    on("bthLopDecr", [page] { page->bthLopDecr_Click(); });
    on("mnuAstroGraphLOPInc", [page] { page->mnuAstroGraphLOPInc_Click(); });
    on("mnuAstroGraphLOPDec", [page] { page->mnuAstroGraphLOPDec_Click(); });
    // The grid's three controls mirror one state; each click toggles it.
    for (const char* n : {"bthGrid1", "bthGrid2", "mnuAstroGraphGrid"})
        on(n, [this] { mnuAstroGraphGrid_Click(); });
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
    resultsPage_->RedrawGraph();
}

}  // namespace orvex
