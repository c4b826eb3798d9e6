// Making, reusing and unloading the main window's small dialogs.
#include "workbench/small_dialogs.h"

#include <QString>

#include "companions/intro.h"
#include "companions/splash.h"
#include "workbench/frm_end.h"
#include "workbench/frm_proba.h"
#include "workbench/frm_time_store.h"
#include "workbench/frm_wait.h"

namespace orvex {

FrmEnd* SmallDialogs::End() {
    if (!end_) end_ = new FrmEnd(&owner_);
    return end_;
}

// A dialog closed by its close box is gone: its next use makes it anew,
// with its starting values.
FrmProba* SmallDialogs::Proba() {
    if (proba_ && proba_->ClosedByCloseBox()) delete proba_;
    if (!proba_) proba_ = new FrmProba(state_, &owner_);
    return proba_;
}

FrmTimeStore* SmallDialogs::TimeStore() {
    if (timeStore_ && timeStore_->ClosedByCloseBox()) delete timeStore_;
    if (!timeStore_) timeStore_ = new FrmTimeStore(state_, &owner_);
    return timeStore_;
}

FrmWait* SmallDialogs::Wait() {
    if (!wait_) wait_ = new FrmWait(&owner_);
    return wait_;
}

FrmSplash* SmallDialogs::Splash() {
    if (!splash_) splash_ = new FrmSplash(&owner_);
    return splash_;
}

QDialog* SmallDialogs::Find(const char* name) const {
    const QString n = name;
    if (n == "frmEnd") return end_;
    if (n == "frmProba") return proba_;
    if (n == "frmTimeStore") return timeStore_;
    if (n == "frmWait") return wait_;
    if (n == "frmSplash") return splash_;
    if (n == "frmIntro") return Intro;
    return nullptr;
}

bool SmallDialogs::Exists(const char* name) const {
    return Find(name) != nullptr;
}

void SmallDialogs::Unload(const char* name) {
    delete Find(name);
}

}  // namespace orvex
