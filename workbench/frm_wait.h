// The wait window shown while a print job is sent: a progress bar that
// fills one step per tick of its timer (500 ms at creation; a print shows
// it stepping every 20 ms) and hides the window when full, which ends its
// modal display.
#pragma once

#include <QDialog>

class QProgressBar;
class QTimer;

namespace orvex {

class FrmWait : public QDialog {
    Q_OBJECT
  public:
    explicit FrmWait(QWidget* owner);

    // Shows the window modally (through the platform's dialog runner), its
    // bar stepping every 20 ms, until the bar is full.
    void ShowWhilePrinting();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void Form_GotFocus();
    void tmrWait_Timer();

    QProgressBar* prgWait = nullptr;
    QTimer* tmrWait = nullptr;
};

}  // namespace orvex
