// Opening, raising and unloading the star-fix wizard and the azimuth tool.
#include "workbench/companion_windows.h"

#include "companions/frm_azimuth.h"
#include "companions/frm_star_fix_wizard.h"
#include "platform/window_placement.h"

namespace orvex {

CompanionWindows::CompanionWindows(QWidget& owner, std::function<CompanionLinks()> makeLinks)
    : owner_(owner), makeLinks_(std::move(makeLinks)) {}

FrmStarFixWizard* CompanionWindows::StarFixWizard() const {
    FrmStarFixWizard* w = wizard_.data();
    return (w && !w->Unloaded()) ? w : nullptr;
}

FrmAzimuth* CompanionWindows::AzimuthTool() const {
    return azimuth_.data();
}

void CompanionWindows::ShowWizard() {
    FrmStarFixWizard* w = StarFixWizard();
    if (w && w->isVisible()) {
        // Still open (a window of the azimuth tool cleared the flag when it
        // closed): bring it forward, keeping what the user entered.
        w->Form_Activate();
        w->activateWindow();
        return;
    }
    if (!w) {
        w = new FrmStarFixWizard(makeLinks_(), &owner_);
        wizard_ = w;
    }
    w->SetTag("FromMain");
    CentreOnOwner(*w, owner_);
    w->show();  // the activation resets it to step 1
    w->activateWindow();
}

void CompanionWindows::ActivateWizard() {
    FrmStarFixWizard* w = StarFixWizard();
    if (!w) return;
    w->show();
    w->Form_Activate();
    w->activateWindow();
}

void CompanionWindows::ShowAzimuth() {
    if (!azimuth_) azimuth_ = new FrmAzimuth(makeLinks_(), &owner_);
    if (!azimuth_->isVisible()) CentreOnOwner(*azimuth_, owner_);
    azimuth_->show();
    azimuth_->raise();
    azimuth_->activateWindow();
}

void CompanionWindows::UnloadAzimuth() {
    delete azimuth_.data();
}

void CompanionWindows::UnloadWizard() {
    delete wizard_.data();
}

}  // namespace orvex
