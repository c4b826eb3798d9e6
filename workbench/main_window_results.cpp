// The results page as the main window makes it: the links it meets the
// window through, and its results taken off.
#include <QAction>
#include <QTabWidget>
#include <QToolBar>

#include "charts/print_lib.h"
#include "workbench/main_window.h"
#include "workbench/options_page.h"
#include "workbench/results_page.h"
#include "workbench/small_dialogs.h"

namespace orvex {

void FrmWorking::BuildResultsPage(QWidget* client) {
    ResultsLinks links;
    links.Action = [this](const char* name) { return Action(name); };
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
    links.NumericResults = [this] { cmdNumRes_Click(); };
    links.GraphicResults = [this] { cmdGraphRes_Click(); };
    links.FindSystErr = [this] { return optionsPage_->FindSystErrChecked(); };
    links.ProbaDialog = [this] { return dialogs_->Proba(); };
    links.WaitDialog = [this] { return dialogs_->Wait(); };
    links.Printer = []() -> ProgramPrinter& { return ProgramPrinter::Instance(); };
    const ResultsContext context{state_.DecSep,        state_.Dates,      state_.AppPath,
                                 state_.LopLength,     state_.ChartScale, state_.Chart,
                                 state_.PrintConfirmed};
    resultsPage_ = new ResultsPage(state_, context, std::move(links), client);
}

void FrmWorking::WithdrawResults() {
    // The page shows while one of its views does.
    const bool shown = !resultsPage_->isHidden();
    resultsPage_->Withdraw();
    // Withdrawn from its own page: the background and the star-fix toolbar
    // come back, as when the report cannot be made.
    if (shown && tabIn->isHidden()) {
        panhGradient->setVisible(true);
        ShowToolbar(tlhStarfix);
    }
}

}  // namespace orvex
