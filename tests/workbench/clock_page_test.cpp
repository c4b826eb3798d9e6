// The clock page of the preferences: the PC's local time and UTC refreshed
// once a second only while the page shows, the daylight-saving label, and
// setting the PC clock (one second ahead, in one operation) with the
// system's refusal reported. The PC clock is a manual one: the ticks are
// driven by hand, nothing waits on a real second.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <ctime>

#include "platform/pc_clock.h"
#include "workbench/options_page.h"
#include "workbench/pc_clock_page.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

// 1 July 2026, 12:00:00 UTC.
const QDateTime kNoonUtc(QDate(2026, 7, 1), QTime(12, 0, 0), Qt::UTC);

class ClockPage : public ::testing::Test {
  protected:
    void SetUp() override {
        clock = std::make_shared<ManualSystemClock>();
        clock->utcMs = kNoonUtc.toMSecsSinceEpoch();
        // Central Europe in summer: standard UTC+1, daylight saving on.
        clock->localOffsetSeconds = 7200;
        clock->standardBiasMinutes = -60;
        w = test::StartedWindow(settings);
        SetClock(clock);
        script.Clear();
    }
    // The page reads the PC clock through this seam.
    void SetClock(std::shared_ptr<SystemClock> c) const {
        Find<OptionsPage>("tabOptions")->Clock()->SetSystemClock(std::move(c));
    }
    // One second of the refresh timer, as its timeout runs it.
    void Tick() const { QMetaObject::invokeMethod(Find<QTimer>("tmrSysTime"), "timeout"); }
    // The user clicks a tab of the preferences.
    void ChooseTab(int tab) {
        test::Named<QTabWidget>(w.get(), "tabOptions")->setCurrentIndex(tab);
    }
    // A click on "Set the system time" of the shown page.
    void ClickSetSysTime() {
        w->show();
        test::ClickButton(Find("cmdSetSysTime"));
    }
    // The clock page's controls, found by name.
    template <class T = QWidget>
    T* Find(const char* name) const {
        return test::Named<T>(w.get(), name);
    }

    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    std::shared_ptr<ManualSystemClock> clock;
    std::unique_ptr<FrmWorking> w;
};

// The refresh runs on the clock tab only: another tab stops it, coming back
// starts it again and resets the picker to the present UTC; closing the
// page stops it. Guards a timer left running behind the other pages.
TEST_F(ClockPage, TicksOnlyWhileTheClockPageShows) {
    ASSERT_NE(Find<QTimer>("tmrSysTime"), nullptr);
    EXPECT_EQ(Find<QTimer>("tmrSysTime")->interval(), 1000);
    EXPECT_FALSE(Find<QTimer>("tmrSysTime")->isActive());  // off at start

    test::RunAction(*w, "mnuOptionsTab");
    EXPECT_FALSE(Find<QTimer>("tmrSysTime")->isActive());  // the ellipsoid tab
    ChooseTab(1);
    EXPECT_FALSE(Find<QTimer>("tmrSysTime")->isActive());
    ChooseTab(2);
    EXPECT_TRUE(Find<QTimer>("tmrSysTime")->isActive());
    EXPECT_EQ(Find<QDateTimeEdit>("dtpTime_3")->dateTime().toUTC(), kNoonUtc);

    ChooseTab(0);
    EXPECT_FALSE(Find<QTimer>("tmrSysTime")->isActive());
    clock->utcMs += 90 * 1000;
    ChooseTab(2);
    EXPECT_TRUE(Find<QTimer>("tmrSysTime")->isActive());
    EXPECT_EQ(Find<QDateTimeEdit>("dtpTime_3")->dateTime().toUTC(), kNoonUtc.addSecs(90));

    // Next and previous run the page's focus handler too.
    w->show();
    test::ClickButton(test::Named(w.get(), "cmdPrevTabOptions_2"));
    EXPECT_FALSE(Find<QTimer>("tmrSysTime")->isActive());
    test::ClickButton(test::Named(w.get(), "cmdNextTabOptions_1"));
    EXPECT_TRUE(Find<QTimer>("tmrSysTime")->isActive());

    // En&d closes the page.
    test::ClickButton(test::Named(w.get(), "cmdEndTabOptions_2"));
    EXPECT_FALSE(Find<QTimer>("tmrSysTime")->isActive());
}

