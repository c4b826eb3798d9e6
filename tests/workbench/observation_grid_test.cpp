// The observation grid through the navigator's keys: opening the editors,
// committing them, the row checks, Delete and Ctrl+Delete, Tab, the reading
// of the grid into the observation set and its sort by time.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QLabel>
#include <QTest>

#include "grid_test_support.h"
#include "navlib/array_lib.h"
#include "navlib/date_time.h"
#include "navlib/number_format.h"
#include "tests/keyboard.h"
#include "workbench/core/observation_table.h"
#include "workbench/observation_texts.h"

namespace orvex {
namespace {

struct Grid : ::testing::Test, test::GridWindow {
    ObservationGrid* g() { return test::InputNamed<ObservationGrid>(*w, "grdObs"); }
    bool filled(int r, int c) { return w->State().Sights.Filled(r, c); }
    // A key typed on the grid (the grid has the focus).
    void GridKey(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        g()->setFocus();
        QTest::keyClick(g(), key, mods);
    }
    void GridChar(char c) {
        g()->setFocus();
        test::Type(QString(QChar(c)));
    }
    // Keys typed into whatever has the focus.
    void Type(const QString& text) { test::Type(text); }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, mods);
    }
    QString Cell(int r, int c) { return g()->TextMatrix(r, c); }
    // A cell's text put into the table as a loader puts it (numbers as
    // typed with the window's separator); the grid follows the table.
    void PutText(int r, int c, const char* text) {
        const std::string sep = w->State().DecSep;
        w->State().Sights.PutText(r, c, test::Shown(text).toStdString(), sep);
    }
    // An altitude text its check refuses, in its cell (which does not count).
    void RefuseAltitude(int r, const char* text) {
        w->State().Sights.CommitAltitude(r, test::Shown(text).toStdString());
    }
    void Screenshot(const char* name) {
        QApplication::processEvents();
        const QString path = test::TestOutputFolder() + "/" + name;
        EXPECT_TRUE(w->grab().save(path)) << path.toStdString();
    }
};

// Guards the layout: 49 sight rows under the header, the header texts and
// colour, nothing committed, the current cell at the top left, the editors
// hidden.
TEST_F(Grid, LayoutOfAnEmptyGrid) {
    EXPECT_EQ(g()->objectName(), "grdObs");
    EXPECT_EQ(g()->Rows(), 50);
    EXPECT_EQ(g()->columnCount(), 4);
    EXPECT_EQ(ObservationGrid::HeaderText(0), "Time of observation");
    EXPECT_EQ(ObservationGrid::HeaderText(1), "Observed \rbody ");
    EXPECT_EQ(ObservationGrid::HeaderText(2), "Instr.  \raltitude");
    EXPECT_EQ(ObservationGrid::HeaderText(3), "Inst.\rcorr");
    EXPECT_EQ(g()->horizontalHeaderItem(1)->text(), "Observed \nbody ");
    EXPECT_EQ(g()->horizontalHeaderItem(0)->foreground().color(), QColor(0, 0, 255));
    for (int c = 0; c < 4; ++c) {
        // The last column takes the grid's few spare pixels.
        const int editorWidth = test::GridEditorNamed(*w, c)->width() - 1;
        EXPECT_TRUE(c < 3 ? g()->columnWidth(c) == editorWidth : g()->columnWidth(c) >= editorWidth)
            << c;
        EXPECT_FALSE(test::GridEditorNamed(*w, c)->isVisible());
    }
    for (int r = 1; r <= 50; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_FALSE(filled(r, c));
    EXPECT_EQ(g()->Row(), 1);
    EXPECT_EQ(g()->Col(), 0);
    EXPECT_EQ(w->State().Sights.Rows(), 49);
    for (const char* n : {"dtpObsTime", "cboBody", "mskHeightInst", "mskInstErr_1"})
        EXPECT_NE(w->findChild<QWidget*>(n), nullptr) << n;
}

// Guards a whole sight typed through the four editors with Tab, the
// correction cell filled from the conditions field, and the commits' flags.
TEST_F(Grid, OneSightTypedThroughTheEditors) {
    test::InputNamed(*w, "mskInstErr_0")->SetMaskedText(test::Shown("-01.50"));
    w->State().TimeEstPos = MakeDateTime(2026, 12, 8, 18, 0, 0);
    // Time: space opens the picker at the estimated position's time (the
    // header above is no date); Up steps the selected part; Tab commits.
    GridKey(Qt::Key_Space);
    ASSERT_TRUE(test::InputNamed<QDateTimeEdit>(*w, "dtpObsTime")->isVisible());
    EXPECT_EQ(test::InputNamed<QDateTimeEdit>(*w, "dtpObsTime")->dateTime(),
              QDateTime(QDate(2026, 12, 8), QTime(18, 0, 0), Qt::UTC));
    EXPECT_FALSE(filled(1, 0));
    test::InputNamed<QDateTimeEdit>(*w, "dtpObsTime")
        ->setCurrentSection(QDateTimeEdit::MinuteSection);
    Key(Qt::Key_Up);
    Key(Qt::Key_Up);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Cell(1, 0), "8 Dec 2026 18:02:00");
    EXPECT_TRUE(filled(1, 0));
    EXPECT_FALSE(test::InputNamed<QDateTimeEdit>(*w, "dtpObsTime")->isVisible());
    EXPECT_EQ(g()->Col(), 1);
    // The correction of the conditions tab came with the first commit.
    EXPECT_EQ(Cell(1, 3), test::Shown("-01.50"));
    EXPECT_TRUE(filled(1, 3));

    // Body: a letter opens the list on that letter; Tab commits.
    GridChar('v');
    ASSERT_TRUE(test::InputNamed<QComboBox>(*w, "cboBody")->isVisible());
    QApplication::processEvents();
    EXPECT_EQ(test::InputNamed<QComboBox>(*w, "cboBody")->currentText(), "VEGA");
    Key(Qt::Key_Return);  // swallowed: the editor stays
    EXPECT_TRUE(test::InputNamed<QComboBox>(*w, "cboBody")->isVisible());
    Key(Qt::Key_Tab);
    EXPECT_EQ(Cell(1, 1), "VEGA");
    EXPECT_TRUE(filled(1, 1));
    EXPECT_EQ(g()->Col(), 2);

    // Altitude: "4" opens the field with the digit in place; a "6" at the
    // tens of minutes is refused, the rest is normalised on Tab.
    GridChar('4');
    ASSERT_TRUE(test::InputNamed(*w, "mskHeightInst")->isVisible());
    EXPECT_EQ(test::InputNamed(*w, "mskHeightInst")->text(), test::Shown("4_°__'._"));
    Type("5");
    Type("7");  // refused: no 70 minutes
    Type("3");
    Type("05");
    EXPECT_EQ(test::InputNamed(*w, "mskHeightInst")->text(), test::Shown("45°30'.5"));
    Key(Qt::Key_Tab);
    EXPECT_EQ(Cell(1, 2), test::Shown("45°30'.5"));
    EXPECT_TRUE(filled(1, 2));
    EXPECT_EQ(test::InputNamed(*w, "mskHeightInst")->BackColor(), kValidGreen);
    // Tab never reaches the correction: it wraps to the next row.
    EXPECT_EQ(g()->Row(), 2);
    EXPECT_EQ(g()->Col(), 0);
    EXPECT_TRUE(script.messages.empty());
}

