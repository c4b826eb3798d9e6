// The sights editor's keys: the opening of an editor over a cell with the
// key typed, the editors' own keys (Esc, Tab, Up, Down, the altitude's and
// the correction's typing rules) and the grid's keys, moves and tooltips.
#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <algorithm>

#include "navlib/array_lib.h"
#include "navlib/date_time.h"
#include "navlib/number_format.h"
#include "platform/date_time_picker.h"
#include "platform/masked_field.h"
#include "platform/message_box.h"
#include "workbench/core/observation_table.h"
#include "workbench/core/star_fix_session.h"
#include "workbench/date_values.h"
#include "workbench/observation_grid.h"
#include "workbench/observation_texts.h"
#include "workbench/sights_editor.h"
#include "workbench/star_fix_input_page.h"

namespace orvex {

// ---- Opening an editor ------------------------------------------------------------

void SightsEditor::BeginEdit(QWidget* editor, int keyAscii) {
    if (!editor) return;
    StarFixSession& s = state_;
    // An editor still open elsewhere is committed first.
    if (editRow_ != 0) CloseEditor();
    const int row = grid_->Row();
    const int col = grid_->Col();
    if (Editor(col) != editor) return;
    refusedAltitude_.clear();
    const bool printable = keyAscii > 32;
    const QString cell = QString::fromStdString(s.Sights.Text(row, col, ctx_.DecSep));
    bool dayStarted = false;  // the typed digit begins the day
    if (col == 0) {
        if (printable) {
            QString t = QString::fromStdString(
                FormatDateTime(PickerDays(time_->dateTime()), "d mmm yyyy hh:mm:ss"));
            // A digit begins the day, as it does a date typed whole; another
            // character replaces the text's first one.
            const QChar c(keyAscii);
            if (c.isDigit())
                t = c + t.mid(t.indexOf(' '));
            else
                t[0] = c;
            double when = 0.0;
            if (ReadGridTime(t, &when)) {
                time_->setDateTime(PickerValue(when));
                dayStarted = c.isDigit();
            }
        } else {
            time_->setDateTime(PickerValue(s.Sights.OpenTime(row, ctx_.TimeStored, s.TimeEstPos)));
        }
    } else if (col == 1) {
        if (!printable) {
            const int k = BinarySearchText(cell.toStdString(), ctx_.BodyList);
            body_->setCurrentIndex(k >= 0 ? k : 0);
        }
    } else if (col == 3) {
        // A typed key begins a new number, "9" as any other digit.
        auto* field = static_cast<MaskedField*>(editor);
        field->SetMask(field->Mask());  // the blank template
        correctionTyping_.Restart();
        if (printable) {
            correctionTyping_.StartWith(static_cast<char>(keyAscii), ctx_.DecSep);
            correctionOpenedByKey_ = true;
        } else if (!cell.isEmpty()) {
            field->SetMaskedText(cell);
        }
    } else {
        auto* field = static_cast<MaskedField*>(editor);
        field->SetMask(field->Mask());  // the blank template
        const ObservationTable::EditorStart start =
            s.Sights.OpenNumber(row, 2, keyAscii, ctx_.DecSep);
        field->SetMaskedText(QString::fromStdString(start.Text));
        field->setCursorPosition(start.Cursor);
    }
    editRow_ = row;
    editCol_ = col;
    const QRect r = grid_->CellRect(row, col);
    // The last column takes the grid's spare width: its editor follows.
    if (col == 3) editor->setFixedWidth(std::max(kEditorWidths[3], r.width() + 1));
    editor->setGeometry(r.left() - 1, r.top() - 1, editor->width(), r.height() + 1);
    editor->raise();
    editor->setVisible(true);
    editor->setFocus(Qt::OtherFocusReason);
    correctionOpenedByKey_ = false;
    // The key that opened a number cell began its entry.
    if (auto* field = qobject_cast<MaskedField*>(editor); field && printable)
        field->ContinueEntry();
    if (col == 0) {
        auto* picker = static_cast<DateTimePicker*>(time_);
        if (dayStarted) {
            picker->ContinueDay(1);
        } else {
            picker->setCurrentSection(QDateTimeEdit::DaySection);
            picker->setSelectedSection(QDateTimeEdit::DaySection);
        }
    }
    if (col == 1 && printable) {
        // The typed letter goes to the list as a keystroke, at once: its own
        // first-letter search picks the body before any key typed after it.
        // The search starts afresh in every cell, however fast the letters
        // of two cells follow each other.
        body_->view()->keyboardSearch(QString());
        const QString ch = QString(QChar(keyAscii));
        QKeyEvent letter(QEvent::KeyPress, QKeySequence(ch.toUpper())[0].key(), Qt::NoModifier, ch);
        QCoreApplication::sendEvent(body_, &letter);
    }
}

void SightsEditor::EndEdit(QWidget* editor, int keyCode, int shift) {
    Q_UNUSED(shift);
    if (!editor) return;
    switch (keyCode) {
        case Qt::Key_Escape:
            editor->setVisible(false);
            editRow_ = 0;
            grid_->setFocus(Qt::OtherFocusReason);
            break;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: {
            int col = 0;
            for (int c = 0; c < 4; ++c)
                if (Editor(c) == editor) col = c;
            grid_->setFocus(Qt::OtherFocusReason);
            CommitOpenEditor();
            grid_->SetCurrentCell(curObsRow_, col);
            KeyDown(Qt::Key_Tab, 0);
            break;
        }
        // The commit is made here and now; no events run before the move, so
        // the keys typed after Up or Down land on the new row.
        case Qt::Key_Up:
            grid_->setFocus(Qt::OtherFocusReason);
            CommitOpenEditor();
            if (grid_->Row() > 1) grid_->SetCurrentCell(grid_->Row() - 1, grid_->Col());
            break;
        case Qt::Key_Down:
            grid_->setFocus(Qt::OtherFocusReason);
            CommitOpenEditor();
            if (grid_->Row() < grid_->Rows() - 1)
                grid_->SetCurrentCell(grid_->Row() + 1, grid_->Col());
            break;
        default:
            break;
    }
}

bool SightsEditor::EditorKey(QWidget* editor, QKeyEvent* e) {
    int key = e->key();
    if (key == Qt::Key_Backtab) key = Qt::Key_Tab;
    const int shift = (e->modifiers() & Qt::ShiftModifier ? 1 : 0) |
                      (e->modifiers() & Qt::ControlModifier ? 2 : 0);
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (enter) return true;  // every editor swallows Enter
    if (key == Qt::Key_Escape) {
        // Esc closes the editor without committing it: the picker goes back
        // to the cell's date, a field to the cell's text.
        const int row = editRow_;
        const ObservationTable& t = state_.Sights;
        const QString cell =
            row > 0 ? QString::fromStdString(t.Text(row, editCol_, ctx_.DecSep)) : QString();
        if (editor == time_) {
            if (row > 0 && t.State(row, 0) == CellState::Committed)
                time_->setDateTime(PickerValue(t.Row(row).Time));
            if (row > 0) state_.Sights.CancelTime(row);
        } else if (auto* f = qobject_cast<MaskedField*>(editor)) {
            f->SetMask(f->Mask());
            if (!cell.isEmpty()) f->SetMaskedText(cell);
        }
        editCancelled_ = true;
        EndEdit(editor, Qt::Key_Escape, shift);
        editCancelled_ = false;
        return true;
    }
    if (key == Qt::Key_Tab) {
        EndEdit(editor, key, shift);
        return true;
    }
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        if (editor == time_) return false;  // they step the picker
        EndEdit(editor, key, shift);
        return true;
    }
    if (editor == altitude_ && !e->text().isEmpty()) {
        // No altitude of 90 or more and no minutes of 60 or more can be typed.
        const QChar c = e->text()[0];
        int place = altitude_->cursorPosition();
        while (place < altitude_->Width() && !altitude_->IsInputPlace(place)) ++place;
        if (c.unicode() < 128 &&
            ObservationTable::AltitudeKeyRefused(place, static_cast<char>(c.unicode())))
            return true;
    }
    if (editor == correction_) return correctionTyping_.Key(e, ctx_.DecSep);
    return false;
}