// Guards the refresh running on while the navigator types the time to set:
// the focus moving from the tab set into the page's picker or its Set
// button stops it; the tab set taking the focus again restarts it.
TEST_F(ClockPage, FocusIntoThePageStopsTheRefresh) {
    w->show();
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    test::RunAction(*w, "mnuOptionsTab");
    QTabBar* tabs = test::TabSet(*w, "tabOptions")->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    ASSERT_TRUE(Find<QTimer>("tmrSysTime")->isActive());
    QTest::mouseClick(Find<QDateTimeEdit>("dtpTime_3"), Qt::LeftButton);
    EXPECT_FALSE(Find<QTimer>("tmrSysTime")->isActive());
    tabs->setFocus(Qt::BacktabFocusReason);
    EXPECT_TRUE(Find<QTimer>("tmrSysTime")->isActive());
    Find<QPushButton>("cmdSetSysTime")->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(Find<QTimer>("tmrSysTime")->isActive());
}

// Guards one tick read from three readings of the clock: on the second of
// a daylight-saving step (01:00 UTC, local 01:59:59 CET -> 03:00:00 CEST)
// the local time, UTC and the daylight label disagreed by an hour.
TEST_F(ClockPage, OneTickIsOneReadingAcrossADaylightSavingStep) {
    clock->SecondBeforeSpringChange();
    Tick();
    EXPECT_TRUE(Find<QLineEdit>("txtLocTime")->text().contains("01:59:59"))
        << Find<QLineEdit>("txtLocTime")->text().toStdString();
    EXPECT_TRUE(Find<QLineEdit>("txtSysTime")->text().contains("00:59:59"))
        << Find<QLineEdit>("txtSysTime")->text().toStdString();
    EXPECT_TRUE(Find<QLabel>("lblDST")->isHidden());
}

// Each tick shows the local time and UTC as the system formats a time of
// day, and the daylight-saving label exactly when it is in force.
TEST_F(ClockPage, TickShowsLocalTimeUtcAndDaylight) {
    test::RunAction(*w, "mnuOptionsTab");
    ChooseTab(2);
    EXPECT_TRUE(Find<QLineEdit>("txtLocTime")->text().contains("14:00:00"))
        << Find<QLineEdit>("txtLocTime")->text().toStdString();
    EXPECT_TRUE(Find<QLineEdit>("txtSysTime")->text().contains("12:00:00"))
        << Find<QLineEdit>("txtSysTime")->text().toStdString();
    // Wall-clock readings: no zone name (the process's own zone would be
    // wrong for one of the two).
    EXPECT_FALSE(Find<QLineEdit>("txtLocTime")->text().contains("UTC"));
    EXPECT_FALSE(Find<QLineEdit>("txtSysTime")->text().contains("UTC"));
    EXPECT_FALSE(Find<QLabel>("lblDST")->isHidden());

    clock->utcMs += 1000;
    Tick();
    EXPECT_TRUE(Find<QLineEdit>("txtLocTime")->text().contains("14:00:01"))
        << Find<QLineEdit>("txtLocTime")->text().toStdString();
    EXPECT_TRUE(Find<QLineEdit>("txtSysTime")->text().contains("12:00:01"))
        << Find<QLineEdit>("txtSysTime")->text().toStdString();

    // Winter: the offset is the standard one, the label goes.
    clock->localOffsetSeconds = 3600;
    Tick();
    EXPECT_TRUE(Find<QLabel>("lblDST")->isHidden());
    EXPECT_TRUE(Find<QLineEdit>("txtLocTime")->text().contains("13:00:01"))
        << Find<QLineEdit>("txtLocTime")->text().toStdString();
}

// Guards the label on a PC in Ireland, whose zone rules call the summer
// time standard and the winter time a "negative" daylight saving: the
// label showed in winter and hid in summer. It shows on Irish summer time
// (UTC+1) alone, whatever the day the test runs.
TEST_F(ClockPage, DaylightLabelOnIrishTime) {
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "Europe/Dublin");
    tzset();
    SetClock(MakeHostClock());
    test::RunAction(*w, "mnuOptionsTab");
    ChooseTab(2);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    EXPECT_EQ(Find<QLabel>("lblDST")->isHidden(), local.tm_gmtoff != 3600);
    zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
    tzset();
}

