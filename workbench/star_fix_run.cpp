// The star fix from the page's inputs: SolveFix checks the inputs, has the
// page commit its fields again and read the grid, and sorts the grid once
// the sights are accepted.
#include "workbench/core/solve_fix.h"
#include "workbench/core/star_fix_session.h"
#include "workbench/star_fix_input_page.h"

namespace orvex {

bool StarFixInputPage::RunStarFix() {
    const bool findSystErr = links_.FindSystErr && links_.FindSystErr();
    // Once the inputs are found present: course and speed as entered (a
    // previous fix may have corrected them), no field left showing a text it
    // refused, and the sights in the grid's present order.
    const auto readSights = [this] { return CommitStarFixFieldsAgain() && ReadObsGrid(); };
    // Once the sights are accepted the grid shows them by time.
    switch (SolveFix(state_, findSystErr, readSights, [this] { SelectObsGrid(); })) {
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
