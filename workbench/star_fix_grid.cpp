// The observation grid of the third input tab and its four in-cell editors:
// the time picker, the body list and the two masked fields of the altitude
// and the instrument correction (the correction field of the conditions tab
// shares its handlers with the grid's). The navigator never types into the
// grid itself: a key or a double click opens the editor of the column over
// the cell; when the editor is left its value goes to the session's table of
// sights, which accepts or refuses it, and the cell shows the table's text.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "inputs/condition_checks.h"
#include "navlib/array_lib.h"
#include "navlib/date_time.h"
#include "navlib/inout_lib.h"
#include "navlib/number_format.h"
#include "platform/masked_field.h"
#include "platform/message_box.h"
#include "workbench/core/correction_entry.h"
#include "workbench/core/observation_table.h"
#include "workbench/date_values.h"
#include "workbench/observation_grid.h"
#include "workbench/observation_texts.h"
#include "workbench/reading_tab_order.h"
#include "workbench/star_fix_input_page.h"
#include "workbench/workbench_state.h"

namespace orvex {

namespace {

// Runs a function on the events of one widget; answering true swallows the
// event.
class EventHook : public QObject {
  public:
    EventHook(QObject* parent, std::function<bool(QEvent*)> f)
        : QObject(parent), f_(std::move(f)) {}

  protected:
    bool eventFilter(QObject*, QEvent* e) override { return f_(e); }

