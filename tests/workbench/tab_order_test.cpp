// The main window walked with the keyboard alone: Tab stops at the controls
// of each page in the order they are read (top to bottom, then left to
// right), a date-time picker is one stop, and Enter presses the focused
// button.
#include <gtest/gtest.h>

#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "input_fields_support.h"
#include "tests/keyboard.h"
#include "workbench/frm_end.h"
#include "workbench/options_page.h"
#include "workbench/window_art.h"

namespace orvex {
namespace {

// The stops of Tab from the tab bar of `tabs` on tab `index` until the tab
// bar comes back (at most `limit` stops).
QStringList TabStops(QTabWidget* tabs, int index, int limit = 30) {
    tabs->blockSignals(true);
    tabs->setCurrentIndex(index);
    tabs->blockSignals(false);
    tabs->tabBar()->setFocus(Qt::TabFocusReason);
    QStringList stops;
    for (int i = 0; i < limit; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* f = QApplication::focusWidget();
        if (!f || f == tabs->tabBar()) break;
        stops << f->objectName();
    }
    return stops;
}

// Guards the Tab order of every tab of the input, preferences and
// utilities pages. The position tab once went estimated time, wanted time,
// check box, tab bar, latitude..., the pressures came after the
// temperatures, and each picker took six Tabs to leave.
TEST(KeyboardWalk, TabFollowsTheReadingOrder) {
    test::InputWindow in(".");
    FrmWorking* w = in.w.get();
    EXPECT_EQ(TabStops(test::TabSet(*w, "tabIn"), 0),
              QStringList({"dtpTime_0", "mskLat_5", "mskLong_5", "dtpTime_1", "mskCourse_0",
                           "mskSpeed", "ch3OneEstPos_1", "cmdNextTabIn_0", "cmdCancel_0"}));
    EXPECT_EQ(TabStops(test::TabSet(*w, "tabIn"), 1),
              QStringList({"mskHeightM", "mskHeightF", "mskInstErr_0", "mskPress_mBars",
                           "mskPressHg", "mskTempCelcius_0", "mskTempFahr_0", "mskTempCelcius_1",
                           "mskTempFahr_1", "cmdPrevTabIn_1", "cmdNextTabIn_1", "cmdCancel_1"}));
    // In the grid Tab moves from cell to cell.
    EXPECT_EQ(TabStops(test::TabSet(*w, "tabIn"), 2, 3),
              QStringList({"cmdChronoF5", "grdObs", "grdObs"}));
    w->Action("bthMain")->trigger();
    in.script.Clear();

    w->Action("mnuOptionsTab")->trigger();
    EXPECT_EQ(TabStops(test::TabSet(*w, "tabOptions"), 0),
              QStringList({"cboEllipsoid_0", "cmdNextTabOptions_0", "cmdEndTabOptions_0"}));
    EXPECT_EQ(TabStops(test::TabSet(*w, "tabOptions"), 1),
              QStringList({"ch3FullRoutine", "ch3OneEstPos_0", "ch3FindSystErr",
                           "cmdPrevTabOptions_1", "cmdNextTabOptions_1", "cmdEndTabOptions_1"}));
    EXPECT_EQ(
        TabStops(test::TabSet(*w, "tabOptions"), 2),
        QStringList({"dtpTime_3", "cmdSetSysTime", "cmdPrevTabOptions_2", "cmdEndTabOptions_2"}));
    QTest::keyClick(test::TabSet(*w, "tabOptions")->tabBar(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), test::Named<QPushButton>(&*w, "cmdEndTabOptions_2"));
    test::ClickButton(test::Named<QPushButton>(&*w, "cmdEndTabOptions_2"));

    w->Action("mnuUtilRL")->trigger();
    EXPECT_EQ(TabStops(test::TabSet(*w, "tabUtil"), 0),
              QStringList({"mskLat_0", "mskLong_0", "mskLat_1", "mskLong_1", "mskCourse_1",
                           "mskDist", "cmdShift", "cmdErase_6", "cmdCompute_0", "cmdNextTabUtil_0",
                           "cmdEndTabUtil_0"}));
    EXPECT_EQ(
        TabStops(test::TabSet(*w, "tabUtil"), 1).mid(0, 6),
        QStringList({"mskLat_2", "mskLong_2", "mskLat_3", "mskLong_3", "mskLat_4", "mskLong_4"}));
    const QStringList eta = TabStops(test::TabSet(*w, "tabUtil"), 2);
    EXPECT_EQ(eta.mid(0, 3), QStringList({"mskDTG", "mskMinSpeed", "mskMaxSpeed"}));
    EXPECT_EQ(eta.count("dtpTime_2"), 1);
    EXPECT_EQ(eta.mid(eta.size() - 2), QStringList({"cmdPrevTabUtil_2", "cmdEndTabUtil_2"}));
    EXPECT_TRUE(in.script.messages.empty()) << in.script.LastText().toStdString();
}

// Guards Enter on a focused button: it presses that button, on the pages
// as in the quit dialog, where Enter on "Cancel" once quit the program.
TEST(KeyboardWalk, EnterPressesTheFocusedButton) {
    test::InputWindow in(".");
    FrmWorking* w = in.w.get();
    for (int i = 1; i <= 8; ++i) w->State().FixEntered[i] = true;
    test::InputNamed<QPushButton>(*w, "cmdNextTabIn_0")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(test::InputNamed<QPushButton>(*w, "cmdNextTabIn_0"), Qt::Key_Return);
    EXPECT_EQ(test::TabSet(*w, "tabIn")->currentIndex(), 1);
    test::InputNamed<QPushButton>(*w, "cmdCancel_1")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(test::InputNamed<QPushButton>(*w, "cmdCancel_1"), Qt::Key_Enter);
    EXPECT_FALSE(test::TabSet(*w, "tabIn")->isVisible());

    FrmEnd end(w);
    end.show();
    QApplication::setActiveWindow(&end);
    auto* no = test::Named<QPushButton>(&end, "cmdNo");
    no->setFocus(Qt::TabFocusReason);
    QTest::keyClick(no, Qt::Key_Return);
    EXPECT_EQ(end.Tag(), "NO");
    EXPECT_FALSE(end.isVisible());
}

// Guards a rhumb line typed through by Tab alone: Tab went from each field
// to its erase button, so the longitude typed next was lost and the
// following field took its digits.
TEST(KeyboardWalk, RhumbLineTypedThroughByTab) {
    test::InputWindow in(".", false);
    FrmWorking* w = in.w.get();
    test::ClickAt(test::Named<QWidget>(&*w, "picRLGC"),
                  test::Named<QWidget>(&*w, "picRLGC")->rect().center());
    test::Type("45300n\t030150w\t40000n\t020000w\t");
    QStringList typed;
    for (const char* name : {"mskLat_0", "mskLong_0", "mskLat_1", "mskLong_1"})
        typed << test::Named<QLineEdit>(w, name)->text();
    EXPECT_EQ(typed, QStringList({in.S("45°30'.0 N"), in.S("030°15'.0 W"), in.S("40°00'.0 N"),
                                  in.S("020°00'.0 W")}));
    EXPECT_EQ(QApplication::focusWidget(), test::Named(w, "mskCourse_1"));
    // The four positions pose the inverse problem: its course shown (126.09°
    // on WGS 84 from the meridional parts).
    EXPECT_EQ(test::Named<QLineEdit>(w, "mskCourse_1")->text(), in.S("126°.1"));
    EXPECT_TRUE(in.script.messages.empty()) << in.script.LastText().toStdString();
}

}  // namespace
}  // namespace orvex
