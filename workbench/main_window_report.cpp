// The two results commands of the star-fix page: the numeric report and the
// chart of the lines of position through the most probable position, shown
// by the results page. Both start again from the inputs: nothing of a
// previous fix is reused.
#include <QApplication>
#include <QTabWidget>

#include "workbench/main_window.h"
#include "workbench/observation_grid.h"
#include "workbench/results_page.h"
#include "workbench/star_fix_input_page.h"

namespace orvex {

void FrmWorking::cmdNumRes_Click() {
    if (!inputPage_->LeaveStarFixField()) return;
    if (!inputPage_->RunStarFix()) return;
    // The status line first: it holds the fix even when the report template
    // cannot be read.
    FillStatusPanels();
    resultsPage_->ShowNumericResults();
}

void FrmWorking::cmdGraphRes_Click() {
    if (!inputPage_->LeaveStarFixField()) return;
    if (!inputPage_->RunStarFix()) return;
    FillStatusPanels();
    resultsPage_->ShowGraphicResults();
}

}  // namespace orvex
