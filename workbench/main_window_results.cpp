// The results page as the main window makes it: the links it meets the
// window through.
#include <QAction>
#include <QTabWidget>
#include <QToolBar>

#include "workbench/main_window.h"
#include "workbench/options_page.h"
#include "workbench/results_page.h"
#include "workbench/results_toolbar.h"
#include "workbench/small_dialogs.h"

namespace orvex {

void FrmWorking::BuildResultsPage(QWidget* client) {
    ResultsLinks links;
    links.GridShown = [this] { return resultsToolbar_->GridShown(); };
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

void FrmWorking::WithdrawResults() {
    const bool shown = !rtfNumDisp->isHidden() || !picLMChart->isHidden();
    rtfNumDisp->setVisible(false);
    picLMChart->setVisible(false);
    // Withdrawn from its own page: the background and the star-fix toolbar
    // come back, as when the report cannot be made.
    if (shown && tabIn->isHidden()) {
        panhGradient->setVisible(true);
        ShowToolbar(tlhStarfix);
    }
}

}  // namespace orvex
