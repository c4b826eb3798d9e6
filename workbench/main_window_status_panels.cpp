// The status line that shows the fix.
#include "workbench/main_window.h"
#include "workbench/options_page.h"
#include "workbench/status_line.h"

namespace orvex {

void FrmWorking::FillStatusPanels() {
    status_->Fill(state_, optionsPage_->FindSystErrChecked());
    // The window lays itself out again for the panels.
    if (!isMinimized() && !isMaximized() && !isFullScreen()) {
        const int w = width();
        resize(static_cast<int>(w * 0.999), height());
        resize(w, height());
    }
}

}  // namespace orvex