// ---- Grid keys, moves and tooltips -----------------------------------------------

bool SightsEditor::KeyDown(int keyCode, int shift) {
    StarFixSession& s = state_;
    if (keyCode == Qt::Key_F5) {
        if (links_.ShowTimeStore) links_.ShowTimeStore();
        return true;
    }
    if (keyCode == Qt::Key_Tab) {
        int row = grid_->Row();
        int col = grid_->Col();
        if (col < 4 - 2) {
            ++col;
        } else {
            col = 0;
            row = row < grid_->Rows() - 1 ? row + 1 : 1;
        }
        grid_->SetCurrentCell(row, col);
        return true;
    }
    if (keyCode == Qt::Key_Delete && shift == 0) {
        const int row = grid_->Row();
        const int col = grid_->Col();
        const bool rowEmpty = s.Sights.Delete(row, col);
        if (rowEmpty) {
            const TableMessage m = ObservationTable::RowEmptyMessage();
            ShowMessage(kIconInformation + kButtonsOk, QString::fromStdString(m.Title),
                        QString::fromStdString(m.Text), page_);
        }
        return true;
    }
    if (keyCode == Qt::Key_Delete && shift == 2) {
        const int r = grid_->Row();
        if (editRow_ != 0) {
            if (QWidget* e = Editor(editCol_)) e->setVisible(false);
            editRow_ = 0;
        }
        const bool laying = gridLaying_;
        gridLaying_ = true;
        // The grid keeps its rows: an empty one comes in at the end, so a
        // sight can always be typed into every row a layout gave. The
        // table's rows move after the grid's: the grid then shows them.
        grid_->RemoveGridRow(r);
        PrepareRow(grid_->Rows() - 1);
        s.Sights.RemoveRow(r);
        gridLaying_ = laying;
        curObsRow_ = grid_->Row();
        return true;
    }
    return keyCode == Qt::Key_Delete;
}

void SightsEditor::KeyPress(int keyAscii) {
    if (keyAscii == 27) return;
    BeginEdit(Editor(grid_->Col()), keyAscii);
}

void SightsEditor::RowColChange() {
    if (gridLaying_) {
        curObsRow_ = 1;
        return;
    }
    const int row = grid_->Row();
    if (row != curObsRow_ && state_.Sights.RowLeftIncomplete(curObsRow_)) {
        const TableMessage m = ObservationTable::RowIncompleteMessage(curObsRow_);
        ShowMessage(kIconInformation + kButtonsOk, QString::fromStdString(m.Title),
                    QString::fromStdString(m.Text), page_);
        grid_->setFocus(Qt::OtherFocusReason);
        return;
    }
    curObsRow_ = row;
}

void SightsEditor::MouseMove(int row, int col) {
    if (row == 1) {
        grid_->setToolTip(col == 3 ? QString("auto filled")
                                   : QString("2x click or [space] to edit"));
    } else if (!grid_->toolTip().isEmpty()) {
        grid_->setToolTip(QString());
    }
}

}  // namespace orvex
