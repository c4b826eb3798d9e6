// Small pieces of the observation grid that hold no widget: the time texts of
// its cells and the bookkeeping of its committed cells.
#pragma once

#include <QString>
#include <array>

namespace orvex {

// The committed-cell table of the grid: rows 0..50, columns 0..3.
using CellFilledTable = std::array<std::array<bool, 4>, 51>;

// Reads the text of a time cell: "d mmm yyyy hh:mm:ss" (English month
// abbreviations, one- or two-digit day), also without the seconds or without
// the time of day. days: the date-time value (days from 30 December 1899).
// False when the text is no such date.
bool ReadGridTime(const QString& text, double* days);

// The table after the grid's row r (1..50) was removed: starting at r, L is
// the first row at or after r whose next row is completely unfilled (row 50
// at most; beyond the table counts as unfilled); rows r..L-1 take the flags
// of the row below and row L becomes unfilled.
void RemoveFilledRow(CellFilledTable& filled, int r);

// The name a save offers, without ".obs": the wanted date as "ddmmmyy" (the
// locale's short month name) and the first letter A, B, ... whose file does
// not exist yet in `folder`; when all of A to Z exist, Z.
QString DefaultObservationFileName(const QString& folder, double timeTruePos);

}  // namespace orvex