// Guards the altitude field's checks: 89°59'.9 is taken, a "9" cannot start
// the degrees, a prompt-filled entry is normalised, a refused value leaves
// the cell red with its text and one message.
TEST_F(Grid, AltitudeChecks) {
    g()->SetCurrentCell(1, 2);
    GridChar('8');
    Type("9599");
    Key(Qt::Key_Up);  // leaves the editor; row 1 is the first row
    EXPECT_EQ(Cell(1, 2), test::Shown("89°59'.9"));
    EXPECT_TRUE(filled(1, 2));
    EXPECT_FALSE(test::InputNamed(*w, "mskHeightInst")->isVisible() &&
                 test::InputNamed(*w, "mskHeightInst")->hasFocus());

    // "9" on a closed cell opens it empty; a "9" in the first place is
    // refused there too.
    g()->SetCurrentCell(2, 2);
    script.Clear();
    GridChar('9');
    EXPECT_EQ(test::InputNamed(*w, "mskHeightInst")->text(), test::Shown("__°__'._"));
    EXPECT_EQ(test::InputNamed(*w, "mskHeightInst")->cursorPosition(), 0);
    Type("9");
    EXPECT_EQ(test::InputNamed(*w, "mskHeightInst")->text(), test::Shown("__°__'._"));
    // Only some digits: the prompts read as blanks.
    Type("7");
    Key(Qt::Key_Escape);  // closes without a commit
    EXPECT_TRUE(Cell(2, 2).isEmpty());
    EXPECT_FALSE(filled(2, 2));
    GridChar('7');
    Key(Qt::Key_Tab);
    EXPECT_EQ(Cell(2, 2), test::Shown("07°00'.0"));

    // A refused altitude (from an old file's text): red cell, its text, one
    // message although two commits run.
    RefuseAltitude(3, "95°10'.0");
    g()->SetCurrentCell(3, 2);
    script.Clear();
    GridKey(Qt::Key_Space);
    EXPECT_EQ(test::InputNamed(*w, "mskHeightInst")->text(), test::Shown("95°10'.0"));
    Key(Qt::Key_Tab);
    // (Leaving the row also reports row 2, which has only its altitude.)
    std::vector<QString> refusals;
    for (const auto& m : script.messages)
        if (m.title == " Error in input data") refusals.push_back(m.text);
    EXPECT_EQ(refusals, std::vector<QString>{"Altitude > 90°."});
    EXPECT_EQ(g()->CellBackColor(3, 2), QColor(255, 0, 0));
    EXPECT_EQ(Cell(3, 2), test::Shown("95°10'.0"));
    EXPECT_FALSE(filled(3, 2));
    RefuseAltitude(4, "12°75'.0");
    g()->SetCurrentCell(4, 2);
    script.Clear();
    GridKey(Qt::Key_Enter);
    Key(Qt::Key_Tab);
    ASSERT_GE(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text, "The altitude has more than 59'.");
    // Esc on an empty altitude cell shows the blank template.
    g()->SetCurrentCell(5, 2);
    GridKey(Qt::Key_Space);
    Type("12");
    test::InputNamed(*w, "mskHeightInst")->setFocus();
    QTest::keyClick(test::InputNamed(*w, "mskHeightInst"), Qt::Key_Escape);
    EXPECT_EQ(test::InputNamed(*w, "mskHeightInst")->text(), test::Shown("__°__'._"));
}

