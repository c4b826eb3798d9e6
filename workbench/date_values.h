// Date-time values as the program keeps them: days since 30 December 1899,
// 00:00, with the time of day as the fraction (UT unless stated), and their
// texts in the format the dialogs show, "dd mmm yyyy hh:mm:ss" with English
// month abbreviations.
#pragma once

#include <QDateTime>
#include <QString>

namespace orvex {

// Days of a date-time taken as UT (its time-zone offset is ignored: the
// wall-clock fields are used).
double DateTimeToDays(const QDateTime& t);
// The UT date-time of a number of days, rounded to the millisecond.
QDateTime DaysToDateTime(double days);

// "dd MMM yyyy hh:mm:ss", e.g. "09 Dec 2026 04:38:21".
QString FormatDialogTime(double days);
// Reads a text written by FormatDialogTime (also "d MMM yyyy hh:mm:ss");
// false when it is not such a text.
bool ParseDialogTime(const QString& text, double* days);

}  // namespace orvex
