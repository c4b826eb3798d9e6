// The main window's side of the companion windows: the links they are made
// with, and its controls taken back when the wizard closes or the tool ends.
#include <QAction>
#include <QToolBar>

#include "companions/companion_links.h"
#include "platform/message_box.h"
#include "platform/pc_clock.h"
#include "workbench/companion_windows.h"
#include "workbench/frm_time_store.h"
#include "workbench/main_window.h"
#include "workbench/window_art.h"

namespace orvex {

void FrmWorking::ConnectCompanions() {
    // The links are made when a window is made, so that it gets the
    // separator of the user's locale read at start-up.
    auto links = [this] {
        CompanionLinks l;
        l.DecSep = state_.DecSep;
        l.Clock = companions_->Clock;
        l.ShowTimeStore = [this](QWidget* owner) {
            FrmTimeStore dialog(state_, owner);
            if (auto clock = companions_->Clock) {
                dialog.utcNow = [clock] { return PcClock(clock).UtNowDays(); };
            }
            ExecDialog(dialog);
        };
        l.WizardClosed = [this](bool enablePicture) {
            state_.WizardOpen = false;
            Action("mnuStarFixWizard")->setEnabled(true);
            if (enablePicture) picStarFixWizard->setEnabled(true);
        };
        l.AzimuthEnded = [this] {
            for (StartPicture* p : {picStarFix, picRLGC, picAzimuth}) p->setEnabled(true);
            for (const char* n : {"mnuUtil", "mnuAzi", "mnuOptions", "mnuAstro"})
                Action(n)->setEnabled(true);
            tlhWorking->setEnabled(true);
        };
        return l;
    };

    companions_ = std::make_unique<CompanionWindows>(*this, links);
}

}  // namespace orvex