// Guards the correction editor and the conditions field that share its
// handlers: the grid takes any value held to +-99.99 without a question;
// the conditions field asks above 60', refuses above 99.99', and a field
// left empty keeps the fix from starting.
TEST_F(Grid, CorrectionEditorAndConditionsField) {
    g()->SetCurrentCell(1, 3);
    GridChar('-');
    EXPECT_EQ(test::InputNamed(*w, "mskInstErr_1")->text(), test::Shown("-__.__"));
    Type(test::Shown("2.5"));
    Key(Qt::Key_Escape);
    EXPECT_TRUE(Cell(1, 3).isEmpty());
    GridChar('-');
    Type(test::Shown("2.5"));
    g()->setFocus();  // the grid's commit
    EXPECT_EQ(Cell(1, 3), test::Shown("-02.50"));
    EXPECT_TRUE(filled(1, 3));
    // Beyond the field's range (a value put in by program): held to 99.99.
    g()->SetCurrentCell(2, 3);
    GridKey(Qt::Key_Space);
    test::InputNamed(*w, "mskInstErr_1")->SetMaskedText(test::Shown("999.99"));
    g()->setFocus();
    EXPECT_EQ(Cell(2, 3), test::Shown("+99.99"));
    EXPECT_TRUE(script.messages.empty());

    // The conditions field, entered by Tab on its tab (shown as code does,
    // without the entry checks).
    MaskedField* f = test::InputNamed(*w, "mskInstErr_0");
    QTabWidget* tabs = test::TabSet(*w, "tabIn");
    tabs->blockSignals(true);
    tabs->setCurrentIndex(1);
    tabs->blockSignals(false);
    auto& entered = w->State().FixEntered;
    entered[8] = true;
    ASSERT_TRUE(test::Enter(f, test::Way::Tab));
    EXPECT_FALSE(entered[8]);
    f->SetMaskedText(test::Shown(" 75.00"));
    f->Commit();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].style, kIconQuestion + kButtonsOk);
    EXPECT_EQ(script.messages[0].title, "Probable error in input data");
    EXPECT_EQ(script.messages[0].text,
              "Are you sure the instrumental correction is higher than 1° ?\r\n"
              " I suggest you throw your sextant overboard.");
    EXPECT_EQ(f->BackColor(), kDoubtfulOrange);
    EXPECT_EQ(f->text(), test::Shown("+75.00"));
    EXPECT_EQ(w->State().InstErr, 75.0);
    EXPECT_TRUE(entered[8]);
    // (Leaving the field to enter it again commits it once more.)
    ASSERT_TRUE(test::Enter(f, test::Way::Tab));
    script.Clear();
    f->SetMaskedText(test::Shown("-00.50"));
    f->Commit();
    EXPECT_TRUE(script.messages.empty());
    EXPECT_EQ(f->BackColor(), kValidGreen);
    EXPECT_EQ(w->State().InstErr, -0.5);
    ASSERT_TRUE(test::Enter(f, test::Way::Tab));
    script.Clear();
    f->SetMaskedText(test::Shown("-__.__"));  // a sign alone is no number
    f->Commit();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text,
              "The instrumental correction is not valid. Try again please.");
    EXPECT_EQ(f->text(), test::Shown("-__.__"));
    EXPECT_FALSE(entered[8]);
    EXPECT_EQ(w->State().InstErr, -0.5);
    // Left empty: still not entered, and the fix stops at "Missing data".
    ASSERT_TRUE(test::Enter(f, test::Way::Tab));
    f->SetMaskedText("");
    f->Commit();
    EXPECT_FALSE(entered[8]);
    for (int i = 1; i <= 7; ++i) entered[i] = true;
    script.Clear();
    EXPECT_FALSE(test::RunFix(*w));
    EXPECT_EQ(script.messages.at(0).title, "Missing data");
}

// Guards the correction keys: the same keys give the same value on a closed
// cell, in the editor opened over a filled cell and in the conditions field
// entered by Tab, read as the number a person writes; a minus is never
// lost. Four digits are the cell's own ("-0120" is -01.20). "120" once gave
// +12.00 on a closed cell and -01.20 in the opened editor, "-0120" gave
// -00.12, and "-120" in the conditions field +01.20.
TEST_F(Grid, CorrectionKeysMeanTheSameEverywhere) {
    const struct {
        const char* keys;
        const char* cell;       // the grid's cell text
        const char* condition;  // the conditions field's text, or "" when refused
    } cases[] = {
        {"75", "+75.00", "+75.00"},   {"075", "+75.00", "+75.00"},   {"120", "+99.99", ""},
        {"-120", "-99.99", ""},       {"-0120", "-01.20", "-01.20"}, {"-1.5", "-01.50", "-01.50"},
        {"0120", "+01.20", "+01.20"}, {"1.25", "+01.25", "+01.25"},  {"9", "+09.00", "+09.00"},
        {"1.5-", "-01.50", "-01.50"}, {"0.5", "+00.50", "+00.50"},
    };
    test::InputNamed(*w, "mskInstErr_0")->SetMaskedText(test::Shown("+00.00"));
    MaskedField* conditions = test::InputNamed(*w, "mskInstErr_0");
    MaskedField* feet = w->MaskField("mskHeightF", -1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        const QString keys = c.keys;
        // A closed cell: the first key opens it.
        g()->SetCurrentCell(1, 3);
        GridChar(c.keys[0]);
        Type(keys.mid(1));
        g()->setFocus();
        EXPECT_EQ(Cell(1, 3), test::Shown(c.cell));
        // The editor opened by space over a filled cell.
        PutText(2, 3, "-01.50");
        g()->SetCurrentCell(2, 3);
        GridKey(Qt::Key_Space);
        Type(keys);
        g()->setFocus();
        EXPECT_EQ(Cell(2, 3), test::Shown(c.cell));
        EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();

        // The conditions field, entered by Tab from the feet.
        test::TabSet(*w, "tabIn")->blockSignals(true);
        test::TabSet(*w, "tabIn")->setCurrentIndex(1);
        test::TabSet(*w, "tabIn")->blockSignals(false);
        feet->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), conditions);
        Type(keys);
        Key(Qt::Key_Tab);
        if (*c.condition) {
            EXPECT_EQ(conditions->text(), test::Shown(c.condition));
            EXPECT_TRUE(w->State().FixEntered[8]);
        } else {
            ASSERT_EQ(script.messages.size(), 1u);
            EXPECT_EQ(script.messages[0].text,
                      "The instrumental correction is not valid. Try again please.");
            EXPECT_FALSE(w->State().FixEntered[8]);
            EXPECT_EQ(QApplication::focusWidget(), conditions);
            Type("5");  // tried again: a new number
            Key(Qt::Key_Tab);
            EXPECT_EQ(conditions->text(), test::Shown("+05.00"));
        }
        script.Clear();
        test::TabSet(*w, "tabIn")->blockSignals(true);
        test::TabSet(*w, "tabIn")->setCurrentIndex(2);
        test::TabSet(*w, "tabIn")->blockSignals(false);
    }
}

