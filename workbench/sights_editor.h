// The sights of the observations tab as the navigator edits them: the grid
// grdObs that shows the session's table of sights (ObservationTable) and its
// four in-cell editors (the time picker, the body list, the altitude and the
// correction fields) with their typing state. The navigator never types into
// the grid itself: a key or a double click opens the editor of the column
// over the cell; when the editor is left its value goes to the table, which
// accepts or refuses it, and the cell shows the table's text (red when
// refused). Rows 1.. are sights, columns 0..3 (time, body, altitude,
// correction).
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "workbench/correction_typing.h"

class QComboBox;
class QDateTime;
class QDateTimeEdit;
class QGridLayout;
class QKeyEvent;
class QLabel;
class QTimer;
class QWidget;

namespace orvex {

class MaskedField;
class ObservationGrid;
struct StarFixSession;
struct StarFixInputContext;

// What the editor needs of its page. Unset callbacks do nothing.
struct SightsEditorLinks {
    // Shows the time-store dialog (F5 in the grid).
    std::function<void()> ShowTimeStore;
    // The conditions tab's correction as it shows it, or an empty text when
    // it is empty: a new row takes it.
    std::function<QString()> ConditionsCorrection;
};

class SightsEditor : public QObject {
    Q_OBJECT
  public:
    // Makes the three editors that are fields in `area` (the tab's field
    // area); Build() lays the grid out. Messages are shown over `page`.
    SightsEditor(StarFixSession& session, const StarFixInputContext& context,
                 SightsEditorLinks links, QWidget* page, QWidget* area);

    // Puts the grid at row 1 of `layout` and the editors over its cells.
    void Build(QGridLayout* layout);
    // Takes the editors' hooks off (the window's teardown calls it while the
    // state they touch still stands).
    void Detach();

    ObservationGrid* Grid() const { return grid_; }
    // The editor that belongs to a column (0..3), else nullptr.
    QWidget* Editor(int col) const;
    QDateTimeEdit* TimePicker() const { return time_; }
    QComboBox* BodyList() const { return body_; }
    MaskedField* AltitudeField() const { return altitude_; }
    MaskedField* CorrectionField() const { return correction_; }

    // Lays the grid out empty, with an empty table of sights.
    void Layout();
    // Validates the table's rows and fills the observation set; false after
    // its own message.
    bool Read();
    // Sorts the table's rows 1..ObsCount by time and shows them.
    void SortByTime();
    // Commits the open editor into its cell (the grid's own GotFocus).
    void CommitOpenEditor();
    // Commits the open editor and hides it (the grid's LeaveCell).
    void CloseEditor();
    // Opens the editor of the current column over the current cell;
    // keyAscii is the typed character, or 32 for space and double click.
    void BeginEdit(QWidget* editor, int keyAscii);
    // Entering the grid's correction editor: its text selected for a new
    // number, unless the key that opened it began one.
    void CorrectionEntered();
    // The grid's tooltip for the mouse over a cell.
    void MouseMove(int row, int col);

  private:
    // Widths of the editors, pixels; each column is one pixel narrower.
    static constexpr int kEditorWidths[4] = {190, 130, 100, 84};
    // A sight's time as the picker shows it (UT), and back.
    static QDateTime PickerValue(double days);
    static double PickerDays(const QDateTime& t);

    void EndEdit(QWidget* editor, int keyCode, int shift);
    bool KeyDown(int keyCode, int shift);
    void KeyPress(int keyAscii);
    void RowColChange();
    bool EditorKey(QWidget* editor, QKeyEvent* key);
    void PrepareRow(int row);
    void CommitEditor(int col);
    // Shows a committed cell's value green for a moment (no waiting).
    void ConfirmCell(int row, int col);
    // The grid cell shows the table's cell: its text, red when refused.
    void ShowCell(int row, int col);
    // Every cell shows the table's (the table's watcher, rows moved).
    void ShowTable();
    // The editors' commits (their lost-focus handlers).
    void TimeLeft();
    void AltitudeLeft();
    void CorrectionLeft();

    StarFixSession& state_;
    const StarFixInputContext& ctx_;
    SightsEditorLinks links_;
    QWidget* page_;
    QWidget* area_;
    ObservationGrid* grid_ = nullptr;
    QDateTimeEdit* time_ = nullptr;
    QComboBox* body_ = nullptr;
    MaskedField* altitude_ = nullptr;
    MaskedField* correction_ = nullptr;
    // The grid row the user was last on (1 after a layout), and true while
    // the grid is laid out or its rows move (no row checks then).
    int curObsRow_ = 1;
    bool gridLaying_ = false;
    // The cell the open editor was opened over (row 0: none).
    int editRow_ = 0;
    int editCol_ = 0;
    // True while Esc closes an editor without committing it.
    bool editCancelled_ = false;
    // The last refused altitude (cell and text), so that the same refusal is
    // not shown twice when two commits run for one leave.
    QString refusedAltitude_;
    int refusedAltitudeRow_ = 0;
    // The committed value shown over its cell, and the timer that hides it.
    QLabel* confirm_ = nullptr;
    QTimer* confirmTimer_ = nullptr;
    std::vector<QObject*> hooks_;
    CorrectionTyping correctionTyping_;
    // True while the grid opens the correction editor with the typed key.
    bool correctionOpenedByKey_ = false;
};

}  // namespace orvex
