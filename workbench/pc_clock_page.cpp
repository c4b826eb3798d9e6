#include "workbench/pc_clock_page.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <functional>

#include "platform/pc_clock.h"
#include "workbench/reading_tab_order.h"

namespace orvex {

namespace {

constexpr int kClockIntervalMs = 1000;

// Stops the refresh when the preferences page is hidden (En&d, or another
// page shown over it).
class HideWatcher : public QObject {
  public:
    HideWatcher(QObject* parent, std::function<void()> onHide)
        : QObject(parent), onHide_(std::move(onHide)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide) onHide_();
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> onHide_;
};

// A time of day as the user's locale writes it, without a zone name: the
// label says which clock it is, and a wall-clock reading carries no zone.
QString ClockText(const QDateTime& wallClock) {
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b\\s*"));
    format.remove(zone);
    return QLocale::system().toString(wallClock.time(), format.trimmed());
}

}  // namespace

PcClockPage::PcClockPage(QTabWidget* tabSet, int tab, QWidget* parent)
    : QWidget(parent), tabSet_(tabSet), tab_(tab) {
    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(2, 1);

    auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        return l;
    };
    auto clockField = [this](const char* name) {
        auto* t = new QLineEdit(this);
        t->setObjectName(name);
        t->setReadOnly(true);
        t->setFocusPolicy(Qt::NoFocus);
        t->setMinimumWidth(140);
        t->setAlignment(Qt::AlignCenter);
        return t;
    };
    lblSystemTZ = label("lblSystemTZ", "Local System Time :");
    txtLocTime = clockField("txtLocTime");
    lblDST = label("lblDST", "(Daylight Saving Time)");
    lblDST->setVisible(false);
    lblSystemGMT = label("lblSystemGMT", "GMT System Time :");
    txtSysTime = clockField("txtSysTime");
    lblSystemTime = label("lblSystemTime", "If necessary, set here your system time in GMT :");
    dtpTime3 = new DateTimePicker(this);
    dtpTime3->setObjectName("dtpTime_3");
    dtpTime3->setTimeSpec(Qt::UTC);
    dtpTime3->setDisplayFormat("d MMM yyyy HH:mm:ss");
    dtpTime3->setToolTip("! GMT");
    cmdSetSysTime = new QPushButton("&Set", this);
    cmdSetSysTime->setObjectName("cmdSetSysTime");
    cmdSetSysTime->setToolTip("Set the !!! SYSTEM !!! time");

    grid->setVerticalSpacing(12);
    grid->addWidget(lblSystemTZ, 0, 0);
    grid->addWidget(txtLocTime, 0, 1);
    grid->addWidget(lblDST, 0, 2);
    grid->addWidget(lblSystemGMT, 1, 0);
    grid->addWidget(txtSysTime, 1, 1);
    grid->addWidget(lblSystemTime, 2, 0, 1, 3);
    auto* setRow = new QHBoxLayout;
    setRow->addWidget(dtpTime3);
    setRow->addWidget(cmdSetSysTime);
    setRow->addStretch(1);
    grid->addLayout(setRow, 3, 0, 1, 3);
    grid->setRowStretch(4, 1);

    tmrSysTime = new QTimer(this);
    tmrSysTime->setObjectName("tmrSysTime");
    tmrSysTime->setInterval(kClockIntervalMs);
    connect(tmrSysTime, &QTimer::timeout, this, &PcClockPage::tmrSysTime_Timer);
    connect(cmdSetSysTime, &QPushButton::clicked, this, &PcClockPage::cmdSetSysTime_Click);

    // The tab set's focus: taking it on the clock tab starts the refresh
    // (and resets the picker to the present UTC); giving it to anything
    // else, the page's own picker and Set button included, stops it.
    // A click on a tab gives the tab set the focus, as the keys do.
    tabSet_->tabBar()->setFocusPolicy(Qt::StrongFocus);
    QMetaObject::Connection focus;
    if (qApp)
        focus =
            connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
                if (!now) return;  // the program lost the focus to another one
                auto isTabSet = [this](const QWidget* w) {
                    return w && (w == tabSet_ || w == tabSet_->tabBar());
                };
                if (!isTabSet(old) && isTabSet(now))
                    TabSetGotFocus();
                else if (isTabSet(old) && !isTabSet(now))
                    TabSetLostFocus();
            });
    // Any other tab stops the refresh at once, whoever chose it.
    const QMetaObject::Connection tabs =
        connect(tabSet_, &QTabWidget::currentChanged, this, [this](int index) {
            if (index != tab_) tmrSysTime->stop();
        });
    auto* watcher = new HideWatcher(this, [this] { tmrSysTime->stop(); });
    tabSet_->installEventFilter(watcher);
    // Undone before the tab set goes (its last focus and hide events must
    // not reach a half-destroyed tab set).
    wiring_ = std::shared_ptr<void>(nullptr, [focus, tabs, watcher = QPointer<QObject>(watcher),
                                              tabSet = QPointer<QTabWidget>(tabSet_)](void*) {
        QObject::disconnect(focus);
        QObject::disconnect(tabs);
        if (watcher && tabSet) tabSet->removeEventFilter(watcher);
    });
}

PcClockPage::~PcClockPage() {
    Detach();
}

void PcClockPage::Detach() {
    wiring_.reset();
}

void PcClockPage::TabSetGotFocus() {
    if (tabSet_->currentIndex() != tab_) return;
    tmrSysTime->start();
    const PcClock clock(systemClock_);
    // To the whole second the picker shows: a date and time typed over it
    // is then exactly the instant typed.
    const QDateTime now = clock.UtcNow();
    dtpTime3->setDateTime(now.addMSecs(-now.time().msec()));
    tmrSysTime_Timer();  // the times show at once, not a second later
}

void PcClockPage::TabSetLostFocus() {
    if (tabSet_->currentIndex() == tab_) tmrSysTime->stop();
}

void PcClockPage::tmrSysTime_Timer() {
    // One reading for the three: the local time, UTC and the daylight
    // label always agree, also on the second of a daylight-saving step.
    const ClockReading now = PcClock(systemClock_).Read();
    txtLocTime->setText(ClockText(now.Local));
    txtSysTime->setText(ClockText(now.Utc));
    lblDST->setVisible(now.Daylight);
}

void PcClockPage::cmdSetSysTime_Click() {
    // One operation for date and time, one second ahead of the entered UTC
    // (the second the click and the setting take): date and time of day can
    // never disagree across midnight. A refusal is reported by the clock.
    PcClock clock(systemClock_);
    const QDateTime entered = dtpTime3->dateTime();
    const QDateTime utc(entered.date(), entered.time(), Qt::UTC);
    clock.SetUtc(utc.addSecs(1));
    TabSetGotFocus();
}

}  // namespace orvex