// Guards the first place of both correction fields: it takes a sign, a
// blank or a digit and nothing else. A stray letter there once read as no
// number and went silently into the fix as +99.99' (1°40').
TEST_F(Grid, StrayLetterInACorrectionIsRefused) {
    g()->SetCurrentCell(1, 3);
    GridChar('x');  // opens the cell, the letter is not taken
    EXPECT_EQ(test::InputNamed(*w, "mskInstErr_1")->text(), test::Shown("___.__"));
    Type(test::Shown("1.5"));
    Key(Qt::Key_Home);
    Type("k");
    EXPECT_EQ(test::InputNamed(*w, "mskInstErr_1")->text(), test::Shown("__1.5_"));
    Type("-");
    Key(Qt::Key_Up);  // leaves the editor
    EXPECT_EQ(Cell(1, 3), test::Shown("-01.50"));
    g()->SetCurrentCell(2, 3);
    GridChar(' ');
    Type("0");
    Key(Qt::Key_Home);
    Type(" ");
    EXPECT_EQ(test::InputNamed(*w, "mskInstErr_1")->text(), test::Shown(" _0.__"));
    // The conditions field: the same place takes no letter either.
    test::TabSet(*w, "tabIn")->blockSignals(true);
    test::TabSet(*w, "tabIn")->setCurrentIndex(1);
    test::TabSet(*w, "tabIn")->blockSignals(false);
    MaskedField* f = test::InputNamed(*w, "mskInstErr_0");
    QTest::mouseClick(f, Qt::LeftButton);
    f->setCursorPosition(0);
    Type("q+0120");
    EXPECT_EQ(f->text(), test::Shown("+01.20"));
    w->MaskField("mskHeightM", -1)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(w->State().InstErr, 1.2);
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
}

// Guards the time editor's keys: a typed digit replaces the first one of
// the picker's text, Esc goes back to the cell's date without committing,
// a stored chronometer time is taken once, and the row above is offered.
TEST_F(Grid, TimeEditorKeys) {
    PutRow(1, "8 Dec 2026 18:10:20", "VEGA", "20°00'.0", "+00.00");
    g()->SetCurrentCell(2, 0);
    GridKey(Qt::Key_Space);  // the time of the row above
    EXPECT_EQ(test::InputNamed<QDateTimeEdit>(*w, "dtpObsTime")->dateTime().time(),
              QTime(18, 10, 20));
    Key(Qt::Key_Escape);
    EXPECT_TRUE(Cell(2, 0).isEmpty());
    EXPECT_FALSE(filled(2, 0));
    w->State().TimeStored = MakeDateTime(2026, 12, 8, 18, 12, 0);
    GridKey(Qt::Key_Space);
    EXPECT_EQ(test::InputNamed<QDateTimeEdit>(*w, "dtpObsTime")->dateTime().time(),
              QTime(18, 12, 0));
    EXPECT_EQ(w->State().TimeStored, 0.0);
    Key(Qt::Key_Return);  // swallowed
    EXPECT_TRUE(test::InputNamed<QDateTimeEdit>(*w, "dtpObsTime")->isVisible());
    Key(Qt::Key_Down);  // steps the picker, stays open
    EXPECT_TRUE(test::InputNamed<QDateTimeEdit>(*w, "dtpObsTime")->isVisible());
    g()->setFocus();
    EXPECT_TRUE(filled(2, 0));
    // A digit typed on a closed time cell: "8 Dec" becomes "3 Dec".
    g()->SetCurrentCell(1, 0);
    GridChar('3');
    EXPECT_EQ(test::InputNamed<QDateTimeEdit>(*w, "dtpObsTime")->date(), QDate(2026, 12, 3));
    // Esc over a dated cell: back to its date, the cell stays committed.
    Key(Qt::Key_Escape);
    EXPECT_EQ(Cell(1, 0), "8 Dec 2026 18:10:20");
    EXPECT_TRUE(filled(1, 0));
    EXPECT_EQ(test::InputNamed<QDateTimeEdit>(*w, "dtpObsTime")->date(), QDate(2026, 12, 8));
}

// Guards the body editor: Up and Down leave it and move a row, the
// partly filled row is reported on leaving it, a name not in the list opens
// on the first entry.
TEST_F(Grid, BodyEditorAndRowCheck) {
    g()->SetCurrentCell(2, 1);
    GridKey(Qt::Key_Space);
    EXPECT_EQ(test::InputNamed<QComboBox>(*w, "cboBody")->currentIndex(),
              0);  // empty cell: first entry
    test::InputNamed<QComboBox>(*w, "cboBody")->setCurrentText("SIRIUS");
    Key(Qt::Key_Down);
    EXPECT_EQ(Cell(2, 1), "SIRIUS");
    EXPECT_FALSE(test::InputNamed<QComboBox>(*w, "cboBody")->isVisible());
    EXPECT_EQ(g()->Row(), 3);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, "Row not fully filled");
    EXPECT_EQ(script.messages[0].text, "Data missing for the observation 2.");
    EXPECT_EQ(script.messages[0].style, kIconInformation + kButtonsOk);
    // Row 2 stays the row the check looks at: leaving row 3 says it again.
    g()->SetCurrentCell(4, 1);
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(script.messages[1].text, "Data missing for the observation 2.");
    // Opening on a known name selects it by binary search.
    g()->SetCurrentCell(2, 1);
    script.Clear();
    GridKey(Qt::Key_Space);
    EXPECT_EQ(test::InputNamed<QComboBox>(*w, "cboBody")->currentText(), "SIRIUS");
    Key(Qt::Key_Up);
    EXPECT_EQ(g()->Row(), 1);
    EXPECT_EQ(script.messages.size(), 1u);
    // A row whose only filled cell is its correction passes silently.
    PutRow(2, "8 Dec 2026 18:01:00", "SIRIUS", "20°00'.0", "+00.00");
    g()->SetCurrentCell(5, 0);
    PutText(5, 3, "+00.00");
    script.Clear();
    g()->SetCurrentCell(6, 0);
    EXPECT_TRUE(script.messages.empty());
    EXPECT_EQ(g()->Row(), 6);
}