  private:
    std::function<bool(QEvent*)> f_;
};

// Sight rows of a freshly laid-out grid (row 0 is the header).
constexpr int kGridDataRows = 49;
// Widths of the editors, pixels; each column is one pixel narrower.
constexpr int kEditorWidths[4] = {190, 130, 100, 84};
constexpr double kHeaderFontSizes[4] = {12, 10, 10, 9.75};
const QColor kHeaderBlue(0, 0, 255);

bool IsLeavingReason(Qt::FocusReason r) {
    return r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason &&
           r != Qt::MenuBarFocusReason;
}

QDateTime PickerValue(double days) {
    const CalendarTime c = SplitDateTime(days);
    return QDateTime(QDate(c.year, c.month, c.day), QTime(c.hour, c.minute, c.second), Qt::UTC);
}

double PickerDays(const QDateTime& t) {
    const QDate d = t.date();
    const QTime h = t.time();
    return MakeDateTime(d.year(), d.month(), d.day(), h.hour(), h.minute(), h.second());
}

}  // namespace

// ---- Building -----------------------------------------------------------------

void StarFixInputPage::BuildObservationGrid(QWidget* page, QGridLayout* layout) {
    grdObs = new ObservationGrid(page);
    grdObs->setObjectName("grdObs");
    layout->addWidget(grdObs, 1, 0, 1, 3, Qt::AlignHCenter);
    layout->setRowStretch(1, 1);

    // The editors float over the cells: children of the grid's viewport.
    QWidget* host = grdObs->viewport();
    dtpObsTime = new DateTimePicker(host);
    dtpObsTime->setObjectName("dtpObsTime");
    dtpObsTime->setTimeSpec(Qt::UTC);
    // The cells' English month names, whatever the user's language.
    dtpObsTime->setLocale(QLocale::c());
    dtpObsTime->setDisplayFormat("d MMM yyyy hh:mm:ss");
    dtpObsTime->setCalendarPopup(false);
    dtpObsTime->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    QWidget* editors[4] = {dtpObsTime, cboBody, mskHeightInst, mskInstErr[1]};
    for (int c = 0; c < 4; ++c) {
        QWidget* e = editors[c];
        e->setParent(host);
        e->setMinimumWidth(0);
        e->setMaximumWidth(QWIDGETSIZE_MAX);
        e->resize(kEditorWidths[c], e->sizeHint().height());
        e->setVisible(false);
        auto* hook = new EventHook(e, [this, e](QEvent* ev) {
            if (ev->type() == QEvent::KeyPress)
                return GridEditorKey(e, static_cast<QKeyEvent*>(ev));
            if (ev->type() == QEvent::FocusOut && e == dtpObsTime &&
                IsLeavingReason(static_cast<QFocusEvent*>(ev)->reason()))
                dtpObsTime_LostFocus();
            return false;
        });
        e->installEventFilter(hook);
        gridHooks_.push_back(hook);
    }
    gridConfirm_ = new QLabel(host);
    gridConfirm_->setObjectName("grdObsCommitted");
    gridConfirm_->setAlignment(Qt::AlignCenter);
    gridConfirm_->setAttribute(Qt::WA_TransparentForMouseEvents);
    gridConfirm_->setAutoFillBackground(true);
    QPalette green = gridConfirm_->palette();
    green.setColor(QPalette::Window, kValidGreen);
    gridConfirm_->setPalette(green);
    gridConfirm_->hide();
    gridConfirmTimer_ = new QTimer(gridConfirm_);
    gridConfirmTimer_->setSingleShot(true);
    gridConfirmTimer_->setInterval(300);
    connect(gridConfirmTimer_, &QTimer::timeout, gridConfirm_, &QWidget::hide);
    mskHeightInst->setToolTip("[TAB] next cell/row");
    mskInstErr[0]->setToolTip("Enter minutes & tenths of minute");
    // The conditions tab's correction reads its keys as the grid cell's does.
    auto* conditions = new EventHook(mskInstErr[0], [this](QEvent* ev) {
        if (ev->type() == QEvent::KeyPress) return CorrectionKey(0, static_cast<QKeyEvent*>(ev));
        return false;
    });
    mskInstErr[0]->installEventFilter(conditions);
    gridHooks_.push_back(conditions);
    mskHeightInst->SetCommitHook([this](MaskedField&) { mskHeightInst_LostFocus(); });
    for (int i = 0; i < 2; ++i) {
        mskInstErr[i]->SetCommitHook([this, i](MaskedField&) { mskInstErr_LostFocus(i); });
        mskInstErr[i]->SetEnterHook([this, i](MaskedField&) { mskInstErr_GotFocus(i); });
    }

    grdObs->onKeyDown = [this](int key, int shift) { return grdObs_KeyDown(key, shift); };
    grdObs->onKeyPress = [this](int k) { grdObs_KeyPress(k); };
    grdObs->onDblClick = [this] { BeginGridEdit(GridEditor(grdObs->Col()), 32); };
    grdObs->onGotFocus = [this] { grdObs_GotFocus(); };
    grdObs->onLeaveCell = [this](int, int) { grdObs_LeaveCell(); };
    grdObs->onRowColChange = [this] { grdObs_RowColChange(); };
    grdObs->onMouseMove = [this](int row, int col) { grdObs_MouseMove(row, col); };

    InitObsGrid();
}

void StarFixInputPage::DetachObservationGrid() {
    for (QObject* hook : gridHooks_) delete hook;
    gridHooks_.clear();
    mskHeightInst->SetCommitHook(nullptr);
    for (MaskedField* f : mskInstErr) {
        f->SetCommitHook(nullptr);
        f->SetEnterHook(nullptr);
    }
    grdObs->onKeyDown = nullptr;
    grdObs->onKeyPress = nullptr;
    grdObs->onDblClick = nullptr;
    grdObs->onGotFocus = nullptr;
    grdObs->onLeaveCell = nullptr;
    grdObs->onRowColChange = nullptr;
    grdObs->onMouseMove = nullptr;
}

QWidget* StarFixInputPage::GridEditor(int col) const {
    switch (col) {
        case 0:
            return dtpObsTime;
        case 1:
            return cboBody;
        case 2:
            return mskHeightInst;
        case 3:
            return mskInstErr[1];
        default:
            return nullptr;
    }
}

// ---- Layout -------------------------------------------------------------------

void StarFixInputPage::InitObsGrid() {
    WorkbenchState& s = state_;
    gridLaying_ = true;
    // An open editor goes without committing into the grid being cleared.
    editRow_ = 0;
    for (int c = 0; c < 4; ++c)
        if (QWidget* e = GridEditor(c)) e->setVisible(false);
    gridConfirm_->hide();
    grdObs->Reset(kGridDataRows);

    QFont font = grdObs->font();
    font.setPointSizeF(12);
    grdObs->setFont(font);
    s.Sights = ObservationTable(kGridDataRows);

    // Rows as tall as the body list; the header tall enough for its picture
    // and its two lines.
    const int rowHeight = std::max(cboBody->sizeHint().height(), dtpObsTime->sizeHint().height());
    grdObs->horizontalHeader()->setStretchLastSection(true);
    grdObs->verticalHeader()->setDefaultSectionSize(rowHeight);
    grdObs->verticalHeader()->setMinimumSectionSize(rowHeight);
    const int picture = 20;
    QFont headerFont = font;
    headerFont.setPointSizeF(10);
    const int twoLines = 2 * QFontMetrics(headerFont).height() + 6;
    grdObs->horizontalHeader()->setFixedHeight(
        std::max(twoLines, static_cast<int>(std::lround(picture * 1.1))));

    // The time editor as wide as its widest text in the grid's font, so
    // that no digit is cut while a date is typed.
    int widths[4] = {kEditorWidths[0], kEditorWidths[1], kEditorWidths[2], kEditorWidths[3]};
    widths[0] = std::max(widths[0], dtpObsTime->sizeHint().width());
    for (int c = 0; c < 4; ++c) {
        auto* h = new QTableWidgetItem(GridHeaderPicture(c + 1, picture),
                                       ObservationGrid::HeaderText(c).replace('\r', '\n'));
        QFont f = font;
        f.setPointSizeF(kHeaderFontSizes[c]);
        h->setFont(f);
        h->setForeground(kHeaderBlue);
        h->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grdObs->setHorizontalHeaderItem(c, h);
        QWidget* e = GridEditor(c);
        e->setFixedSize(widths[c], rowHeight);
        grdObs->setColumnWidth(c, widths[c] - 1);
    }
    for (int r = 1; r <= kGridDataRows; ++r) PrepareGridRow(r);
    const int frame = 2 * grdObs->frameWidth();
    // As wide as its columns: no blank strip beside the last one.
    grdObs->setFixedWidth(widths[0] + widths[1] + widths[2] + widths[3] - 4 +
                          grdObs->verticalScrollBar()->sizeHint().width() + frame);
    grdObs->scrollToTop();
    grdObs->SetCurrentCell(1, 0);
    curObsRow_ = 1;
    gridLaying_ = false;
}

void StarFixInputPage::PrepareGridRow(int row) {
    QFont bodyFont = grdObs->font();
    bodyFont.setPointSizeF(10);
    for (int c = 0; c < 4; ++c) {
        grdObs->SetTextMatrix(row, c, QString());
        if (c == 1) grdObs->item(row - 1, c)->setFont(bodyFont);
    }
}

// ---- Reading and sorting --------------------------------------------------------

bool StarFixInputPage::ReadObsGrid() {
    TableMessage m;
    if (state_.Sights.Read(state_.Obs, state_.BodyList, m)) return true;
    ShowMessage(kIconExclamation + kButtonsOk, QString::fromStdString(m.Title),
                QString::fromStdString(m.Text), this);
    return false;
}

void StarFixInputPage::SelectObsGrid() {
    const int n = std::min(state_.Obs.ObsCount, state_.Sights.Rows());
    if (n < 1) return;
    state_.Sights.SortByTime(n);
    const bool laying = gridLaying_;
    gridLaying_ = true;  // no row checks while the rows move
    for (int r = 1; r <= n; ++r)
        for (int c = 0; c < 4; ++c) ShowObsCell(r, c);
    grdObs->scrollToTop();
    grdObs->viewport()->update();
    grdObs->SetCurrentCell(1, 0);
    gridLaying_ = laying;
    curObsRow_ = 1;
}

void StarFixInputPage::ShowObservationTable() {
    for (int r = 1; r <= state_.Sights.Rows() && r < grdObs->Rows(); ++r)
        for (int c = 0; c < 4; ++c) ShowObsCell(r, c);
}

void StarFixInputPage::ShowObsCell(int row, int col) {
    const ObservationTable& t = state_.Sights;
    grdObs->SetTextMatrix(row, col, QString::fromStdString(t.Text(row, col, state_.DecSep)));
    grdObs->SetCellBackColor(
        row, col,
        t.State(row, col) == CellState::Refused ? kRefusedRed : MaskedField::WindowColor());
}

// ---- Commit, open and close -----------------------------------------------------

void StarFixInputPage::CommitGridEditor(int col) {
    switch (col) {
        case 0:
            dtpObsTime_LostFocus();
            break;
        case 1:
            if (editRow_ > 0) {
                state_.Sights.CommitBody(editRow_, cboBody->currentText().toStdString());
                ShowObsCell(editRow_, 1);
            }
            break;
        case 2:
            mskHeightInst_LostFocus();
            break;
        case 3:
            mskInstErr_LostFocus(1);
            break;
        default:
            break;
    }
}

void StarFixInputPage::grdObs_GotFocus() {
    if (editRow_ == 0 || editCancelled_) return;
    QWidget* editor = GridEditor(editCol_);
    if (!editor || !editor->isVisible()) return;
    const int row = editRow_;
    CommitGridEditor(editCol_);
    // A new row takes the correction of the conditions tab.
    if (editCol_ <= 2 && row <= grdObs->Rows() - 1 && !mskInstErr[0]->IsEmptyEntry() &&
        state_.Sights.FillCorrection(row, mskInstErr[0]->text().toStdString(), state_.DecSep))
        ShowObsCell(row, 3);
}

void StarFixInputPage::grdObs_LeaveCell() {
    if (editRow_ == 0) return;
    grdObs_GotFocus();
    if (QWidget* e = GridEditor(editCol_)) e->setVisible(false);
    editRow_ = 0;
}

void StarFixInputPage::BeginGridEdit(QWidget* editor, int keyAscii) {
    if (!editor) return;
    WorkbenchState& s = state_;
    // An editor still open elsewhere is committed first.
    if (editRow_ != 0) grdObs_LeaveCell();
    const int row = grdObs->Row();
    const int col = grdObs->Col();
    if (GridEditor(col) != editor) return;
    refusedAltitude_.clear();
    const bool printable = keyAscii > 32;
    const QString cell = QString::fromStdString(s.Sights.Text(row, col, s.DecSep));
    bool dayStarted = false;  // the typed digit begins the day
    if (col == 0) {
        if (printable) {
            QString t = QString::fromStdString(
                FormatDateTime(PickerDays(dtpObsTime->dateTime()), "d mmm yyyy hh:mm:ss"));
            // A digit begins the day, as it does a date typed whole; another
            // character replaces the text's first one.
            const QChar c(keyAscii);
            if (c.isDigit())
                t = c + t.mid(t.indexOf(' '));
            else
                t[0] = c;
            double when = 0.0;
            if (ReadGridTime(t, &when)) {
                dtpObsTime->setDateTime(PickerValue(when));
                dayStarted = c.isDigit();
            }
        } else {
            dtpObsTime->setDateTime(
                PickerValue(s.Sights.OpenTime(row, s.TimeStored, s.TimeEstPos)));
        }
    } else if (col == 1) {
        if (!printable) {
            const int k = BinarySearchText(cell.toStdString(), s.BodyList);
            cboBody->setCurrentIndex(k >= 0 ? k : 0);
        }
    } else if (col == 3) {
        // A typed key begins a new number, "9" as any other digit.
        auto* field = static_cast<MaskedField*>(editor);
        field->SetMask(field->Mask());  // the blank template
        correctionEntry_[1].Clear();
        correctionTyping_[1] = true;
        if (printable) {
            correctionEntry_[1].Type(static_cast<char>(keyAscii));
            ShowCorrectionEntry(1);
            correctionOpenedByKey_ = true;
        } else if (!cell.isEmpty()) {
            field->SetMaskedText(cell);
        }
    } else {
        auto* field = static_cast<MaskedField*>(editor);
        field->SetMask(field->Mask());  // the blank template
        const ObservationTable::EditorStart start = s.Sights.OpenNumber(row, 2, keyAscii, s.DecSep);
        field->SetMaskedText(QString::fromStdString(start.Text));
        field->setCursorPosition(start.Cursor);
    }
    editRow_ = row;
    editCol_ = col;
    const QRect r = grdObs->CellRect(row, col);
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
        auto* picker = static_cast<DateTimePicker*>(dtpObsTime);
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
        cboBody->view()->keyboardSearch(QString());
        const QString ch = QString(QChar(keyAscii));
        QKeyEvent letter(QEvent::KeyPress, QKeySequence(ch.toUpper())[0].key(), Qt::NoModifier, ch);
        QCoreApplication::sendEvent(cboBody, &letter);
    }
}

