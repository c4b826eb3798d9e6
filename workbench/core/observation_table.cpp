#include "workbench/core/observation_table.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "inputs/condition_checks.h"
#include "navlib/array_lib.h"
#include "navlib/date_time.h"
#include "navlib/inout_lib.h"
#include "navlib/number_format.h"
#include "workbench/core/correction_entry.h"

namespace orvex {

namespace {

constexpr double kMaxCorrection = 99.99;  // minutes
// Two altitudes this close (degrees) are the same tenth of a minute read
// two ways; a tenth of a minute is 1.7e-3 degree.
constexpr double kSameShownAltitude = 1e-9;

// A committed value in a cell that counts.
void Commit(ObservationCell& c) {
    c.State = CellState::Committed;
    c.Filled = true;
    c.Refused.clear();
}

}  // namespace

bool ReadCellTime(const std::string& text, double* days) {
    std::istringstream in(text);
    std::vector<std::string> parts;
    for (std::string p; in >> p;) parts.push_back(p);
    if (parts.size() != 3 && parts.size() != 4) return false;
    auto number = [](const std::string& t, size_t minDigits, size_t maxDigits, int* v) {
        if (t.size() < minDigits || t.size() > maxDigits) return false;
        *v = 0;
        for (char c : t) {
            if (c < '0' || c > '9') return false;
            *v = *v * 10 + (c - '0');
        }
        return true;
    };
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    int day = 0, month = 0, year = 0;
    if (!number(parts[0], 1, 2, &day) || !number(parts[2], 4, 4, &year)) return false;
    for (int m = 0; m < 12; ++m)
        if (parts[1] == kMonths[m]) month = m + 1;
    const int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (month == 0 || day < 1 || day > monthDays[month - 1] + (month == 2 && leap ? 1 : 0))
        return false;
    int hour = 0, minute = 0, second = 0;
    if (parts.size() == 4) {
        const std::string& t = parts[3];
        const size_t a = t.find(':');
        const size_t b = a == std::string::npos ? a : t.find(':', a + 1);
        if (a == std::string::npos || !number(t.substr(0, a), 1, 2, &hour)) return false;
        const std::string mm =
            t.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
        if (!number(mm, 2, 2, &minute)) return false;
        if (b != std::string::npos && !number(t.substr(b + 1), 2, 2, &second)) return false;
        if (hour > 23 || minute > 59 || second > 59) return false;
    }
    *days = MakeDateTime(year, month, day, hour, minute, second);
    return true;
}

ObservationTable::ObservationTable(int rows) : rows_(static_cast<size_t>(std::max(rows, 0))) {}

bool ObservationTable::Filled(int r, int col) const {
    return r >= 1 && r <= Rows() && col >= 0 && col <= 3 && Cell(r, col).Filled;
}

bool ObservationTable::RowUnfilled(int r) const {
    for (int c = 0; c < 4; ++c)
        if (Filled(r, c)) return false;
    return true;
}

std::string ObservationTable::Text(int r, int col, const std::string& decSep) const {
    const ObservationCell& c = Cell(r, col);
    if (c.State == CellState::Refused) return c.Refused;
    if (c.State == CellState::Empty) return std::string();
    const ObservationRow& row = Row(r);
    switch (col) {
        case 0:
            return FormatDateTime(row.Time, "d mmm yyyy hh:mm:ss");
        case 1:
            return row.Body;
        case 2:
            return FormatDegreesMinutes(row.Hs, "00°00'.0", decSep);
        default:
            return FormatNumber(row.InstErr, "+00.00;-00.00", decSep);
    }
}

bool ObservationTable::CommitTime(int r, double days) {
    ObservationCell& c = Cell(r, 0);
    const bool same = c.State == CellState::Committed && c.Filled && Row(r).Time == days;
    rows_[static_cast<size_t>(r - 1)].Time = days;
    Commit(c);
    watcher_(r, 0);
    return !same;
}

bool ObservationTable::CommitBody(int r, const std::string& body) {
    ObservationCell& c = Cell(r, 1);
    const bool same = c.State == CellState::Committed && c.Filled && Row(r).Body == body;
    rows_[static_cast<size_t>(r - 1)].Body = body;
    Commit(c);
    watcher_(r, 1);
    return !same;
}

ObservationTable::AltitudeCommit ObservationTable::CommitAltitude(int r, const std::string& text) {
    ObservationCell& c = Cell(r, 2);
    const FieldVerdict v = CheckSightAltitudeText(text);
    AltitudeCommit out;
    if (!v.Accepted) {
        out.Changed = !(c.State == CellState::Refused && c.Refused == text);
        out.Message = v.Message;
        c.State = CellState::Refused;  // the flag stays as it was
        c.Refused = text;
        watcher_(r, 2);
        return out;
    }
    out.Accepted = true;
    out.Changed = !(c.State == CellState::Committed && c.Filled && Row(r).Hs == v.Value);
    rows_[static_cast<size_t>(r - 1)].Hs = v.Value;
    Commit(c);
    watcher_(r, 2);
    return out;
}

bool ObservationTable::CommitCorrection(int r, const std::string& text, const std::string& decSep) {
    double x = ParseNumberText(text, decSep);
    if (std::fabs(x) > kMaxCorrection) x = std::copysign(kMaxCorrection, x);
    ObservationCell& c = Cell(r, 3);
    const bool same = c.State == CellState::Committed && c.Filled && Row(r).InstErr == x;
    rows_[static_cast<size_t>(r - 1)].InstErr = x;
    Commit(c);
    watcher_(r, 3);
    return !same;
}

bool ObservationTable::FillCorrection(int r, const std::string& text, const std::string& decSep) {
    if (State(r, 3) != CellState::Empty) return false;
    return CommitCorrection(r, text, decSep);
}

void ObservationTable::PutText(int r, int col, const std::string& text, const std::string& decSep) {
    ObservationCell& c = Cell(r, col);
    ObservationRow& row = rows_[static_cast<size_t>(r - 1)];
    Commit(c);
    bool read = true;
    switch (col) {
        case 0:
            read = ReadCellTime(text, &row.Time);
            break;
        case 1:
            row.Body = text;
            break;
        case 2: {
            const double x = ParseLatitude(text + " N");
            read = x != kBadDegrees && x != kBadMinutes && x != kBadHemisphere;
            if (read) row.Hs = x;
            break;
        }
        default: {
            const double y = ParseNumberText(text, decSep);
            read = y != kNotANumber;
            if (read) row.InstErr = y;
            break;
        }
    }
    if (!read) {
        c.State = CellState::Refused;
        c.Refused = text;
    }
    watcher_(r, col);
}

double ObservationTable::OpenTime(int r, double& timeStored, double timeEstPos) {
    double when = timeEstPos;
    if (timeStored != 0.0) {
        when = timeStored;
        timeStored = 0.0;
    } else if (State(r, 0) == CellState::Committed) {
        when = Row(r).Time;
    } else if (r > 1 && State(r - 1, 0) == CellState::Committed) {
        when = Row(r - 1).Time;
    }
    Cell(r, 0).Filled = false;
    return when;
}

void ObservationTable::CancelTime(int r) {
    ObservationCell& c = Cell(r, 0);
    c.Filled = c.State == CellState::Committed;
}

bool ObservationTable::Delete(int r, int col) {
    Cell(r, col) = ObservationCell();
    watcher_(r, col);
    return RowUnfilled(r);
}

void ObservationTable::RemoveRow(int r) {
    if (r < 1 || r > Rows()) return;
    rows_.erase(rows_.begin() + (r - 1));
    rows_.emplace_back();
    watcher_(0, 0);
}

bool ObservationTable::RowLeftIncomplete(int r) const {
    if (r < 1 || r > Rows()) return false;
    const bool all = Filled(r, 0) && Filled(r, 1) && Filled(r, 2) && Filled(r, 3);
    const bool started = Filled(r, 0) || Filled(r, 1) || Filled(r, 2);
    return !all && started;
}

TableMessage ObservationTable::RowIncompleteMessage(int r) {
    return {false, "Row not fully filled",
            "Data missing for the observation " + std::to_string(r) + "."};
}

TableMessage ObservationTable::RowEmptyMessage() {
    return {false, "Row empty",
            "If you want to delete the entire row,\r\nplease use <Control> <Delete>."};
}

bool ObservationTable::Read(ObservationSet& o, const std::vector<std::string>& bodyList,
                            TableMessage& problem) const {
    if (Rows() < 1 || State(1, 0) != CellState::Committed) {
        problem = {true, " Error in input data", "Please fill the grid with the observations."};
        return false;
    }
    int n = 1;
    for (;;) {
        if (RowUnfilled(n + 1)) break;
        ++n;
        for (int c = 0; c < 4; ++c)
            if (!Filled(n, c)) {
                problem = {true, "Missing data", "Some data are missing or incorrect in the grid."};
                return false;
            }
        if (n >= 50) break;
    }
    n = std::min(n, Rows());

    // Only the entered values are read anew: the working and result arrays
    // (and the chart drawn from them) belong to the last fix, and the slot
    // of the wanted time keeps its value.
    const double wantedTime =
        o.ObsTime.ubound() >= 0 && o.ObsTime.lbound() <= 0 ? o.ObsTime(0) : 0.0;
    o.ObsCount = n;
    o.ObsTime = Vector(0, n);
    o.ObsTime(0) = wantedTime;
    o.ObsBody.assign(static_cast<size_t>(n + 1), std::string());
    o.ObsHs = Vector(n);
    o.ObsInstErr = Vector(n);
    auto refuse = [&problem](const char* text) {
        problem = {true, "Incorrect data", text};
        return false;
    };
    for (int j = 1; j <= n; ++j) {
        const ObservationRow& row = Row(j);
        if (State(j, 0) != CellState::Committed) return refuse("Incorrect time in the grid.");
        o.ObsTime(j) = row.Time;
        if (State(j, 1) != CellState::Committed || BinarySearchText(row.Body, bodyList) < 0)
            return refuse("Incorrect celestal body name in the grid.");
        o.ObsBody[static_cast<size_t>(j)] = row.Body;
        if (State(j, 2) != CellState::Committed) return refuse("Incorrect altitude in the grid.");
        o.ObsHs(j) = row.Hs;
        if (State(j, 3) != CellState::Committed)
            return refuse("Incorrect instrumental error in the grid.");
        o.ObsInstErr(j) = row.InstErr / 60.0;
    }
    return true;
}

void ObservationTable::SortByTime(int n) {
    n = std::min(n, Rows());
    if (n < 2) return;
    std::stable_sort(rows_.begin(), rows_.begin() + n,
                     [](const ObservationRow& a, const ObservationRow& b) {
                         const bool dates = a.Cells[0].State == CellState::Committed &&
                                            b.Cells[0].State == CellState::Committed;
                         return dates && a.Time < b.Time;
                     });
    watcher_(0, 0);
}

void ObservationTable::LoadFileRows(const std::vector<ObsFileSight>& sights) {
    const int rows = Rows();
    *this = ObservationTable(rows);
    const int n = std::min(static_cast<int>(sights.size()), rows);
    for (int r = 1; r <= n; ++r) {
        const ObsFileSight& s = sights[static_cast<size_t>(r - 1)];
        ObservationRow& row = rows_[static_cast<size_t>(r - 1)];
        for (ObservationCell& c : row.Cells) Commit(c);
        // Each value as its cell shows it: the time to the second, the
        // altitude to the tenth of a minute, the correction to the hundredth.
        const CalendarTime t = SplitDateTime(s.Time);
        row.Time = MakeDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second);
        row.Body = s.Body;
        const std::string altitude = FormatDegreesMinutes(s.Hs, "00°00'.0");
        const double hs = ParseLatitude(altitude + " N");
        if (hs == kBadDegrees || hs == kBadMinutes || hs == kBadHemisphere) {
            row.Cells[2].State = CellState::Refused;
            row.Cells[2].Refused = altitude;
        }
        // A file's altitude that is its shown value but for the last digits
        // of a double (the text is read through packed degrees and minutes)
        // is kept as the file holds it: a file saved untouched gives back
        // its own bytes.
        row.Hs = std::fabs(hs - s.Hs) <= kSameShownAltitude ? s.Hs : hs;
        row.InstErr = ParseNumberText(FormatNumber(s.InstErr * 60.0, "+00.00;-00.00"));
    }
    watcher_(0, 0);
}

