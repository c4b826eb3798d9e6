// The main window's side of the companion windows: it opens the star-fix
// wizard and the azimuth tool, brings the open wizard forward, takes its
// controls back when the tool ends and unloads both when the program quits.
#include <QAction>
#include <QToolBar>

#include "companions/companion_links.h"
#include "companions/frm_azimuth.h"
#include "companions/frm_star_fix_wizard.h"
#include "platform/message_box.h"
#include "platform/pc_clock.h"
#include "platform/window_placement.h"
#include "workbench/frm_time_store.h"
#include "workbench/main_window.h"
#include "workbench/window_art.h"

namespace orvex {

FrmStarFixWizard* FrmWorking::StarFixWizard() const {
    FrmStarFixWizard* w = frmStarFixWizard_.data();
    return (w && !w->Unloaded()) ? w : nullptr;
}

FrmAzimuth* FrmWorking::AzimuthTool() const {
    return frmAzimuth_.data();
}

void FrmWorking::ConnectCompanions() {
    // The links are made when a window is made, so that it gets the
    // separator of the user's locale read at start-up.
    auto links = [this] {
        CompanionLinks l;
        l.DecSep = state_.DecSep;
        l.Clock = CompanionClock;
        l.ShowTimeStore = [this](QWidget* owner) {
            FrmTimeStore dialog(state_, owner);
            if (CompanionClock) {
                auto clock = CompanionClock;
                dialog.utcNow = [clock] { return PcClock(clock).UtcNowDays(); };
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

    onShowWizard = [this, links] {
        FrmStarFixWizard* w = StarFixWizard();
        if (w && w->isVisible()) {
            // Still open (a window of the azimuth tool cleared the flag when
            // it closed): bring it forward, keeping what the user entered.
            w->Form_Activate();
            w->activateWindow();
            return;
        }
        if (!w) {
            w = new FrmStarFixWizard(links(), this);
            frmStarFixWizard_ = w;
        }
        w->SetTag("FromMain");
        CentreOnOwner(*w, *this);
        w->show();  // the activation resets it to step 1
        w->activateWindow();
    };
    onActivateWizard = [this] {
        FrmStarFixWizard* w = StarFixWizard();
        if (!w) return;
        w->show();
        w->Form_Activate();
        w->activateWindow();
    };
    onShowAzimuth = [this, links] {
        if (!frmAzimuth_) frmAzimuth_ = new FrmAzimuth(links(), this);
        if (!frmAzimuth_->isVisible()) CentreOnOwner(*frmAzimuth_, *this);
        frmAzimuth_->show();
        frmAzimuth_->raise();
        frmAzimuth_->activateWindow();
    };
    onUnloadAzimuth = [this] { delete frmAzimuth_.data(); };
    onUnloadWizard = [this] { delete frmStarFixWizard_.data(); };
}

}  // namespace orvex
