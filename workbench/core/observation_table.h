// The set of sights of the star-fix page as data: one row per sight, rows
// 1..Rows(), columns 0 time, 1 body, 2 sextant altitude, 3 instrument
// correction. Each cell holds a value (time: days UT from 30 December
// 1899; body: an upper-case name; altitude: degrees; correction: minutes of
// arc, -99.99..99.99), or a text that was refused, or nothing; and a flag
// that says whether it counts as committed in the row checks (a time cell
// being edited again shows its value but does not count until the editor
// commits; a refused altitude keeps the flag it had).
//
// The table holds the commit rules of the cells' editors, the texts the
// cells show, Delete and Ctrl+Delete, the row checks, the sort by time and
// the reading into an ObservationSet with the messages a navigator is
// given. It shows nothing: the grid widget shows its texts.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "navlib/star_fix_types.h"
#include "workbench/core/observation_file.h"

namespace orvex {

enum class CellState {
    Empty,      // nothing in the cell
    Committed,  // a value
    Refused,    // a text its check refused (an altitude), shown as typed
};

struct ObservationCell {
    CellState State = CellState::Empty;
    bool Filled = false;  // counts as committed in the row checks
    std::string Refused;  // the refused text (State Refused)
};

struct ObservationRow {
    std::array<ObservationCell, 4> Cells;
    double Time = 0.0;  // days, UT
    std::string Body;
    double Hs = 0.0;       // degrees, 0 to under 90
    double InstErr = 0.0;  // minutes of arc, -99.99..99.99
};

// A message for the navigator: warning or information, one OK button.
struct TableMessage {
    bool Warning = true;  // false: the information icon
    std::string Title;
    std::string Text;
};

// Reads the text of a time cell: "d mmm yyyy hh:mm:ss" (English month
// abbreviations, one- or two-digit day, blanks around ignored), also without
// the seconds or without the time of day. days: days UT from 30 December
// 1899. False when the text is no such date.
bool ReadCellTime(const std::string& text, double* days);

class ObservationTable {
  public:
    // The sight rows a layout gives.
    static constexpr int kLayoutRows = 49;

    explicit ObservationTable(int rows = kLayoutRows);

    int Rows() const { return static_cast<int>(rows_.size()); }
    // Row r, 1..Rows().
    const ObservationRow& Row(int r) const { return rows_[static_cast<size_t>(r - 1)]; }
    CellState State(int r, int col) const { return Cell(r, col).State; }
    // False for a row or column outside the table.
    bool Filled(int r, int col) const;

    // The text a cell shows: the time as "d mmm yyyy hh:mm:ss" (English
    // months), the body, the altitude as "00°00'.0", the correction as
    // "+00.00;-00.00", with the decimal separator `decSep`; a refused text as
    // it was typed; "" for an empty cell.
    std::string Text(int r, int col, const std::string& decSep) const;

    // ---- Commits of the editors (r 1..Rows()) ----
    // False when the cell held that committed value already.
    bool CommitTime(int r, double days);
    bool CommitBody(int r, const std::string& body);
    // The altitude text as the editor shows it (prompts "_" read as
    // blanks), checked by CheckSightAltitudeText. Refused: the cell keeps
    // the text, its flag as it was, and `message` the check's message;
    // `changed` whether the cell did not already hold that refusal.
    struct AltitudeCommit {
        bool Accepted = false;
        bool Changed = false;
        std::string Message;
    };
    AltitudeCommit CommitAltitude(int r, const std::string& text);
    // The correction text of the grid's editor: read as a number in
    // minutes; beyond +-99.99' (a text that is no number included, which
    // counts as +99.99) held to 99.99 with its sign, without a message.
    bool CommitCorrection(int r, const std::string& text, const std::string& decSep);
    // After a commit in columns 0..2: an empty correction cell takes the
    // conditions tab's correction text (read as the grid's editor reads it).
    // False when the cell was not empty.
    bool FillCorrection(int r, const std::string& text, const std::string& decSep);

    // Called after each call that changes what the cells show, so that a
    // view follows the table whoever changed it: with the cell (r 1..Rows(),
    // col 0..3) for a commit, a text put or a delete; with r = 0 when rows
    // moved or came anew (a row removed, a sort, a load). A copy of the
    // table is not watched: the watcher stays with the table it was given
    // to (nullptr takes it off).
    void Watch(std::function<void(int r, int col)> changed) {
        watcher_.Changed = std::move(changed);
    }