void StarFixInputPage::ConfirmGridCell(int row, int col) {
    // The committed value shows green over its cell for a moment while the
    // navigator goes on typing: nothing waits for it.
    gridConfirm_->setText(QString::fromStdString(state_.Sights.Text(row, col, state_.DecSep)));
    gridConfirm_->setGeometry(grdObs->CellRect(row, col));
    gridConfirm_->raise();
    gridConfirm_->show();
    gridConfirmTimer_->start();
}

void StarFixInputPage::EndGridEdit(QWidget* editor, int keyCode, int shift) {
    Q_UNUSED(shift);
    if (!editor) return;
    switch (keyCode) {
        case Qt::Key_Escape:
            editor->setVisible(false);
            editRow_ = 0;
            grdObs->setFocus(Qt::OtherFocusReason);
            break;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: {
            int col = 0;
            for (int c = 0; c < 4; ++c)
                if (GridEditor(c) == editor) col = c;
            grdObs->setFocus(Qt::OtherFocusReason);
            grdObs_GotFocus();
            grdObs->SetCurrentCell(curObsRow_, col);
            grdObs_KeyDown(Qt::Key_Tab, 0);
            break;
        }
        // The commit is made here and now; no events run before the move, so
        // the keys typed after Up or Down land on the new row.
        case Qt::Key_Up:
            grdObs->setFocus(Qt::OtherFocusReason);
            grdObs_GotFocus();
            if (grdObs->Row() > 1) grdObs->SetCurrentCell(grdObs->Row() - 1, grdObs->Col());
            break;
        case Qt::Key_Down:
            grdObs->setFocus(Qt::OtherFocusReason);
            grdObs_GotFocus();
            if (grdObs->Row() < grdObs->Rows() - 1)
                grdObs->SetCurrentCell(grdObs->Row() + 1, grdObs->Col());
            break;
        default:
            break;
    }
}

