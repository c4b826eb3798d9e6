#include "navlib/date_time.h"

#include <cmath>

namespace orvex {

namespace {

// Days from 1970-01-01 of a proleptic Gregorian date. constexpr, so that the
// origin below is fixed at compile time: a date made during another file's
// static initialisation must not see it still zero.
constexpr long long DaysFromCivil(long long y, long long m, long long d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

constexpr long long kOriginDays = DaysFromCivil(1899, 12, 30);  // day 0 of the date type
constexpr double kFirstDay = static_cast<double>(DaysFromCivil(100, 1, 1) - kOriginDays);
constexpr double kLastDay = static_cast<double>(DaysFromCivil(9999, 12, 31) - kOriginDays);

// Days since the origin on a continuous time line.
double ContinuousDays(double when) {
    const double whole = std::trunc(when);
    const double frac = std::fabs(when - whole);
    return whole + frac;
}

}  // namespace

double MakeDateTime(int year, int month, int day, int hour, int minute, double second) {
    // Months outside 1..12 run into neighbouring years.
    long long y = year, m = month;
    y += (m - 1 >= 0 ? (m - 1) / 12 : -((12 - m) / 12));
    m = ((m - 1) % 12 + 12) % 12 + 1;
    const long long days = DaysFromCivil(y, m, 1) - kOriginDays + (day - 1);
    const double time = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    const double t = static_cast<double>(days) + time;
    if (t >= 0.0) return t;
    // Before the origin: the whole part counts the day, the fraction the time.
    const double d = std::floor(t);
    const double f = t - d;
    return d - f;
}

CalendarTime SplitDateTime(double when) {
    CalendarTime c;
    if (std::isnan(when)) return c;
    // Infinities are held at the ends too: the continuous form of one would
    // be NaN and the day count beyond any integer.
    if (std::isinf(when)) when = when > 0 ? kLastDay + 1.0 : kFirstDay - 1.0;
    double t = ContinuousDays(when);
    if (t < kFirstDay) t = kFirstDay;
    if (t > kLastDay + 86399.0 / 86400.0) t = kLastDay + 86399.0 / 86400.0;
    const double day = std::floor(t);
    long long secs = std::llround((t - day) * 86400.0);
    long long days = static_cast<long long>(day);
    if (secs >= 86400) {
        secs -= 86400;
        ++days;
    }
    CivilFromDays(days + kOriginDays, c.year, c.month, c.day);
    c.hour = static_cast<int>(secs / 3600);
    c.minute = static_cast<int>(secs / 60 % 60);
    c.second = static_cast<int>(secs % 60);
    return c;
}

int WeekdayOf(double when) {
    const CalendarTime c = SplitDateTime(when);
    const long long z = DaysFromCivil(c.year, c.month, c.day);  // 1970-01-01 was a Thursday
    return static_cast<int>(((z + 4) % 7 + 7) % 7) + 1;
}

}  // namespace orvex