// A PC two hours east of Greenwich, the picker at 12:00:00 UTC: the clock is
// set in one operation to 12:00:01 UTC, so the local clock reads 14:00:01
// on the entered day; the page then shows the new time.
TEST_F(ClockPage, SettingTheClockOneSecondAhead) {
    clock->localOffsetSeconds = 7200;
    test::RunAction(*w, "mnuOptionsTab");
    ChooseTab(2);
    Find<QDateTimeEdit>("dtpTime_3")
        ->setDateTime(QDateTime(QDate(2026, 8, 2), QTime(12, 0, 0), Qt::UTC));
    ClickSetSysTime();
    ASSERT_EQ(clock->setCalls, 1);
    const QDateTime set = QDateTime::fromMSecsSinceEpoch(clock->lastSetUtcMs, Qt::UTC);
    EXPECT_EQ(set, QDateTime(QDate(2026, 8, 2), QTime(12, 0, 1), Qt::UTC));
    EXPECT_EQ(PcClock(clock).LocalNow(), QDateTime(QDate(2026, 8, 2), QTime(14, 0, 1), Qt::UTC));
    EXPECT_TRUE(script.messages.empty());
    EXPECT_TRUE(Find<QTimer>("tmrSysTime")->isActive());
    EXPECT_EQ(Find<QDateTimeEdit>("dtpTime_3")->dateTime().toUTC(), set);

    // The last second before midnight: date and time move on together.
    Find<QDateTimeEdit>("dtpTime_3")
        ->setDateTime(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59), Qt::UTC));
    ClickSetSysTime();
    EXPECT_EQ(QDateTime::fromMSecsSinceEpoch(clock->lastSetUtcMs, Qt::UTC),
              QDateTime(QDate(2027, 1, 1), QTime(0, 0, 0), Qt::UTC));
}

// Without the right to set the time the system refuses: the navigator is
// told that the clock was not set, and the clock runs on untouched.
TEST_F(ClockPage, RefusalIsReported) {
    clock->setResult = EPERM;
    test::RunAction(*w, "mnuOptionsTab");
    ChooseTab(2);
    const std::int64_t before = clock->utcMs;
    Find<QDateTimeEdit>("dtpTime_3")
        ->setDateTime(QDateTime(QDate(2026, 8, 2), QTime(12, 0, 0), Qt::UTC));
    ClickSetSysTime();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, " System time");
    EXPECT_TRUE(script.messages[0].text.startsWith("The PC clock was not set"));
    EXPECT_TRUE(script.messages[0].text.contains("no right to change the system time"));
    EXPECT_EQ(clock->utcMs, before);
    EXPECT_EQ(clock->lastSetUtcMs, -1);
}

// The page's controls carry their names and texts.
TEST_F(ClockPage, ControlsAndScreenshot) {
    EXPECT_EQ(Find<QLabel>("lblSystemTZ")->text(), "Local System Time :");
    EXPECT_EQ(Find<QLabel>("lblSystemGMT")->text(), "GMT System Time :");
    EXPECT_EQ(Find<QLabel>("lblDST")->text(), "(Daylight Saving Time)");
    EXPECT_EQ(Find<QLabel>("lblSystemTime")->text(),
              "If necessary, set here your system time in GMT :");
    EXPECT_EQ(Find<QDateTimeEdit>("dtpTime_3")->objectName(), "dtpTime_3");
    EXPECT_EQ(Find<QDateTimeEdit>("dtpTime_3")->toolTip(), "! GMT");
    EXPECT_EQ(Find<QPushButton>("cmdSetSysTime")->toolTip(), "Set the !!! SYSTEM !!! time");
    for (const char* name : {"txtLocTime", "txtSysTime", "lblDST", "cmdSetSysTime", "tmrSysTime"})
        EXPECT_NE(w->findChild<QObject*>(name), nullptr) << name;

    w->resize(1024, 720);
    w->show();
    test::RunAction(*w, "mnuOptionsTab");
    ChooseTab(2);
    const QPixmap pm = w->grab();
    EXPECT_TRUE(pm.save(test::TestOutputFolder() + "/clock-page.png"));
}

}  // namespace
}  // namespace orvex