bool StarFixInputPage::GridEditorKey(QWidget* editor, QKeyEvent* e) {
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
            row > 0 ? QString::fromStdString(t.Text(row, editCol_, state_.DecSep)) : QString();
        if (editor == dtpObsTime) {
            if (row > 0 && t.State(row, 0) == CellState::Committed)
                dtpObsTime->setDateTime(PickerValue(t.Row(row).Time));
            if (row > 0) state_.Sights.CancelTime(row);
        } else if (auto* f = qobject_cast<MaskedField*>(editor)) {
            f->SetMask(f->Mask());
            if (!cell.isEmpty()) f->SetMaskedText(cell);
        }
        editCancelled_ = true;
        EndGridEdit(editor, Qt::Key_Escape, shift);
        editCancelled_ = false;
        return true;
    }
    if (key == Qt::Key_Tab) {
        EndGridEdit(editor, key, shift);
        return true;
    }
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        if (editor == dtpObsTime) return false;  // they step the picker
        EndGridEdit(editor, key, shift);
        return true;
    }
    if (editor == mskHeightInst && !e->text().isEmpty()) {
        // No altitude of 90 or more and no minutes of 60 or more can be typed.
        const QChar c = e->text()[0];
        int place = mskHeightInst->cursorPosition();
        while (place < mskHeightInst->Width() && !mskHeightInst->IsInputPlace(place)) ++place;
        if (c.unicode() < 128 &&
            ObservationTable::AltitudeKeyRefused(place, static_cast<char>(c.unicode())))
            return true;
    }
    if (editor == mskInstErr[1]) return CorrectionKey(1, e);
    return false;
}

