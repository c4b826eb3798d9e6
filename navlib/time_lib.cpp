#include "navlib/time_lib.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "navlib/constants.h"

namespace orvex {

namespace {

long long SecondsOfDay(const CalendarTime& c) {
    return c.hour * 3600LL + c.minute * 60LL + c.second;
}

}  // namespace

double UtcOffsetFromClock(const CalendarTime& local, const CalendarTime& utc, int biasMinutes,
                          bool& daylight) {
    // Whole days between the two calendar dates, then whole seconds: exact,
    // so that a zone on its standard time compares equal to its bias.
    const long long days = std::llround(MakeDateTime(utc.year, utc.month, utc.day) -
                                        MakeDateTime(local.year, local.month, local.day));
    const long long seconds = days * 86400LL + SecondsOfDay(utc) - SecondsOfDay(local);
    const double offset = static_cast<double>(seconds) / 86400.0;
    const double bias = biasMinutes / 60.0 / 24.0;
    daylight = std::fabs(offset - bias) >= kZeroTolerance;
    return offset;
}

int ZoneStandardBiasMinutes(std::time_t at) {
    tzset();
    std::tm local{};
    localtime_r(&at, &local);
    long least = 0;
    for (int month : {0, 6}) {
        std::tm day{};
        day.tm_year = local.tm_year;
        day.tm_mon = month;
        day.tm_mday = 1;
        day.tm_hour = 12;
        const std::time_t t = timegm(&day);
        std::tm there{};
        localtime_r(&t, &there);
        least = month == 0 ? there.tm_gmtoff : std::min(least, there.tm_gmtoff);
    }
    return static_cast<int>(-least / 60);
}

double GetUtcOffset(bool& daylight) {
    const std::time_t now = std::time(nullptr);
    const int biasMinutes = ZoneStandardBiasMinutes(now);
    std::tm lt{}, ut{};
    localtime_r(&now, &lt);
    gmtime_r(&now, &ut);
    auto toCalendar = [](const std::tm& t) {
        CalendarTime c;
        c.year = t.tm_year + 1900;
        c.month = t.tm_mon + 1;
        c.day = t.tm_mday;
        c.hour = t.tm_hour;
        c.minute = t.tm_min;
        c.second = t.tm_sec > 59 ? 59 : t.tm_sec;  // a leap second reads as :59
        return c;
    };
    return UtcOffsetFromClock(toCalendar(lt), toCalendar(ut), biasMinutes, daylight);
}

}  // namespace orvex
