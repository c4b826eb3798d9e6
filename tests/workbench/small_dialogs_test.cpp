// The small dialogs: quit confirmation, probability level, time store and
// wait window, shown and driven as a person does: buttons clicked, keys
// typed, rows picked, timers let run.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <ctime>

#include "grid_test_support.h"
#include "navlib/date_time.h"
#include "workbench/date_values.h"
#include "workbench/frm_end.h"
#include "workbench/frm_proba.h"
#include "workbench/frm_time_store.h"
#include "workbench/frm_wait.h"
#include "workbench/workbench_state.h"

namespace orvex {
namespace {

using test::Named;

// Shows a dialog as the active window, so that keys reach it.
void ShowActive(QDialog& d) {
    d.show();
    d.activateWindow();
    QApplication::setActiveWindow(&d);
    (void)QTest::qWaitForWindowActive(&d);
}

// Guards the answer: "NO" until a button says otherwise, "NO" again for
// Escape and the close box; and the reminder blinking red / black once a
// second on its own timer (let run: three ticks, about three seconds).
TEST(FrmEnd, TagButtonsAndBlinkingReminder) {
    FrmEnd end(nullptr);
    auto* yes = Named<QPushButton>(&end, "cmdYes");
    auto* no = Named<QPushButton>(&end, "cmdNo");
    auto* quit = Named<QTimer>(&end, "tmrQuit");
    ASSERT_TRUE(yes && no && quit);
    EXPECT_EQ(end.windowTitle(), "Quit Orvex");
    EXPECT_EQ(end.Tag(), "NO");
    EXPECT_EQ(Named<QLabel>(&end, "lblEndProg_0")->text(),
              "Do you really want to quit the program ?");
    auto* reminder = Named<QLabel>(&end, "lblEndProg_1");
    EXPECT_EQ(reminder->text(), "Don't forget to save your datas before quitting.");
    const auto shownIn = [reminder] { return reminder->palette().color(QPalette::WindowText); };
    const QColor red(255, 0, 0), black(0, 0, 0);
    EXPECT_EQ(yes->text(), "&Yes");
    EXPECT_EQ(yes->toolTip(), "Quit");
    EXPECT_TRUE(yes->isDefault());
    EXPECT_EQ(no->text(), "&Cancel");
    EXPECT_EQ(no->toolTip(), "Back to Orvex");
    EXPECT_FALSE(quit->isActive());
    EXPECT_EQ(quit->interval(), 1000);

    ShowActive(end);
    EXPECT_TRUE(quit->isActive());
    EXPECT_EQ(shownIn(), red);
    for (const QColor& colour : {black, red, black})
        EXPECT_TRUE(QTest::qWaitFor([&] { return shownIn() == colour; }, 5000));
    test::ClickButton(yes);
    EXPECT_EQ(end.Tag(), "YES");
    EXPECT_FALSE(quit->isActive());
    EXPECT_FALSE(end.isVisible());
    // Shown again: red at once, and Escape answers "NO".
    ShowActive(end);
    EXPECT_EQ(shownIn(), red);
    test::Press(Qt::Key_Escape);
    EXPECT_EQ(end.Tag(), "NO");
    EXPECT_FALSE(end.isVisible());
    // "Yes", then the close box of the window shown again: "NO".
    ShowActive(end);
    test::ClickButton(yes);
    ShowActive(end);
    test::ClickCloseBox(&end);
    EXPECT_EQ(end.Tag(), "NO");
}

// Guards the level values (exactly item / 1000), the separator, and a
// cancelled dialog leaving a changed level behind.
TEST(FrmProba, RowsLevelsAndCancel) {
    WorkbenchState state;
    state.DecSep = ",";
    state.Proba = 0.5;
    FrmProba dlg(state, nullptr);
    auto* list = Named<QListWidget>(&dlg, "lstProba");
    ASSERT_TRUE(list);
    EXPECT_EQ(dlg.windowTitle(), "Choose probability");
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(0)->text(), "0,5");
    EXPECT_EQ(list->item(1)->text(), "0,95");
    EXPECT_EQ(list->item(2)->text(), "0,99");
    EXPECT_EQ(list->item(3)->text(), "0,999");
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(state.Proba, 0.95);  // the load selects 0.95

