// Whole dates and times typed as people write them, separators and all,
// into every date-time field of the main window: the position tab's two
// pickers, the grid's time editor (opened by a digit or by space, and at a
// time stored by F5), the utilities' departure time and the clock page.
// Each keeps the focus, sets exactly the instant typed, touches no other
// field and shows its whole text.
#include <gtest/gtest.h>

#include <QDateTimeEdit>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

#include "grid_test_support.h"
#include "input_fields_support.h"
#include "workbench/frm_time_store.h"

namespace orvex {
namespace {

// Types `keys` one by one into whatever has the focus at each key.
void TypeEach(const QString& keys) {
    for (const QChar c : keys) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

QDateTime Ut(int y, int mo, int d, int h, int mi, int s) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
}

// The picker's own line shows all of its text (nothing cut at either end).
void ExpectWholeTextShown(QDateTimeEdit* p) {
    auto* line = p->findChild<QLineEdit*>();
    ASSERT_NE(line, nullptr);
    const int needed = line->fontMetrics().horizontalAdvance(line->text());
    EXPECT_GE(line->width(), needed + 4)
        << p->objectName().toStdString() << " " << line->text().toStdString();
}

// Guards the position tab: Tab into the estimated position's time and a
// whole date typed there. The blank after the day once moved the focus to
// the latitude, and the rest of the keys rewrote 41°10'.0 N to 2°02'.6 N.
TEST(TypedDates, PositionTab) {
    test::InputWindow in(",");
    StarFixInputPage* page = in.w->InputPage();
    in.InputTab(0);
    in.Type(page->mskLat5, "41100n");
    in.Leave(page->mskLong5);
    const QString lat = page->mskLat5->text();
    in.w->tabIn->tabBar()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(in.w->tabIn->tabBar(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), page->dtpTime[0]);
    TypeEach("11 Sep 2026 21:00:00");
    EXPECT_EQ(QApplication::focusWidget(), page->dtpTime[0]);
    EXPECT_EQ(page->dtpTime[0]->dateTime(), Ut(2026, 9, 11, 21, 0, 0));
    EXPECT_EQ(page->mskLat5->text(), lat);
    ExpectWholeTextShown(page->dtpTime[0]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), page->mskLat5);
    EXPECT_EQ(in.w->State().TimeEstPos, MakeDateTime(2026, 9, 11, 21, 0, 0));
    EXPECT_NEAR(in.w->State().Lat(6), 41 + 10.0 / 60, 1e-12);

    // The wanted time, with a one-digit day and a seconds part.
    page->dtpTime[1]->setFocus(Qt::TabFocusReason);
    TypeEach("8 Dec 2026 03:15:30");
    EXPECT_EQ(QApplication::focusWidget(), page->dtpTime[1]);
    page->mskCourse0->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(in.w->State().TimeTruePos, MakeDateTime(2026, 12, 8, 3, 15, 30));
    page->dtpTime[1]->setDateTime(Ut(2026, 9, 28, 23, 59, 59));
    ExpectWholeTextShown(page->dtpTime[1]);
    EXPECT_EQ(page->mskLat5->text(), lat);
    EXPECT_TRUE(in.script.messages.empty()) << in.script.LastText().toStdString();
}

// Guards the grid's time editor: a whole date typed on a closed cell (its
// first digit opens the editor) or in the editor opened by space, and a
// time stored by F5. The editor once committed 20:26:21 for 21:00:00 and
// was narrower than its text.
TEST(TypedDates, ObservationGrid) {
    test::GridWindow g;
    StarFixInputPage* page = g.w->InputPage();
    ObservationGrid* grid = page->grdObs;
    grid->SetCurrentCell(1, 0);
    grid->setFocus();
    QTest::keyClicks(grid, "1");
    ASSERT_TRUE(page->dtpObsTime->isVisible());
    TypeEach("1 Sep 2026 21:00:00");
    ExpectWholeTextShown(page->dtpObsTime);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(grid->TextMatrix(1, 0), "11 Sep 2026 21:00:00");
    EXPECT_EQ(grid->Col(), 1);

    grid->SetCurrentCell(2, 0);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Space);
    TypeEach("8 Dec 2026 19:22:05");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(grid->TextMatrix(2, 0), "8 Dec 2026 19:22:05");
    grid->SetCurrentCell(3, 0);
    grid->setFocus();
    QTest::keyClicks(grid, "2");
    TypeEach("8 Feb 2027 00:00:01");
    page->dtpObsTime->setDateTime(Ut(2026, 9, 28, 23, 59, 59));
    ExpectWholeTextShown(page->dtpObsTime);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

    // F5: the clock's time less 15 s, then space opens the cell at it.
    g.w->Dialogs()->TimeStore()->utcNow = [] { return MakeDateTime(2026, 9, 11, 21, 0, 15); };
    g.script.dialogHandler = [](QDialog& d) {
        d.show();
        for (const char* name : {"txtGMT", "txtGMTCorr"}) {
            auto* t = d.findChild<QLineEdit*>(name);
            EXPECT_GE(t->width(), t->fontMetrics().horizontalAdvance(t->text()) + 4) << name;
        }
        QTest::mouseClick(d.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        return d.result();
    };
    grid->SetCurrentCell(4, 0);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_F5);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Space);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(grid->TextMatrix(4, 0), "11 Sep 2026 21:00:00");
    for (const QString& t : g.script.Titles()) EXPECT_EQ(t, "Row not fully filled");
}

// Guards the utilities' departure time and the clock page's time to set.
TEST(TypedDates, UtilitiesAndClockPage) {
    test::InputWindow in(".", false);
    in.w->mnuUtil_Click(0);
    in.w->tabUtil->setCurrentIndex(2);
    auto* departure = in.w->findChild<QDateTimeEdit*>("dtpTime_2");
    ASSERT_NE(departure, nullptr);
    departure->setFocus(Qt::TabFocusReason);
    TypeEach("11 Sep 2026 21:00:00");
    EXPECT_EQ(QApplication::focusWidget(), departure);
    EXPECT_EQ(departure->dateTime(), Ut(2026, 9, 11, 21, 0, 0));
    ExpectWholeTextShown(departure);

    in.w->mnuOptionsTab_Click();
    in.w->tabOptions->setCurrentIndex(2);
    auto* toSet = in.w->findChild<QDateTimeEdit*>("dtpTime_3");
    ASSERT_NE(toSet, nullptr);
    toSet->setFocus(Qt::TabFocusReason);
    TypeEach("28 Sep 2026 23:59:58");
    EXPECT_EQ(QApplication::focusWidget(), toSet);
    EXPECT_EQ(toSet->dateTime(), Ut(2026, 9, 28, 23, 59, 58));  // no milliseconds left over
    ExpectWholeTextShown(toSet);
}

}  // namespace
}  // namespace orvex
