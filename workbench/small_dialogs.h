// The main window's small dialogs: the quit confirmation, the probability
// level, the time store, the wait notice, the splash (also the about box)
// and the introduction letter. Each is made on first use, then hidden and
// reused; the probability and time-store dialogs closed by their close box
// are made anew with their starting values.
#pragma once

#include <QPointer>

class QDialog;
class QWidget;

namespace orvex {

class FrmEnd;
class FrmIntro;
class FrmProba;
class FrmSplash;
class FrmTimeStore;
class FrmWait;
struct WorkbenchState;

class SmallDialogs {
  public:
    // `owner` parents the dialogs; `state` is what the probability and
    // time-store dialogs edit.
    SmallDialogs(QWidget& owner, WorkbenchState& state) : owner_(owner), state_(state) {}

    FrmEnd* End();
    FrmProba* Proba();
    FrmTimeStore* TimeStore();
    FrmWait* Wait();
    FrmSplash* Splash();
    // Whether the dialog of that control name ("frmEnd", "frmProba",
    // "frmTimeStore", "frmWait", "frmSplash", "frmIntro") exists.
    bool Exists(const char* name) const;
    // Deletes the dialog of that control name when it exists.
    void Unload(const char* name);

    // The introduction letter while shown (made anew at each showing).
    QPointer<FrmIntro> Intro;

  private:
    // The dialog of that control name, or nullptr.
    QDialog* Find(const char* name) const;

    QWidget& owner_;
    WorkbenchState& state_;
    QPointer<FrmEnd> end_;
    QPointer<FrmProba> proba_;
    QPointer<FrmTimeStore> timeStore_;
    QPointer<FrmWait> wait_;
    QPointer<FrmSplash> splash_;
};

}  // namespace orvex
