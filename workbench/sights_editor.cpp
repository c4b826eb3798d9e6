#include "workbench/sights_editor.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "inputs/condition_checks.h"
#include "navlib/array_lib.h"
#include "navlib/date_time.h"
#include "navlib/inout_lib.h"
#include "navlib/number_format.h"
#include "platform/date_time_picker.h"
#include "platform/masked_field.h"
#include "platform/message_box.h"
#include "workbench/core/observation_table.h"
#include "workbench/core/star_fix_session.h"
#include "workbench/date_values.h"
#include "workbench/field_layout.h"
#include "workbench/masked_input.h"
#include "workbench/observation_grid.h"
#include "workbench/observation_texts.h"
#include "workbench/reading_tab_order.h"
#include "workbench/star_fix_input_page.h"

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
constexpr double kHeaderFontSizes[4] = {12, 10, 10, 9.75};
const QColor kHeaderBlue(0, 0, 255);

bool IsLeavingReason(Qt::FocusReason r) {
    return r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason &&
           r != Qt::MenuBarFocusReason;
}

}  // namespace

QDateTime SightsEditor::PickerValue(double days) {
    const CalendarTime c = SplitDateTime(days);
    return QDateTime(QDate(c.year, c.month, c.day), QTime(c.hour, c.minute, c.second), Qt::UTC);
}

double SightsEditor::PickerDays(const QDateTime& t) {
    const QDate d = t.date();
    const QTime h = t.time();
    return MakeDateTime(d.year(), d.month(), d.day(), h.hour(), h.minute(), h.second());
}

// ---- Building -----------------------------------------------------------------

SightsEditor::SightsEditor(StarFixSession& session, const StarFixInputContext& context,
                           SightsEditorLinks links, QWidget* page, QWidget* area)
    : QObject(page),
      state_(session),
      ctx_(context),
      links_(std::move(links)),
      page_(page),
      area_(area) {
    // The editors that are fields float over the grid and stay hidden until
    // a cell is edited.
    correction_ = MakeMaskedField(area, "mskInstErr_1");
    correction_->setVisible(false);
    altitude_ = MakeMaskedField(area, "mskHeightInst");
    altitude_->setVisible(false);
    body_ = new QComboBox(area);
    body_->setObjectName("cboBody");
    body_->setVisible(false);
    correctionTyping_ = CorrectionTyping(correction_);
}

void SightsEditor::Build(QGridLayout* layout) {
    grid_ = new ObservationGrid(area_);
    grid_->setObjectName("grdObs");
    layout->addWidget(grid_, 1, 0, 1, 3, Qt::AlignHCenter);
    layout->setRowStretch(1, 1);

    // The editors float over the cells: children of the grid's viewport.
    QWidget* host = grid_->viewport();
    time_ = new DateTimePicker(host);
    time_->setObjectName("dtpObsTime");
    time_->setTimeSpec(Qt::UTC);
    // The cells' English month names, whatever the user's language.
    time_->setLocale(QLocale::c());
    time_->setDisplayFormat("d MMM yyyy hh:mm:ss");
    time_->setCalendarPopup(false);
    time_->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    QWidget* editors[4] = {time_, body_, altitude_, correction_};
    for (int c = 0; c < 4; ++c) {
        QWidget* e = editors[c];
        e->setParent(host);
        e->setMinimumWidth(0);
        e->setMaximumWidth(QWIDGETSIZE_MAX);
        e->resize(kEditorWidths[c], e->sizeHint().height());
        e->setVisible(false);
        auto* hook = new EventHook(e, [this, e](QEvent* ev) {
            if (ev->type() == QEvent::KeyPress) return EditorKey(e, static_cast<QKeyEvent*>(ev));
            if (ev->type() == QEvent::FocusOut && e == time_ &&
                IsLeavingReason(static_cast<QFocusEvent*>(ev)->reason()))
                TimeLeft();
            return false;
        });
        e->installEventFilter(hook);
        hooks_.push_back(hook);
    }
    confirm_ = new QLabel(host);
    confirm_->setObjectName("grdObsCommitted");
    confirm_->setAlignment(Qt::AlignCenter);
    confirm_->setAttribute(Qt::WA_TransparentForMouseEvents);
    confirm_->setAutoFillBackground(true);
    QPalette green = confirm_->palette();
    green.setColor(QPalette::Window, kValidGreen);
    confirm_->setPalette(green);
    confirm_->hide();
    confirmTimer_ = new QTimer(confirm_);
    confirmTimer_->setSingleShot(true);
    confirmTimer_->setInterval(300);
    connect(confirmTimer_, &QTimer::timeout, confirm_, &QWidget::hide);
    altitude_->setToolTip("[TAB] next cell/row");
    altitude_->SetCommitHook([this](MaskedField&) { AltitudeLeft(); });
    correction_->SetCommitHook([this](MaskedField&) { CorrectionLeft(); });
    correction_->SetEnterHook([this](MaskedField&) { CorrectionEntered(); });

    grid_->onKeyDown = [this](int key, int shift) { return KeyDown(key, shift); };
    grid_->onKeyPress = [this](int k) { KeyPress(k); };
    grid_->onDblClick = [this] { BeginEdit(Editor(grid_->Col()), 32); };
    grid_->onGotFocus = [this] { CommitOpenEditor(); };
    grid_->onLeaveCell = [this](int, int) { CloseEditor(); };
    grid_->onRowColChange = [this] { RowColChange(); };
    grid_->onMouseMove = [this](int row, int col) { MouseMove(row, col); };

    Layout();
    FitField(correction_, "-00.00");
    // The grid follows the table, whoever changes it (an editor, a file
    // loaded, a sort).
    state_.Sights.Watch([self = QPointer<SightsEditor>(this)](int row, int col) {
        if (!self) return;
        if (row == 0)
            self->ShowTable();
        else if (row < self->grid_->Rows())
            self->ShowCell(row, col);
    });
}

