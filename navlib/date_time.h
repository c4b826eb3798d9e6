// Date-time values: days counted from 30 December 1899 at 00:00, the time of
// day as the fraction (1.5 is 31 December 1899 at 12:00; 46364.75 is
// 8 December 2026 at 18:00). Values before the origin keep the classic
// convention of this date type: the whole part counts the days backwards and
// the fraction is the time of day whatever the sign (-1.25 is 29 December
// 1899 at 06:00). Years 100 to 9999 of the Gregorian calendar (proleptic
// before 1582).
#pragma once

namespace orvex {

// Calendar date and time of day of a date-time value, to the whole second.
struct CalendarTime {
    int year = 1899;
    int month = 12;  // 1..12
    int day = 30;    // 1..31
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..59
};

// The date-time value of a Gregorian calendar date and a time of day.
// month 1..12, day 1..31 (values outside run on into the next or previous
// month, as a date serial does); hour, minute, second may be any real amount
// and are simply added.
double MakeDateTime(int year, int month, int day, int hour = 0, int minute = 0,
                    double second = 0.0);

// The calendar date and time of a date-time value, the time rounded to the
// nearest second (half a second rounds up, and 23:59:59.5 rounds into the
// next day). Values outside years 100..9999, and NaN, give the nearest end of
// that range (NaN: the origin).
CalendarTime SplitDateTime(double when);

// Day of the week, 1 = Sunday .. 7 = Saturday.
int WeekdayOf(double when);

}  // namespace orvex
