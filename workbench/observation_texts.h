// Small pieces of the observation grid that hold no widget: the time texts of
// its cells and the name a save offers.
#pragma once

#include <QString>

namespace orvex {

// Reads the text of a time cell: "d mmm yyyy hh:mm:ss" (English month
// abbreviations, one- or two-digit day), also without the seconds or without
// the time of day. days: the date-time value (days from 30 December 1899).
// False when the text is no such date. The table's ReadCellTime.
bool ReadGridTime(const QString& text, double* days);

// The name a save offers, without ".obs": the wanted date as "ddmmmyy" (the
// locale's short month name) and the first letter A, B, ... whose file does
// not exist yet in `folder`; when all of A to Z exist, Z.
QString DefaultObservationFileName(const QString& folder, double timeTruePos);

}  // namespace orvex