    // Opened as the program opens it: BeginShow, then shown.
    auto open = [&] {
        dlg.BeginShow();
        ShowActive(dlg);
    };
    open();
    test::ClickRow(list, 3);
    EXPECT_EQ(state.Proba, 999 / 1000.0);
    test::ClickButton(Named<QPushButton>(&dlg, "cmdOK"));
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(state.Proba, 0.999);
    EXPECT_EQ(list->currentRow(), 3);  // kept for next time

    open();
    test::ClickRow(list, 0);
    EXPECT_EQ(state.Proba, 0.5);
    test::Press(Qt::Key_Escape);  // back to the level it opened with
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(state.Proba, 0.999);
    EXPECT_EQ(list->currentRow(), 3);
    open();
    test::ClickRow(list, 2);
    test::ClickCloseBox(&dlg);
    EXPECT_EQ(state.Proba, 0.999);
}

// Guards the stored time: the clock is read when the dialog opens, the
// default correction takes 15 s off it, and a bad correction stores nothing.
TEST(FrmTimeStore, CorrectedTimeAndRefusals) {
    WorkbenchState state;
    PlatformScript script;
    FrmTimeStore dlg(state, nullptr);
    double clock = DateTimeToDays(QDateTime(QDate(2026, 12, 9), QTime(4, 38, 21), Qt::UTC));
    dlg.utcNow = [&clock] { return clock; };
    auto* corr = Named<QLineEdit>(&dlg, "txtCorr");
    auto* gmtCorr = Named<QLineEdit>(&dlg, "txtGMTCorr");
    auto* ok = Named<QPushButton>(&dlg, "cmdOK");
    ASSERT_TRUE(corr && gmtCorr && ok);
    // The correction typed anew after a click at its right end.
    auto retype = [corr](const QString& keys) {
        test::Click(corr, test::Place::RightEnd);
        test::Type(QString(corr->text().size(), '\b') + keys);
    };
    const auto green = [corr] { return corr->styleSheet().contains("rgb(0,255,0)"); };
    EXPECT_EQ(dlg.windowTitle(), "Store current time");
    EXPECT_EQ(corr->text(), "-15");
    ShowActive(dlg);
    EXPECT_EQ(Named<QLineEdit>(&dlg, "txtGMT")->text(), "09 Dec 2026 04:38:21");
    EXPECT_EQ(gmtCorr->text(), "09 Dec 2026 04:38:06");
    clock += 30.0 / 86400.0;  // OK pressed later: the opening time counts
    test::ClickButton(ok);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(FormatDialogTime(state.TimeStored), "09 Dec 2026 04:38:06");
    EXPECT_TRUE(script.messages.empty());

    // Zero is refused as not negative on leaving the field, text as not
    // numeric on OK; the field keeps the focus and nothing is stored.
    state.TimeStored = 0.0;
    ShowActive(dlg);
    retype("0\t");
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, " Error in input data");
    EXPECT_EQ(script.messages[0].text,
              "Please check your clock correction.\r\nThis must be a negative value\r\n"
              "(time spent between the observation and the data entry).");
    EXPECT_TRUE(corr->hasFocus());
    EXPECT_FALSE(green());
    retype("abc");
    test::ClickButton(ok);
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(script.messages[1].text,
              "Please check your clock correction.\r\nThis must be a numeric value.");
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(state.TimeStored, 0.0);

    // A fractional negative correction is accepted; the up-down steps it.
    retype(test::Shown("-2.5") + "\t");
    EXPECT_EQ(script.messages.size(), 2u);
    EXPECT_TRUE(green());
    retype("-2");
    auto* up = Named<QToolButton>(&dlg, "updCorr_Up");
    test::ClickButton(up);
    EXPECT_EQ(corr->text(), "-1");
    test::ClickButton(up);
    EXPECT_EQ(corr->text(), "-1");  // never reaches zero
    test::ClickButton(Named<QToolButton>(&dlg, "updCorr_Down"));
    EXPECT_EQ(corr->text(), "-2");
    EXPECT_EQ(gmtCorr->text(), "09 Dec 2026 04:38:49");
}

