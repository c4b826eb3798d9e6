// The time-store dialog: captures the time of a sight from the PC clock. It
// shows the UTC clock time of the moment it opened and a negative correction
// in seconds (the delay between the sight and its entry, "-15" at first);
// OK stores the corrected time, in whole seconds, in TimeStored. After its
// close box the main window makes the dialog anew ("-15" again).
#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;
class QToolButton;

namespace orvex {

struct WorkbenchState;

class FrmTimeStore : public QDialog {
    Q_OBJECT
  public:
    FrmTimeStore(WorkbenchState& state, QWidget* owner);

    // The UTC clock, in days; tests set their own.
    std::function<double()> utcNow;

    // Whether the dialog was closed by its close box.
    bool ClosedByCloseBox() const { return closedByBox_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Runs every time the dialog is shown: reads the clock once.
    void Form_Activate();
    // Checks the correction when the field is left; true when it is a
    // negative number (the field turns green), false after a message.
    bool txtCorr_LostFocus();
    void updCorr_Change();
    void updCorr_UpClick();
    void updCorr_DownClick();
    void cmdOK_Click();
    // Corrected time = time shown + correction / 86400 days, shown in
    // txtGMTCorr. False when either text does not read.
    bool ComputeCorrectedTime();

    QLineEdit* txtGMT = nullptr;
    QLineEdit* txtCorr = nullptr;
    QWidget* updCorr = nullptr;
    QLineEdit* txtGMTCorr = nullptr;
    QPushButton* cmdOK = nullptr;
    WorkbenchState& state_;
    bool checking_ = false;
    bool closedByBox_ = false;
};

}  // namespace orvex