// Guards Delete (one cell, "Row empty" when the row is left empty, again on
// an empty cell) and Ctrl+Delete (the row goes and the flags move up).
TEST_F(Grid, DeleteAndControlDelete) {
    PutRow(1, "8 Dec 2026 18:00:00", "VEGA", "20°00'.0", "+00.00");
    PutRow(2, "8 Dec 2026 18:01:00", "DENEB", "30°00'.0", "+00.00");
    PutRow(3, "8 Dec 2026 18:02:00", "ALTAIR", "40°00'.0", "+00.00");
    g()->SetCurrentCell(2, 2);
    g()->SetCellBackColor(2, 2, kRefusedRed);
    GridKey(Qt::Key_Delete);
    EXPECT_TRUE(Cell(2, 2).isEmpty());
    EXPECT_FALSE(filled(2, 2));
    EXPECT_EQ(g()->CellBackColor(2, 2), MaskedField::WindowColor());
    EXPECT_TRUE(script.messages.empty());
    for (int c : {0, 1, 3}) {
        g()->SetCurrentCell(2, c);
        GridKey(Qt::Key_Delete);
    }
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, "Row empty");
    EXPECT_EQ(script.messages[0].text,
              "If you want to delete the entire row,\r\nplease use <Control> <Delete>.");
    GridKey(Qt::Key_Delete);  // the empty cell again
    EXPECT_EQ(script.messages.size(), 2u);

    // Ctrl+Delete of the emptied row: row 3 moves up with its flags, an
    // empty row comes in at the end.
    script.Clear();
    GridKey(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(g()->Rows(), 50);
    EXPECT_EQ(Cell(2, 1), "ALTAIR");
    for (int c = 0; c < 4; ++c) {
        EXPECT_TRUE(filled(2, c));
        EXPECT_FALSE(filled(3, c));
    }
    ASSERT_TRUE(test::SaveCancelled(*w, script));
    EXPECT_EQ(w->State().Obs.ObsCount, 2);
    EXPECT_EQ(w->State().Obs.ObsBody[2], "ALTAIR");
}

// Guards Ctrl+Delete above a gap: every row below moves up with its cells.
// The committed flags once stayed behind the gap while the texts moved up,
// so a sight shown below the gap was left out of the fix once the gap was
// filled.
TEST_F(Grid, ControlDeleteAboveAGapMovesWholeRows) {
    PutRow(1, "8 Dec 2026 18:00:00", "VEGA", "20°00'.0", "+00.00");
    PutRow(2, "8 Dec 2026 18:01:00", "DENEB", "30°00'.0", "+00.00");
    PutRow(4, "8 Dec 2026 18:03:00", "ALTAIR", "40°00'.0", "+00.00");
    g()->SetCurrentCell(1, 0);
    GridKey(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Cell(3, 1), "ALTAIR");
    EXPECT_TRUE(Cell(4, 1).isEmpty());
    PutRow(2, "8 Dec 2026 18:02:00", "SIRIUS", "25°00'.0", "+00.00");
    ASSERT_TRUE(test::SaveCancelled(*w, script));
    EXPECT_EQ(w->State().Obs.ObsCount, 3);
    EXPECT_EQ(w->State().Obs.ObsBody[3], "ALTAIR");
}

