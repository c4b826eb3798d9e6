// The dialog texts of date-time values (days since 30 December 1899, 00:00,
// with the time of day as the fraction; navlib/date_time.h): the format
// "dd mmm yyyy hh:mm:ss" with English month abbreviations.
#pragma once

#include <QDateTime>
#include <QString>

namespace orvex {

// Days of a wall-clock date and time (its zone is ignored), to the second.
double DateTimeToDays(const QDateTime& t);

// "dd MMM yyyy hh:mm:ss", e.g. "09 Dec 2026 04:38:21", to the whole second.
QString FormatDialogTime(double days);
// Reads a text written by FormatDialogTime (also with a one-digit day);
// false when it is not such a text.
bool ParseDialogTime(const QString& text, double* days);

}  // namespace orvex
