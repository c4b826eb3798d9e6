// The star fix from the page's inputs: the fields committed, the grid read
// and sorted, SolveFix called.
#include "workbench/core/solve_fix.h"
#include "workbench/star_fix_input_page.h"
#include "workbench/workbench_state.h"

namespace orvex {

bool StarFixInputPage::RunStarFix() {
    WorkbenchState& s = state_;
    // Every input of the page must have been entered.
    if (!FixInputsPresent(s)) return false;
    // Course and speed as entered (a previous fix may have corrected them),
    // and no field left showing a text it refused.
    if (!CommitStarFixFieldsAgain()) return false;
    // The sights, in the grid's present order.
    if (!ReadObsGrid()) return false;
    const bool findSystErr = links_.FindSystErr && links_.FindSystErr();
    // Once the sights are accepted the grid shows them by time.
    switch (SolveFix(s, findSystErr, [this] { SelectObsGrid(); })) {
        case SolveOutcome::Solved:
            return true;
        case SolveOutcome::Failed:
            // No page or status line may show the figures as a fix.
            if (links_.SetStatusSimple) links_.SetStatusSimple(true);
            return false;
        case SolveOutcome::Refused:
            break;
    }
    return false;
}

}  // namespace orvex