// Guards OK doing nothing for a UT instant that the PC's own zone skips (the
// UT text was read as local time: 02:30 UT on 29 Mar 2026 under
// Europe/Paris), and the close box: the dialog comes back with "-15".
TEST(FrmTimeStoreInWindow, EveryInstantAndCloseBox) {
    const QByteArray oldZone = qgetenv("TZ");
    qputenv("TZ", "Europe/Paris");
    tzset();
    test::GridWindow g;
    g.w->Dialogs()->TimeStore()->utcNow = [] { return MakeDateTime(2026, 3, 29, 2, 30, 0); };
    auto* f5 = Named<QPushButton>(g.w.get(), "cmdChronoF5");
    g.script.dialogHandler = [](QDialog& d) { return test::ClickIn(d, "cmdOK"); };
    test::ClickButton(f5);
    EXPECT_EQ(FormatDialogTime(g.w->State().TimeStored), "29 Mar 2026 02:29:45");

    g.script.dialogHandler = [](QDialog& d) {
        ShowActive(d);
        test::Click(Named<QLineEdit>(&d, "txtCorr"), test::Place::RightEnd);
        test::Type("\b\b\b-40");
        test::ClickCloseBox(&d);
        return d.result();
    };
    test::ClickButton(f5);
    QString corr;
    g.script.dialogHandler = [&corr](QDialog& d) {
        corr = Named<QLineEdit>(&d, "txtCorr")->text();
        return 0;
    };
    test::ClickButton(f5);
    EXPECT_EQ(corr, "-15");
    oldZone.isNull() ? qunsetenv("TZ") : qputenv("TZ", oldZone);
    tzset();
}

// Guards the probability dialog after its close box: made anew, it chooses
// 0.95 again instead of keeping the level chosen before.
TEST(FrmProbaInWindow, CloseBoxMakesItAnew) {
    test::GridWindow g;
    g.script.dialogHandler = [](QDialog& d) {
        d.show();
        test::ClickRow(Named<QListWidget>(&d, "lstProba"), 3);
        test::ClickIn(d, "cmdOK");
        return 1;
    };
    g.w->Action("mnuAstroProba")->trigger();
    EXPECT_EQ(g.w->State().Proba, 0.999);
    g.script.dialogHandler = [](QDialog& d) {
        d.show();
        test::ClickCloseBox(&d);
        return 0;
    };
    g.w->Action("mnuAstroProba")->trigger();
    QString shown;
    g.script.dialogHandler = [&shown](QDialog& d) {
        shown = Named<QListWidget>(&d, "lstProba")->currentItem()->text();
        return 0;
    };
    g.w->Action("mnuAstroProba")->trigger();
    EXPECT_EQ(shown, test::Shown("0.95"));
    EXPECT_EQ(g.w->State().Proba, 0.95);
}

// Guards the wait window hanging a print: shown for a print, its bar steps
// every 20 ms and it hides after 18 ticks; shown again it starts from the
// minimum.
TEST(FrmWait, HidesAfterEighteenTicks) {
    PlatformScript script;
    FrmWait wait(nullptr);
    auto* timer = Named<QTimer>(&wait, "tmrWait");
    auto* bar = Named<QProgressBar>(&wait, "prgWait");
    ASSERT_TRUE(timer && bar);
    EXPECT_EQ(wait.windowTitle(), " Print job in progress");
    EXPECT_EQ(timer->interval(), 500);
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(bar->maximum(), 18);
    int ticks = 0, shownAt = -1;
    QObject::connect(timer, &QTimer::timeout, [&ticks] { ++ticks; });
    script.dialogHandler = [&](QDialog& d) {
        d.show();
        shownAt = bar->value();
        EXPECT_EQ(timer->interval(), 20);
        EXPECT_TRUE(QTest::qWaitFor([&d] { return !d.isVisible(); }, 5000));
        return d.result();
    };
    for (int run = 0; run < 2; ++run) {
        ticks = 0;
        wait.ShowWhilePrinting();
        EXPECT_EQ(shownAt, 0);
        EXPECT_EQ(ticks, 19);  // 18 steps, then the tick that hides it
        EXPECT_FALSE(timer->isActive());
    }
}

}  // namespace
}  // namespace orvex