void SightsEditor::Detach() {
    state_.Sights.Watch(nullptr);
    for (QObject* hook : hooks_) delete hook;
    hooks_.clear();
    altitude_->SetCommitHook(nullptr);
    correction_->SetCommitHook(nullptr);
    correction_->SetEnterHook(nullptr);
    grid_->onKeyDown = nullptr;
    grid_->onKeyPress = nullptr;
    grid_->onDblClick = nullptr;
    grid_->onGotFocus = nullptr;
    grid_->onLeaveCell = nullptr;
    grid_->onRowColChange = nullptr;
    grid_->onMouseMove = nullptr;
}

QWidget* SightsEditor::Editor(int col) const {
    switch (col) {
        case 0:
            return time_;
        case 1:
            return body_;
        case 2:
            return altitude_;
        case 3:
            return correction_;
        default:
            return nullptr;
    }
}

// ---- Layout -------------------------------------------------------------------

void SightsEditor::Layout() {
    StarFixSession& s = state_;
    gridLaying_ = true;
    // An open editor goes without committing into the grid being cleared.
    editRow_ = 0;
    for (int c = 0; c < 4; ++c)
        if (QWidget* e = Editor(c)) e->setVisible(false);
    confirm_->hide();
    grid_->Reset(kGridDataRows);

    QFont font = grid_->font();
    font.setPointSizeF(12);
    grid_->setFont(font);
    s.Sights = ObservationTable(kGridDataRows);

    // Rows as tall as the body list; the header tall enough for its picture
    // and its two lines.
    const int rowHeight = std::max(body_->sizeHint().height(), time_->sizeHint().height());
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->verticalHeader()->setDefaultSectionSize(rowHeight);
    grid_->verticalHeader()->setMinimumSectionSize(rowHeight);
    const int picture = 20;
    QFont headerFont = font;
    headerFont.setPointSizeF(10);
    const int twoLines = 2 * QFontMetrics(headerFont).height() + 6;
    grid_->horizontalHeader()->setFixedHeight(
        std::max(twoLines, static_cast<int>(std::lround(picture * 1.1))));

    // The time editor as wide as its widest text in the grid's font, so
    // that no digit is cut while a date is typed.
    int widths[4] = {kEditorWidths[0], kEditorWidths[1], kEditorWidths[2], kEditorWidths[3]};
    widths[0] = std::max(widths[0], time_->sizeHint().width());
    for (int c = 0; c < 4; ++c) {
        auto* h = new QTableWidgetItem(GridHeaderPicture(c + 1, picture),
                                       ObservationGrid::HeaderText(c).replace('\r', '\n'));
        QFont f = font;
        f.setPointSizeF(kHeaderFontSizes[c]);
        h->setFont(f);
        h->setForeground(kHeaderBlue);
        h->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid_->setHorizontalHeaderItem(c, h);
        QWidget* e = Editor(c);
        e->setFixedSize(widths[c], rowHeight);
        grid_->setColumnWidth(c, widths[c] - 1);
    }
    for (int r = 1; r <= kGridDataRows; ++r) PrepareRow(r);
    const int frame = 2 * grid_->frameWidth();
    // As wide as its columns: no blank strip beside the last one.
    grid_->setFixedWidth(widths[0] + widths[1] + widths[2] + widths[3] - 4 +
                         grid_->verticalScrollBar()->sizeHint().width() + frame);
    grid_->scrollToTop();
    grid_->SetCurrentCell(1, 0);
    curObsRow_ = 1;
    gridLaying_ = false;
}

void SightsEditor::PrepareRow(int row) {
    QFont bodyFont = grid_->font();
    bodyFont.setPointSizeF(10);
    for (int c = 0; c < 4; ++c) {
        grid_->SetTextMatrix(row, c, QString());
        if (c == 1) grid_->item(row - 1, c)->setFont(bodyFont);
    }
}

// ---- Reading and sorting --------------------------------------------------------

bool SightsEditor::Read() {
    TableMessage m;
    if (state_.Sights.Read(state_.Obs, ctx_.BodyList, m)) return true;
    ShowMessage(kIconExclamation + kButtonsOk, QString::fromStdString(m.Title),
                QString::fromStdString(m.Text), page_);
    return false;
}