// Guards Ctrl+Delete held down: the grid keeps its 49 sight rows, emptied,
// and sights can still be typed one after the other. It once removed a row
// for good at every press, until one row was left and Tab wrapped back to
// it, so that only one sight could be typed until the next erase or load.
TEST_F(Grid, ControlDeleteKeepsTheRows) {
    PutRow(1, "8 Dec 2026 18:00:00", "VEGA", "20°00'.0", "+00.00");
    PutRow(2, "8 Dec 2026 18:01:00", "DENEB", "30°00'.0", "+00.00");
    g()->SetCellBackColor(1, 2, kRefusedRed);
    g()->SetCurrentCell(49, 0);
    GridKey(Qt::Key_Delete, Qt::ControlModifier);  // the last row
    EXPECT_EQ(g()->Rows(), 50);
    g()->SetCurrentCell(1, 0);
    for (int i = 0; i < 60; ++i) GridKey(Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(g()->Rows(), 50);
    for (int r = 1; r <= 49; ++r)
        for (int c = 0; c < 4; ++c) {
            EXPECT_TRUE(Cell(r, c).isEmpty()) << r << " " << c;
            EXPECT_FALSE(filled(r, c)) << r << " " << c;
        }
    EXPECT_EQ(g()->CellBackColor(1, 2), MaskedField::WindowColor());
    test::InputNamed(*w, "mskInstErr_0")->SetMaskedText(test::Shown("+00.00"));
    w->State().TimeEstPos = MakeDateTime(2026, 12, 8, 18, 0, 0);
    g()->SetCurrentCell(1, 0);
    g()->setFocus();
    test::FastKeyboard keys;
    keys.Type(" \tv\t45305\t \ta\t32154\t");
    keys.Drain();
    EXPECT_EQ(Cell(1, 1), "VEGA");
    EXPECT_EQ(Cell(2, 1), "ACAMAR");
    EXPECT_EQ(Cell(2, 2), test::Shown("32°15'.4"));
    EXPECT_EQ(g()->Row(), 3);
    ASSERT_TRUE(test::SaveCancelled(*w, script));
    EXPECT_EQ(w->State().Obs.ObsCount, 2);
}

// Guards the table arithmetic of Ctrl+Delete on its own, including the last
// filled row and a row after a gap: each row's cells move with it (the
// committed flags no longer stay behind a gap while the texts move up).
TEST(GridFlags, RemoveFilledRow) {
    ObservationTable t;
    for (int r : {1, 2, 3, 5})
        for (int c = 0; c < 4; ++c) t.PutText(r, c, std::to_string(r), ".");
    t.Delete(2, 3);
    t.RemoveRow(1);
    EXPECT_TRUE(t.Filled(1, 0) && !t.Filled(1, 3));
    EXPECT_TRUE(t.Filled(2, 3));
    EXPECT_FALSE(t.Filled(3, 0));
    EXPECT_TRUE(t.Filled(4, 0));  // beyond the gap: moved up with its row
    EXPECT_EQ(t.Text(4, 1, "."), "5");
    t.RemoveRow(4);
    EXPECT_FALSE(t.Filled(4, 0));
    for (int c = 0; c < 4; ++c) t.PutText(49, c, "49", ".");
    t.RemoveRow(49);
    EXPECT_FALSE(t.Filled(49, 0));
    EXPECT_EQ(t.Rows(), ObservationTable::kLayoutRows);
}

// Guards the time texts of the cells: the grid's own form read back to
// the second, with one- or two-digit days, and nothing that is no date.
TEST(GridFlags, TimeTexts) {
    double t = 0;
    ASSERT_TRUE(ReadGridTime("8 Dec 2026 18:02:03", &t));
    EXPECT_EQ(t, MakeDateTime(2026, 12, 8, 18, 2, 3));
    ASSERT_TRUE(ReadGridTime("08 Dec 2026 18:02:03", &t));
    EXPECT_EQ(t, MakeDateTime(2026, 12, 8, 18, 2, 3));
    ASSERT_TRUE(ReadGridTime(" 29 Feb 2028 00:00 ", &t));
    EXPECT_EQ(t, MakeDateTime(2028, 2, 29));
    ASSERT_TRUE(ReadGridTime("1 Jan 1999", &t));
    EXPECT_EQ(t, MakeDateTime(1999, 1, 1));
    for (const char* bad :
         {"", "29 Feb 2027 10:00:00", "8 Dcx 2026 18:00:00", "8 Dec 2026 25:00:00",
          "8 Dec 2026 18:00:00 extra", "yesterday", "2026-12-08 18:00:00"})
        EXPECT_FALSE(ReadGridTime(bad, &t)) << bad;
    // Every second of a day comes back from its own text.
    for (int s = 0; s < 86400; s += 997) {
        const double when = MakeDateTime(2026, 12, 8, 0, 0, s);
        ASSERT_TRUE(
            ReadGridTime(QString::fromStdString(FormatDateTime(when, "d mmm yyyy hh:mm:ss")), &t));
        EXPECT_NEAR(t, when, 1e-9) << s;
    }
}

// Guards Tab in the grid: the correction column is never reached, the last
// row wraps to row 1, Shift+Tab moves forward as well.
TEST_F(Grid, TabMoves) {
    g()->SetCurrentCell(1, 0);
    GridKey(Qt::Key_Tab);
    EXPECT_EQ(g()->Col(), 1);
    GridKey(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(g()->Col(), 2);
    GridKey(Qt::Key_Tab);
    EXPECT_EQ(g()->Row(), 2);
    EXPECT_EQ(g()->Col(), 0);
    g()->SetCurrentCell(49, 3);
    GridKey(Qt::Key_Tab);
    EXPECT_EQ(g()->Row(), 1);
    EXPECT_EQ(g()->Col(), 0);
}

// Guards the mouse: a double click opens the editor over the cell as a
// space does; Esc on an empty correction cell shows the blank template.
TEST_F(Grid, DoubleClickOpensTheEditor) {
    PutRow(2, "8 Dec 2026 18:00:00", "VEGA", "20°00'.0", "+01.00");
    const QRect r = g()->CellRect(2, 2);
    QTest::mouseClick(g()->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    QTest::mouseDClick(g()->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    ASSERT_TRUE(test::InputNamed(*w, "mskHeightInst")->isVisible());
    EXPECT_EQ(test::InputNamed(*w, "mskHeightInst")->text(), test::Shown("20°00'.0"));
    EXPECT_EQ(test::InputNamed(*w, "mskHeightInst")->geometry().topLeft(),
              r.topLeft() - QPoint(1, 1));
    Key(Qt::Key_Escape);
    EXPECT_FALSE(test::InputNamed(*w, "mskHeightInst")->isVisible());
    g()->SetCurrentCell(3, 3);
    GridKey(Qt::Key_Space);
    Type("5");
    Key(Qt::Key_Escape);
    EXPECT_EQ(test::InputNamed(*w, "mskInstErr_1")->text(), test::Shown("___.__"));
    EXPECT_TRUE(Cell(3, 3).isEmpty());
}

// Guards the commit: it runs no event loop, so a move that arrives
// meanwhile waits until the cell is written and marked; the committed value
// shows green over its cell for a moment.
TEST_F(Grid, MoveDuringTheCommitMarksTheRightCell) {
    g()->SetCurrentCell(2, 2);
    GridChar('3');
    bool moved = false;
    SetEventPump([&] {
        moved = true;
        g()->SetCurrentCell(5, 2);  // a click on another row meanwhile
    });
    g()->setFocus(Qt::MouseFocusReason);  // back on the grid: its commit
    SetEventPump(nullptr);
    EXPECT_FALSE(moved);
    EXPECT_EQ(Cell(2, 2), test::Shown("03°00'.0"));
    EXPECT_TRUE(filled(2, 2));
    EXPECT_FALSE(filled(5, 2));
    auto* shown = w->findChild<QLabel*>("grdObsCommitted");
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(shown->text(), test::Shown("03°00'.0"));
    EXPECT_EQ(shown->geometry(), g()->CellRect(2, 2));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shown->isVisible(); }, 2000));
}

// Guards sights typed at full speed: keys that arrive while a commit is
// being made go where the navigator aimed them. The commit once paused with
// the event loop running, so the next sight's keys reopened the cell just
// left and the second row kept only its correction.
TEST_F(Grid, FastTypingLosesNoSight) {
    test::InputNamed(*w, "mskInstErr_0")->SetMaskedText(test::Shown("-01.50"));
    w->State().TimeEstPos = MakeDateTime(2026, 12, 8, 18, 0, 0);
    g()->setFocus();
    test::FastKeyboard keys;
    keys.Type(" ^\tv\t45305\t ^\ta\t32154\t ^\ts\t12007\t");
    // Then the last two altitudes corrected, going up from the editor.
    keys.Type("^\t\t20000^30000\t");
    keys.Drain();
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    const QStringList typed[3] = {{"VEGA", test::Shown("45°30'.5")},
                                  {"ACAMAR", test::Shown("30°00'.0")},
                                  {"SABIK", test::Shown("20°00'.0")}};
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(Cell(r, 0), QString::fromStdString(FormatDateTime(
                                  MakeDateTime(2026, 12, 8, 18, 0, 0) + r, "d mmm yyyy hh:mm:ss")));
        EXPECT_EQ(Cell(r, 1), typed[r - 1][0]) << r;
        EXPECT_EQ(Cell(r, 2), typed[r - 1][1]) << r;
        EXPECT_EQ(Cell(r, 3), test::Shown("-01.50")) << r;
    }
    EXPECT_EQ(g()->Row(), 3);
    EXPECT_EQ(g()->Col(), 0);
    ASSERT_TRUE(test::SaveCancelled(*w, script));
    const ObservationSet& o = w->State().Obs;
    ASSERT_EQ(o.ObsCount, 3);
    EXPECT_EQ(o.ObsBody[2], "ACAMAR");
    EXPECT_DOUBLE_EQ(o.ObsHs(1), 45 + 30.5 / 60);
    EXPECT_DOUBLE_EQ(o.ObsInstErr(2), -0.025);
}

