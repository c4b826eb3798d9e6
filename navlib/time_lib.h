// The offset between the PC's local clock and UT. Every sight time is UT, but
// the clock the program reads for "now" runs on local time:
//   UT = local date-time + GetUtcOffset(daylight)
#pragma once

#include <ctime>

#include "navlib/date_time.h"

namespace orvex {

// UT minus local time, in days (negative east of Greenwich: a PC on UTC+2
// gives -2/24), from two readings of the clock taken as full dates and times
// to the whole second, so that the offset is right across midnight and the
// turn of the year (local 01:00 while UTC is 23:00 the day before gives
// -2/24, not 22/24).
//   local, utc    the same instant as the local clock and the UTC clock read it
//   biasMinutes   the time zone's standard bias, minutes, UTC = local + bias
//                 (-60 for Central European Time)
//   daylight      out: true when the offset differs from the standard bias
//                 (by 1e-11 day or more), i.e. daylight saving time is on
double UtcOffsetFromClock(const CalendarTime& local, const CalendarTime& utc, int biasMinutes,
                          bool& daylight);

// The standard bias of the process's time zone (TZ) in the year of the
// instant `at`, minutes, UTC = local + bias: that of its winter time, of
// its two times on 1 January and 1 July the one less far ahead of UTC. A
// zone whose rules call its summer time standard and its winter time a
// "negative" daylight saving (Europe/Dublin) is no exception: its summer
// time is the daylight saving time, as everywhere else.
int ZoneStandardBiasMinutes(std::time_t at);

// The offset of this PC's clock now, in days, and its daylight flag. Both
// readings are taken from one instant of the system clock, so a second
// passing between them cannot put the offset a second off. The standard bias
// is ZoneStandardBiasMinutes of now.
double GetUtcOffset(bool& daylight);

}  // namespace orvex
