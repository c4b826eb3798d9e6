// The probability-level dialog: four levels (0.5, 0.95, 0.99, 0.999) written
// with the user's decimal separator. Choosing a row writes Proba at once as
// the row's item value / 1000; OK keeps it. Escape or the close box put
// back the level the dialog opened with; after the close box the main
// window makes the dialog anew, which chooses 0.95 again.
#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace orvex {

struct WorkbenchState;

class FrmProba : public QDialog {
    Q_OBJECT
  public:
    // Escape: the same as Cancel (or, for the splash, any key).
    void reject() override;
    FrmProba(WorkbenchState& state, QWidget* owner);

    // Remembers the level and row the dialog opens with; the caller runs
    // it just before showing the dialog.
    void BeginShow();
    // Whether the dialog was closed by its close box (it is then made anew).
    bool ClosedByCloseBox() const { return closedByBox_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Form_Load();
    void lstProba_Click();
    void cmdOK_Click();

    QLabel* lblProba = nullptr;
    QListWidget* lstProba = nullptr;
    QPushButton* cmdOK = nullptr;
    void Cancel();
    WorkbenchState& state_;
    double openedWith_ = 0.95;
    int openedRow_ = 1;
    bool answered_ = false;
    bool closedByBox_ = false;
};

}  // namespace orvex