// Guards the tooltips: row 1 explains the editing, its correction cell is
// filled automatically, other rows show nothing.
TEST_F(Grid, Tooltips) {
    auto over = [&](int r, int c) {
        QTest::mouseMove(g()->viewport(), g()->CellRect(r, c).center());
    };
    over(1, 0);
    EXPECT_EQ(g()->toolTip(), "2x click or [space] to edit");
    over(1, 3);
    EXPECT_EQ(g()->toolTip(), "auto filled");
    over(4, 1);
    EXPECT_TRUE(g()->toolTip().isEmpty());
    EXPECT_EQ(test::InputNamed(*w, "mskHeightInst")->toolTip(), "[TAB] next cell/row");
    EXPECT_EQ(test::InputNamed(*w, "mskInstErr_0")->toolTip(), "Enter minutes & tenths of minute");
}

// Guards the reading of the grid: where it stops, what it refuses (with
// the exact messages), the names found by binary search and the units.
TEST_F(Grid, ReadingTheGrid) {
    auto expectRefusal = [&](const char* title, const char* text) {
        script.Clear();
        EXPECT_FALSE(test::SaveCancelled(*w, script));
        ASSERT_EQ(script.messages.size(), 1u);
        EXPECT_EQ(script.messages[0].title, title);
        EXPECT_EQ(script.messages[0].text, text);
        EXPECT_EQ(script.messages[0].style, kIconExclamation + kButtonsOk);
    };
    // Later rows filled, row 1 without time.
    PutRow(3, "8 Dec 2026 18:00:00", "VEGA", "20°00'.0", "+00.00");
    expectRefusal(" Error in input data", "Please fill the grid with the observations.");
    // A complete row 1 and an empty row 2: one sight, row 3 ignored.
    PutRow(1, "8 Dec 2026 18:00:00", "SIRIUS", "20°30'.0", "-01.50");
    ASSERT_TRUE(test::SaveCancelled(*w, script));
    const ObservationSet& o = w->State().Obs;
    EXPECT_EQ(o.ObsCount, 1);
    EXPECT_EQ(o.ObsTime(1), MakeDateTime(2026, 12, 8, 18, 0, 0));
    EXPECT_EQ(o.ObsBody[1], "SIRIUS");
    EXPECT_DOUBLE_EQ(o.ObsHs(1), 20.5);
    EXPECT_DOUBLE_EQ(o.ObsInstErr(1), -0.025);
    // Row 2 started but incomplete.
    PutText(2, 0, "8 Dec 2026 18:01:00");
    expectRefusal("Missing data", "Some data are missing or incorrect in the grid.");
    PutRow(2, "8 Dec 2026 18:01:00", "SIRIUs", "20°00'.0", "+00.00");
    expectRefusal("Incorrect data", "Incorrect celestal body name in the grid.");
    EXPECT_EQ(w->State().Obs.ObsCount, 3);  // the new size stays
    PutRow(2, "8 Dec 2026 18:01:00", "DENEB", "20°00'.0", "+00.00");
    PutRow(3, "31 Feb 2026 18:00:00", "VEGA", "20°00'.0", "+00.00");
    expectRefusal("Incorrect data", "Incorrect time in the grid.");
    PutRow(3, "8 Dec 2026 18:02:00", "VEGA", "20°60'.0", "+00.00");
    expectRefusal("Incorrect data", "Incorrect altitude in the grid.");
    PutRow(3, "8 Dec 2026 18:02:00", "VEGA", "20°10'.0", "");
    expectRefusal("Incorrect data", "Incorrect instrumental error in the grid.");
    // Row 1's correction emptied by Delete: its flags are not looked at,
    // the empty text is no number.
    PutRow(3, "8 Dec 2026 18:02:00", "VEGA", "20°10'.0", "+00.00");
    g()->SetCurrentCell(1, 3);
    GridKey(Qt::Key_Delete);
    expectRefusal("Incorrect data", "Incorrect instrumental error in the grid.");

    // Every body of the list is found, nothing else is.
    for (const std::string& b : w->State().BodyList)
        EXPECT_GE(BinarySearchText(b, w->State().BodyList), 0) << b;
    for (const char* b : {"", "A", "SUN", "ZZZ", "vega", "MOON LOW"})
        EXPECT_LT(BinarySearchText(b, w->State().BodyList), 0) << b;

    // All 49 rows complete.
    for (int r = 1; r <= 49; ++r)
        PutRow(r, QString("8 Dec 2026 18:%1:00").arg(r, 2, 10, QChar('0')), "VEGA", "20°00'.0",
               test::Shown("+00.00"));
    ASSERT_TRUE(test::SaveCancelled(*w, script));
    EXPECT_EQ(w->State().Obs.ObsCount, 49);
}