std::vector<ObsFileSight> ObservationTable::FileRows(int n) const {
    std::vector<ObsFileSight> out;
    for (int r = 1; r <= std::min(n, Rows()); ++r) {
        const ObservationRow& row = Row(r);
        out.push_back({row.Time, row.Body, row.Hs, row.InstErr / 60.0});
    }
    return out;
}

std::string ObservationTable::BlankTemplate(int col, const std::string& decSep) {
    return col == 2 ? "__°__'" + decSep + "_" : "___" + decSep + "__";
}

ObservationTable::EditorStart ObservationTable::OpenNumber(int r, int col, int keyAscii,
                                                           const std::string& decSep) const {
    const std::string blank = BlankTemplate(col, decSep);
    const bool printable = keyAscii > 32;
    const std::string cell = Text(r, col, decSep);
    if (col == 3) {
        if (!printable) return {cell.empty() ? blank : cell, 0};
        CorrectionEntry entry;
        entry.Type(static_cast<char>(keyAscii));
        return {entry.Text(decSep), entry.Caret()};
    }
    if (printable && keyAscii != '9') return {static_cast<char>(keyAscii) + blank.substr(1), 1};
    if (keyAscii == '9') return {blank, 0};
    return {cell.empty() ? blank : cell, 0};
}

bool ObservationTable::AltitudeKeyRefused(int place, char c) {
    return (place == 0 && c == '9') || (place == 3 && c >= '6' && c <= '9');
}

}  // namespace orvex
