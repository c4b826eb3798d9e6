// The clock page, third tab of the preferences: the PC's local time and UTC
// once a second, whether daylight saving time is in force, and setting the
// PC clock from a UTC date and time. The one-second refresh runs only while
// the page shows and its tab set holds the focus.
#pragma once

#include <QWidget>
#include <memory>

class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTimer;

namespace orvex {

class SystemClock;

class PcClockPage : public QWidget {
  public:
    // The page is tab `tab` (0-based) of `tabSet`, whose focus, tab changes
    // and hiding start and stop the refresh.
    PcClockPage(QTabWidget* tabSet, int tab, QWidget* parent = nullptr);
    ~PcClockPage() override;

    // The PC clock the page reads and sets (tests give a manual one);
    // nullptr is the computer's own.
    void SetSystemClock(std::shared_ptr<SystemClock> clock) { systemClock_ = std::move(clock); }

    // The tab set took the focus: on the clock tab the refresh starts, the
    // picker shows the present UTC and the times show at once.
    void TabSetGotFocus();
    void TabSetLostFocus();
    void tmrSysTime_Timer();
    void cmdSetSysTime_Click();
    // Takes the page's hooks off the application and the tab set (before
    // the tab set goes).
    void Detach();

    QLabel* lblSystemTZ = nullptr;
    QLineEdit* txtLocTime = nullptr;
    QLabel* lblSystemGMT = nullptr;
    QLineEdit* txtSysTime = nullptr;
    QLabel* lblDST = nullptr;
    QLabel* lblSystemTime = nullptr;
    QDateTimeEdit* dtpTime3 = nullptr;  // dtpTime(3): the UTC to set
    QPushButton* cmdSetSysTime = nullptr;
    QTimer* tmrSysTime = nullptr;  // 1000 ms, only while the page shows

  private:
    QTabWidget* tabSet_;
    int tab_;
    std::shared_ptr<SystemClock> systemClock_;
    std::shared_ptr<void> wiring_;
};

}  // namespace orvex
