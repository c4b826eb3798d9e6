// The wait window shown while a print job is sent: a progress bar that
// fills one step per tick of its timer (500 ms at creation; the print
// commands set 20 ms) and hides the window when full, which ends its modal
// display. The caller sets the interval, starts the timer and shows it.
#pragma once

#include <QDialog>

class QProgressBar;
class QTimer;

namespace orvex {

class FrmWait : public QDialog {
    Q_OBJECT
  public:
    explicit FrmWait(QWidget* owner);

    void Form_GotFocus();
    void tmrWait_Timer();

    QProgressBar* prgWait = nullptr;
    QTimer* tmrWait = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace orvex