bool StarFixInputPage::CorrectionKey(int index, QKeyEvent* e) {
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    CorrectionEntry& entry = correctionEntry_[index];
    bool& typing = correctionTyping_[index];
    switch (e->key()) {
        case Qt::Key_Backspace:
            if (!typing) return false;
            entry.Backspace();
            ShowCorrectionEntry(index);
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Delete:
            typing = false;  // editing in place, as in any masked field
            return false;
        default:
            break;
    }
    const QString text = e->text();
    if (text.size() != 1 || !text[0].isPrint()) return false;
    const char c = text[0].unicode() < 128 ? static_cast<char>(text[0].unicode()) : '\0';
    if (!typing) {
        // Editing in place: the mask takes the key, but a sign always
        // becomes the sign of the number shown.
        if (c != '+' && c != '-') return false;
        entry.StartFrom(mskInstErr[index]->text().toStdString(), state_.DecSep);
        typing = true;
    }
    if (entry.Type(c)) ShowCorrectionEntry(index);
    return true;
}

void StarFixInputPage::ShowCorrectionEntry(int index) {
    MaskedField* f = mskInstErr[index];
    const CorrectionEntry& entry = correctionEntry_[index];
    const QString text = QString::fromStdString(entry.Text(state_.DecSep));
    f->SetMaskedText(text);
    correctionBeyond_[index] = entry.Beyond() ? text : QString();
    f->setCursorPosition(entry.Caret());
}

