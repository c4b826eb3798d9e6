// Whole dates and times typed as people write them into every date-time
// field of the main window, through a keyboard that presses Shift before
// ":": the position tab's two pickers, the utilities' departure time, the
// clock page and the grid's time editor. However the field is entered (Tab,
// Shift+Tab, a click on any part; a grid cell opened by space, by its first
// digit or by a double click), the instant typed is the one taken.
#include <gtest/gtest.h>

#include <QDialog>
#include <QPushButton>

#include "grid_test_support.h"
#include "input_fields_support.h"
#include "platform/pc_clock.h"
#include "tests/entry_checks.h"
#include "workbench/frm_time_store.h"

namespace orvex {
namespace {

using test::Type;

// The picker's own line shows all of its text (nothing cut at either end).
void ExpectWholeTextShown(QDateTimeEdit* p) {
    p->setDateTime(QDateTime(QDate(2026, 9, 28), QTime(23, 59, 59), Qt::UTC));
    auto* line = p->findChild<QLineEdit*>();
    ASSERT_NE(line, nullptr);
    EXPECT_GE(line->width(), line->fontMetrics().horizontalAdvance(line->text()) + 4)
        << p->objectName().toStdString();
}

// Guards the pickers of the position tab, the ETA departure and the clock:
// a Shift press before ":" sent the minutes into the seconds (16:13:32 was
// taken as 16:00:13), and a date typed after a click or Shift+Tab went into
// the part clicked (a click on the day, "12 Oct 2026 22:01:02" gave 11 Oct
// 22:00:01).
TEST(TypedDates, EveryPickerEveryWay) {
    test::InputWindow in(".");
    const WorkbenchState& s = in.w->State();
    MaskedField* lat = test::InputNamed(*in.w, "mskLat_5");
    auto* time0 = test::InputNamed<QDateTimeEdit>(*in.w, "dtpTime_0");
    lat->SetMaskedText("41°10'.0 N");
    test::CheckPickerEntries(
        time0, [&] { return FromDateValue(s.TimeEstPos); }, in.script);
    test::CheckPickerEntries(
        test::InputNamed<QDateTimeEdit>(*in.w, "dtpTime_1"),
        [&] { return FromDateValue(s.TimeTruePos); }, in.script);
    EXPECT_EQ(lat->text(), "41°10'.0 N");  // no key strayed into it
    ExpectWholeTextShown(time0);

    in.w->Action("mnuUtilRL")->trigger();
    test::TabSet(*in.w, "tabUtil")->setCurrentIndex(2);
    auto* departure = test::Named<QDateTimeEdit>(in.w.get(), "dtpTime_2");
    test::CheckPickerEntries(
        departure, [&] { return FromDateValue(s.Utilities.EtaDepTime); }, in.script);
    ExpectWholeTextShown(departure);
    test::ClickButton(test::UtilitiesControl(*in.w, "cmdEndTabUtil_2"));

    in.w->Action("mnuOptionsTab")->trigger();
    test::TabSet(*in.w, "tabOptions")->setCurrentIndex(2);
    auto* toSet = test::Named<QDateTimeEdit>(in.w.get(), "dtpTime_3");
    test::CheckPickerEntries(
        toSet, [&] { return toSet->dateTime(); }, in.script);
    EXPECT_EQ(toSet->dateTime().time().msec(), 0);  // no milliseconds left over
    ExpectWholeTextShown(toSet);
}

// Guards the grid's time editor, opened by space, by its first digit or by
// a double click, and clicked on each part: the cell takes the instant
// typed. It once committed 20:26:21 for 21:00:00 and 19:00:41 for 19:41:30.
TEST(TypedDates, ObservationGridEditor) {
    test::GridWindow g;
    auto* grid = test::InputNamed<ObservationGrid>(*g.w, "grdObs");
    auto* editor = test::InputNamed<QDateTimeEdit>(*g.w, "dtpObsTime");
    QDateTime when(QDate(2026, 9, 11), QTime(21, 0, 0), Qt::UTC);
    for (int way = 0; way < 3 + editor->sectionCount(); ++way) {
        const int row = way + 1;
        when = test::NextInstant(editor, when);
        const QString text = QLocale::c().toString(when, "d MMM yyyy hh:mm:ss");
        SCOPED_TRACE(QString("way %1: %2").arg(way).arg(text).toStdString());
        grid->SetCurrentCell(row, 0);
        grid->setFocus();
        if (way == 1) {
            Type(text);  // its first digit opens the editor
        } else {
            if (way == 2)
                QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                                   grid->CellRect(row, 0).center());
            else
                Type(" ");
            ASSERT_TRUE(editor->hasFocus());
            if (way >= 3) test::ClickOnWord(editor, way - 3);
            Type(text);
        }
        test::Tab();
        EXPECT_EQ(grid->TextMatrix(row, 0), text);
        EXPECT_EQ(grid->Col(), 1);
    }
    ExpectWholeTextShown(editor);

    // F5: the clock's time less 15 s, then space opens the cell at it.
    g.w->Dialogs()->TimeStore()->utcNow = [] { return MakeDateTime(2026, 9, 11, 21, 0, 15); };
    g.script.dialogHandler = [](QDialog& d) {
        d.show();
        for (const char* name : {"txtGMT", "txtGMTCorr"}) {
            auto* t = d.findChild<QLineEdit*>(name);
            EXPECT_GE(t->width(), t->fontMetrics().horizontalAdvance(t->text()) + 4) << name;
        }
        test::ClickButton(d.findChild<QPushButton*>("cmdOK"));
        d.hide();
        return d.result();
    };
    grid->SetCurrentCell(12, 0);
    grid->setFocus();
    test::Press(Qt::Key_F5);
    QApplication::setActiveWindow(g.w.get());
    grid->setFocus();
    Type(" ");
    test::Tab();
    EXPECT_EQ(grid->TextMatrix(12, 0), "11 Sep 2026 21:00:00");
    for (const QString& t : g.script.Titles()) EXPECT_EQ(t, "Row not fully filled");
}

}  // namespace
}  // namespace orvex