// Guards the sort: the first fix reads the sights in the user's order and
// leaves the grid sorted by time; the next fix reads the sorted order.
TEST_F(Grid, FixSortsTheGrid) {
    QFile::copy(QString(ORVEX_PROGRAM_DIR) + "/Planet.dat", folder.Path() + "/Planet.dat");
    EnterEverything();
    w->State().TimeEstPos = w->State().TimeTruePos = MakeDateTime(2026, 12, 8, 19, 30, 0);
    w->State().Lat(6) = 38;
    w->State().Long(6) = -31.5;
    PutRow(1, "8 Dec 2026 19:34:30", "CAPELLA", "20°32'.0", "+00.00");
    PutRow(2, "8 Dec 2026 19:22:00", "VEGA", "46°23'.8", "+00.00");
    PutRow(3, "8 Dec 2026 19:27:00", "FOMALHAUT", "22°07'.1", "+00.00");
    ASSERT_TRUE(test::RunFix(*w));
    const ObservationSet& o = w->State().Obs;
    EXPECT_EQ(o.ObsBody[1], "CAPELLA");
    EXPECT_EQ(o.ObsBody[3], "FOMALHAUT");
    EXPECT_EQ(Cell(1, 1), "VEGA");
    EXPECT_EQ(Cell(2, 1), "FOMALHAUT");
    EXPECT_EQ(Cell(3, 1), "CAPELLA");
    EXPECT_EQ(Cell(3, 0), "8 Dec 2026 19:34:30");
    // The row's cells move along (its colour is its cell's state).
    EXPECT_EQ(Cell(3, 2), test::Shown("20°32'.0"));
    EXPECT_EQ(g()->Row(), 1);
    EXPECT_EQ(g()->Col(), 0);
    test::RunAction(*w, "bthBackStarFix2");
    test::RunAction(*w, "bthCorr");
    ASSERT_TRUE(test::RunFix(*w));
    EXPECT_EQ(o.ObsBody[1], "VEGA");
    EXPECT_EQ(o.ObsTime(0), w->State().TimeTruePos);
}

// Pictures of the grid for people to look at: empty, filled from a sample
// file with an editor open. What they show is checked too: the loaded
// sights in their rows, the editor open over its cell, and Escape leaving
// the cell as it was.
TEST_F(Grid, Screenshots) {
    Screenshot("observation_grid_empty.png");
    script.fileNames = {QString(ORVEX_SOURCE_DIR) + "/data/files/Observations/10Dec26A.obs"};
    QFile::copy(QString(ORVEX_PROGRAM_DIR) + "/Planet.dat", folder.Path() + "/Planet.dat");
    w->Action("mnuAstroLoad")->trigger();
    test::TabSet(*w, "tabIn")->setCurrentIndex(2);
    EXPECT_EQ(Cell(1, 1), "RIGEL");
    EXPECT_EQ(Cell(4, 1), "MIAPLACIDUS");
    EXPECT_EQ(Cell(9, 1), "MENKAR");
    EXPECT_EQ(Cell(10, 1), "");
    const QString altitude = Cell(4, 2);
    EXPECT_EQ(altitude, test::Shown("29°47'.2"));
    g()->SetCurrentCell(4, 2);
    GridKey(Qt::Key_Space);
    Type("2");
    ASSERT_TRUE(test::GridEditorNamed(*w, 2)->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), test::GridEditorNamed(*w, 2));
    Screenshot("observation_grid_editing.png");
    Key(Qt::Key_Escape);
    EXPECT_FALSE(test::GridEditorNamed(*w, 2)->isVisible());
    EXPECT_EQ(Cell(4, 2), altitude);
    test::TabSet(*w, "tabIn")->setCurrentIndex(1);
    Screenshot("observation_conditions_loaded.png");
}

}  // namespace
}  // namespace orvex

namespace orvex {
namespace {

// Guards the window's end with an editor open and a value typed: the
// editor's commit must not run into a grid that is being taken apart.
TEST(GridEnd, WindowClosesWithAnEditorOpen) {
    for (int col = 0; col < 4; ++col) {
        test::GridWindow gw;
        test::InputNamed<ObservationGrid>(*gw.w, "grdObs")->SetCurrentCell(2, col);
        test::InputNamed<ObservationGrid>(*gw.w, "grdObs")->setFocus();
        test::Type(col == 1 ? "s" : "4");
        ASSERT_TRUE(test::GridEditorNamed(*gw.w, col)->isVisible());
        test::Type("5");
        gw.w.reset();
    }
}

}  // namespace
}  // namespace orvex