// ---- Grid keys, moves and tooltips -----------------------------------------------

bool StarFixInputPage::grdObs_KeyDown(int keyCode, int shift) {
    WorkbenchState& s = state_;
    if (keyCode == Qt::Key_F5) {
        if (links_.ShowTimeStore) links_.ShowTimeStore();
        return true;
    }
    if (keyCode == Qt::Key_Tab) {
        int row = grdObs->Row();
        int col = grdObs->Col();
        if (col < 4 - 2) {
            ++col;
        } else {
            col = 0;
            row = row < grdObs->Rows() - 1 ? row + 1 : 1;
        }
        grdObs->SetCurrentCell(row, col);
        return true;
    }
    if (keyCode == Qt::Key_Delete && shift == 0) {
        const int row = grdObs->Row();
        const int col = grdObs->Col();
        const bool rowEmpty = s.Sights.Delete(row, col);
        ShowObsCell(row, col);
        if (rowEmpty) {
            const TableMessage m = ObservationTable::RowEmptyMessage();
            ShowMessage(kIconInformation + kButtonsOk, QString::fromStdString(m.Title),
                        QString::fromStdString(m.Text), this);
        }
        return true;
    }
    if (keyCode == Qt::Key_Delete && shift == 2) {
        const int r = grdObs->Row();
        if (editRow_ != 0) {
            if (QWidget* e = GridEditor(editCol_)) e->setVisible(false);
            editRow_ = 0;
        }
        s.Sights.RemoveRow(r);
        const bool laying = gridLaying_;
        gridLaying_ = true;
        // The grid keeps its rows: an empty one comes in at the end, so a
        // sight can always be typed into every row a layout gave.
        grdObs->RemoveGridRow(r);
        PrepareGridRow(grdObs->Rows() - 1);
        gridLaying_ = laying;
        curObsRow_ = grdObs->Row();
        return true;
    }
    return keyCode == Qt::Key_Delete;
}

void StarFixInputPage::grdObs_KeyPress(int keyAscii) {
    if (keyAscii == 27) return;
    BeginGridEdit(GridEditor(grdObs->Col()), keyAscii);
}

void StarFixInputPage::grdObs_RowColChange() {
    if (gridLaying_) {
        curObsRow_ = 1;
        return;
    }
    const int row = grdObs->Row();
    if (row != curObsRow_ && state_.Sights.RowLeftIncomplete(curObsRow_)) {
        const TableMessage m = ObservationTable::RowIncompleteMessage(curObsRow_);
        ShowMessage(kIconInformation + kButtonsOk, QString::fromStdString(m.Title),
                    QString::fromStdString(m.Text), this);
        grdObs->setFocus(Qt::OtherFocusReason);
        return;
    }
    curObsRow_ = row;
}

void StarFixInputPage::grdObs_MouseMove(int row, int col) {
    if (row == 1) {
        grdObs->setToolTip(col == 3 ? QString("auto filled")
                                    : QString("2x click or [space] to edit"));
    } else if (!grdObs->toolTip().isEmpty()) {
        grdObs->setToolTip(QString());
    }
}