void SightsEditor::SortByTime() {
    const int n = std::min(state_.Obs.ObsCount, state_.Sights.Rows());
    if (n < 1) return;
    const bool laying = gridLaying_;
    gridLaying_ = true;           // no row checks while the rows move
    state_.Sights.SortByTime(n);  // the grid shows the rows in their new order
    grid_->scrollToTop();
    grid_->viewport()->update();
    grid_->SetCurrentCell(1, 0);
    gridLaying_ = laying;
    curObsRow_ = 1;
}

void SightsEditor::ShowTable() {
    for (int r = 1; r <= state_.Sights.Rows() && r < grid_->Rows(); ++r)
        for (int c = 0; c < 4; ++c) ShowCell(r, c);
}

void SightsEditor::ShowCell(int row, int col) {
    const ObservationTable& t = state_.Sights;
    grid_->SetTextMatrix(row, col, QString::fromStdString(t.Text(row, col, ctx_.DecSep)));
    grid_->SetCellBackColor(
        row, col,
        t.State(row, col) == CellState::Refused ? kRefusedRed : MaskedField::WindowColor());
}

// ---- Commit, open and close -----------------------------------------------------

void SightsEditor::CommitEditor(int col) {
    switch (col) {
        case 0:
            TimeLeft();
            break;
        case 1:
            if (editRow_ > 0)
                state_.Sights.CommitBody(editRow_, body_->currentText().toStdString());
            break;
        case 2:
            AltitudeLeft();
            break;
        case 3:
            CorrectionLeft();
            break;
        default:
            break;
    }
}

void SightsEditor::CommitOpenEditor() {
    if (editRow_ == 0 || editCancelled_) return;
    QWidget* editor = Editor(editCol_);
    if (!editor || !editor->isVisible()) return;
    const int row = editRow_;
    CommitEditor(editCol_);
    // A new row takes the correction of the conditions tab.
    const QString conditions =
        links_.ConditionsCorrection ? links_.ConditionsCorrection() : QString();
    if (editCol_ <= 2 && row <= grid_->Rows() - 1 && !conditions.isEmpty())
        state_.Sights.FillCorrection(row, conditions.toStdString(), ctx_.DecSep);
}

void SightsEditor::CloseEditor() {
    if (editRow_ == 0) return;
    CommitOpenEditor();
    if (QWidget* e = Editor(editCol_)) e->setVisible(false);
    editRow_ = 0;
}

void SightsEditor::ConfirmCell(int row, int col) {
    // The committed value shows green over its cell for a moment while the
    // navigator goes on typing: nothing waits for it.
    confirm_->setText(QString::fromStdString(state_.Sights.Text(row, col, ctx_.DecSep)));
    confirm_->setGeometry(grid_->CellRect(row, col));
    confirm_->raise();
    confirm_->show();
    confirmTimer_->start();
}

// ---- The editors' commits ----------------------------------------------------------

void SightsEditor::TimeLeft() {
    if (editCancelled_ || editRow_ == 0 || editCol_ != 0) return;
    state_.Sights.CommitTime(editRow_, PickerDays(time_->dateTime()));
}

void SightsEditor::AltitudeLeft() {
    if (editCancelled_ || editRow_ == 0 || editCol_ != 2) return;
    MaskedField* f = altitude_;
    if (f->IsEmptyEntry()) return;
    const int row = editRow_;
    const QString typed = f->text();
    ObservationTable& t = state_.Sights;
    const bool told = refusedAltitudeRow_ == row && refusedAltitude_ == typed &&
                      t.State(row, 2) == CellState::Refused &&
                      t.Text(row, 2, ctx_.DecSep) == typed.toStdString();
    const ObservationTable::AltitudeCommit commit = t.CommitAltitude(row, typed.toStdString());
    if (!commit.Accepted) {
        // The cell keeps the refused text, in red, until a valid commit or a
        // Delete; the same refusal is told once.
        refusedAltitude_ = typed;
        refusedAltitudeRow_ = row;
        if (!told)
            ShowMessage(kIconExclamation + kButtonsOk, kInputErrorTitle,
                        QString::fromStdString(commit.Message), page_);
        return;
    }
    f->SetBackColor(kValidGreen);
    if (!commit.Changed) return;  // committed already
    refusedAltitude_.clear();
    ConfirmCell(row, 2);
}

void SightsEditor::CorrectionEntered() {
    if (correctionOpenedByKey_) {
        correctionOpenedByKey_ = false;  // the opening key began the number
        return;
    }
    // The whole text selected: the first key typed begins a new number.
    correctionTyping_.Restart();
    correction_->selectAll();
}

void SightsEditor::CorrectionLeft() {
    if (editCancelled_ || editRow_ == 0 || editCol_ != 3) return;
    MaskedField* f = correction_;
    if (f->IsEmptyEntry()) return;
    // The grid takes any value, held to the field's +-99.99'.
    f->SetBackColor(kValidGreen);
    const int row = editRow_;
    if (!state_.Sights.CommitCorrection(row, f->text().toStdString(), ctx_.DecSep)) return;
    ConfirmCell(row, 3);
}

}  // namespace orvex