    // A cell as a loader puts it from its text: it counts as committed
    // whatever the text; it holds a value when the text reads as one (a
    // time as ReadCellTime, any body name, an altitude read as a latitude
    // north, a correction as a number in minutes), else the refused text.
    void PutText(int r, int col, const std::string& text, const std::string& decSep);

    // ---- The time editor ----
    // Opened by space, a double click or a control key: where the picker
    // starts (the stored time when `timeStored` is not 0, which is then
    // cleared; else the cell's time; else the row above's; else
    // `timeEstPos`). The cell stops counting until the editor commits.
    double OpenTime(int r, double& timeStored, double timeEstPos);
    // Esc in the time editor: the cell counts again when it holds a time.
    void CancelTime(int r);

    // ---- Delete keys ----
    // Delete: the cell emptied. True when the whole row is then unfilled
    // (the "Row empty" message is due; see RowEmptyMessage).
    bool Delete(int r, int col);
    // Ctrl+Delete: row r removed, the rows below move up and an empty row
    // comes in at the end; the table keeps its rows.
    void RemoveRow(int r);

    // ---- Row checks ----
    // Leaving row r for another: the message when some of its cells do not
    // count but one of its time, body or altitude does (the correction alone
    // passes); none otherwise.
    bool RowLeftIncomplete(int r) const;
    static TableMessage RowIncompleteMessage(int r);
    static TableMessage RowEmptyMessage();

    // Reads the sights into `o`: the sights before the first wholly
    // unfilled row (the flags of row 1 are not looked at, its values are),
    // each checked against the sorted `bodyList`. Only the entered values
    // are set anew (ObsCount, ObsTime 0..N with element 0 kept, ObsBody,
    // ObsHs degrees, ObsInstErr degrees); the working and result arrays stay.
    // False with `problem` set when refused.
    bool Read(ObservationSet& o, const std::vector<std::string>& bodyList,
              TableMessage& problem) const;

    // Rows 1..n (n at most Rows()) in order of time, earlier first; rows of
    // equal times keep their order.
    void SortByTime(int n);

    // The table laid out anew (Rows() empty rows), then the file's sights
    // in rows 1.., committed (the file's correction in degrees; more
    // sights than rows are not taken), each value as its cell shows it:
    // the time to the second, the altitude to the tenth of a minute (one
    // that shows as no altitude is a refused text; one that is its shown
    // tenth to the last digits of a double stays as the file holds it), the
    // correction to the hundredth of a minute.
    void LoadFileRows(const std::vector<ObsFileSight>& sights);
    // Rows 1..n as the file's sights (correction in degrees).
    std::vector<ObsFileSight> FileRows(int n) const;

    // ---- The numeric editors' texts ----
    // The blank template of column 2 ("__°__'" sep "_") or 3 ("___" sep "__").
    static std::string BlankTemplate(int col, const std::string& decSep);
    // What the editor of column 2 or 3 shows when a key opens it, and where
    // its cursor stands. keyAscii: the typed character, or 32 or less for
    // space, a double click or a control key. Altitude: a printable key
    // other than "9" replaces the template's first place (cursor 1); "9"
    // opens it empty (cursor 0); else the cell's text or the template.
    // Correction: a printable key begins a new number (CorrectionEntry),
    // "9" as any other digit; else the cell's text or the template.
    struct EditorStart {
        std::string Text;
        int Cursor = 0;
    };
    EditorStart OpenNumber(int r, int col, int keyAscii, const std::string& decSep) const;
    // Keys the altitude editor refuses: "9" in the tens of degrees (place
    // 0) and "6" to "9" in the tens of minutes (place 3).
    static bool AltitudeKeyRefused(int place, char c);

  private:
    ObservationCell& Cell(int r, int col) {
        return rows_[static_cast<size_t>(r - 1)].Cells[static_cast<size_t>(col)];
    }
    const ObservationCell& Cell(int r, int col) const {
        return rows_[static_cast<size_t>(r - 1)].Cells[static_cast<size_t>(col)];
    }
    bool RowUnfilled(int r) const;

    // The watcher is no part of the table's value: copies and assignments
    // leave it where it is.
    struct Watcher {
        std::function<void(int, int)> Changed;
        Watcher() = default;
        Watcher(const Watcher&) {}
        Watcher& operator=(const Watcher&) { return *this; }
        void operator()(int r, int col) const {
            if (Changed) Changed(r, col);
        }
    };

    std::vector<ObservationRow> rows_;
    Watcher watcher_;
};

}  // namespace orvex