// ---- The editors' commits ----------------------------------------------------------

void StarFixInputPage::dtpObsTime_LostFocus() {
    if (editCancelled_ || editRow_ == 0 || editCol_ != 0) return;
    state_.Sights.CommitTime(editRow_, PickerDays(dtpObsTime->dateTime()));
    ShowObsCell(editRow_, 0);
}

void StarFixInputPage::mskHeightInst_LostFocus() {
    if (editCancelled_ || editRow_ == 0 || editCol_ != 2) return;
    MaskedField* f = mskHeightInst;
    if (f->IsEmptyEntry()) return;
    const int row = editRow_;
    const QString typed = f->text();
    ObservationTable& t = state_.Sights;
    const bool told = refusedAltitudeRow_ == row && refusedAltitude_ == typed &&
                      t.State(row, 2) == CellState::Refused &&
                      t.Text(row, 2, state_.DecSep) == typed.toStdString();
    const ObservationTable::AltitudeCommit commit = t.CommitAltitude(row, typed.toStdString());
    if (!commit.Accepted) {
        // The cell keeps the refused text, in red, until a valid commit or a
        // Delete; the same refusal is told once.
        refusedAltitude_ = typed;
        refusedAltitudeRow_ = row;
        ShowObsCell(row, 2);
        if (!told)
            ShowMessage(kIconExclamation + kButtonsOk, kInputErrorTitle,
                        QString::fromStdString(commit.Message), this);
        return;
    }
    f->SetBackColor(kValidGreen);
    if (!commit.Changed) return;  // committed already
    ShowObsCell(row, 2);
    refusedAltitude_.clear();
    ConfirmGridCell(row, 2);
}

void StarFixInputPage::mskInstErr_GotFocus(int index) {
    MaskedField* f = mskInstErr[index];
    if (index == 0) state_.FixEntered[8] = false;
    if (index == 1 && correctionOpenedByKey_) {
        correctionOpenedByKey_ = false;  // the opening key began the number
        return;
    }
    // The whole text selected: the first key typed begins a new number.
    correctionEntry_[index].Clear();
    correctionTyping_[index] = true;
    f->selectAll();
}

void StarFixInputPage::mskInstErr_LostFocus(int index) {
    MaskedField* f = mskInstErr[index];
    if (index == 1 && (editCancelled_ || editRow_ == 0 || editCol_ != 3)) return;
    if (f->IsEmptyEntry()) return;
    if (index == 1) {
        // The grid takes any value, held to the field's +-99.99'.
        f->SetBackColor(kValidGreen);
        const int row = editRow_;
        if (!state_.Sights.CommitCorrection(row, f->text().toStdString(), state_.DecSep)) return;
        ShowObsCell(row, 3);
        ConfirmGridCell(row, 3);
        return;
    }
    double x = ParseNumberText(f->text().toStdString(), state_.DecSep);
    // Minutes typed beyond the field show its limit, which is not what was
    // typed: refused as any value beyond +-99.99'.
    if (!correctionBeyond_[0].isEmpty() && f->text() == correctionBeyond_[0]) x = kNotANumber;
    if (std::fabs(x) > 99.99) {
        f->Reject("The instrumental correction is not valid. Try again please.",
                  MaskedField::RejectMode::ReplaceLastWithPrompt);
        // Tried again: the next key begins a new number.
        correctionEntry_[0].Clear();
        correctionTyping_[0] = true;
        return;
    }
    if (std::fabs(x) > 60.0) {
        ShowMessage(kIconQuestion + kButtonsOk, QString("Probable error in input data"),
                    QString("Are you sure the instrumental correction is higher than 1° ?\r\n"
                            " I suggest you throw your sextant overboard."),
                    this);
        f->SetBackColor(kDoubtfulOrange);
    } else {
        f->SetBackColor(kValidGreen);
    }
    f->SetMaskedText(QString::fromStdString(FormatNumber(x, "+00.00;-00.00", state_.DecSep)));
    state_.InstErr = x;
    state_.FixEntered[8] = true;
}

}  // namespace orvex
