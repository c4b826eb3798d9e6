// The PC clock: local time, UTC, the UTC offset with its daylight-saving
// flag, and setting the clock from a UTC date and time.
//
// Everything goes through a SystemClock, so a test can put the PC in any
// zone at any instant and make the system refuse to set the time.
//
// Date-time values are in days since 30 December 1899 00:00 with the time of
// day as the fraction (navlib/date_time.h).
#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <memory>
#include <utility>

#include "navlib/date_time.h"

namespace orvex {

// What the program needs of the operating system's clock.
class SystemClock {
  public:
    virtual ~SystemClock() = default;
    // The present instant, milliseconds of UTC since 1970-01-01.
    virtual std::int64_t NowUtcMs() const = 0;
    // Local time minus UTC at the instant utcMs, seconds (daylight saving
    // included): +7200 for a PC on UTC+2.
    virtual int LocalOffsetSeconds(std::int64_t utcMs) const = 0;
    // The time zone's standard bias, minutes, with UTC = local + bias
    // (daylight saving not included): -60 for central Europe.
    virtual int StandardBiasMinutes() const = 0;
    // Sets the clock to the UTC instant utcMs in one operation. Returns 0,
    // or the system's error number (EPERM when the user may not set it).
    virtual int SetUtcMs(std::int64_t utcMs) = 0;
};

// The clock of this computer (clock_gettime, localtime_r, clock_settime).
std::unique_ptr<SystemClock> MakeHostClock();

// With false, every host clock answers SetUtcMs with EPERM, as for a user
// without the right to set the time. The test programs turn it off at start:
// run as root, a test that reached the real clock would move this machine's
// time (and every file's date after it).
void AllowSettingHostClock(bool allowed);

// A clock for tests: a fixed instant, a fixed zone, and a settable answer
// to SetUtcMs. It can also run on between two readings and step its zone's
// offset at a given instant (a daylight-saving change).
class ManualSystemClock : public SystemClock {
  public:
    mutable std::int64_t utcMs = 0;
    std::int64_t msPerReading = 0;  // how far each NowUtcMs moves the clock on
    int localOffsetSeconds = 0;     // local - UTC
    // From this instant on the offset is offsetAfterStep.
    std::int64_t stepUtcMs = INT64_MAX;
    int offsetAfterStep = 0;
    int standardBiasMinutes = 0;  // UTC = local + bias
    int setResult = 0;            // the error number SetUtcMs answers
    std::int64_t lastSetUtcMs = -1;
    int setCalls = 0;

    std::int64_t NowUtcMs() const override { return std::exchange(utcMs, utcMs + msPerReading); }
    int LocalOffsetSeconds(std::int64_t at) const override {
        return at >= stepUtcMs ? offsetAfterStep : localOffsetSeconds;
    }
    int StandardBiasMinutes() const override { return standardBiasMinutes; }
    int SetUtcMs(std::int64_t ms) override {
        ++setCalls;
        if (setResult != 0) return setResult;
        lastSetUtcMs = ms;
        utcMs = ms;
        return 0;
    }

    // A PC in central Europe one second before the spring change of
    // 29 Mar 2026, 01:00 UTC (local 01:59:59 CET, then 03:00:00 CEST), each
    // reading a second later than the one before. Returns the change's UTC
    // instant, milliseconds since 1970.
    std::int64_t SecondBeforeSpringChange() {
        const std::int64_t step =
            QDateTime(QDate(2026, 3, 29), QTime(1, 0), Qt::UTC).toMSecsSinceEpoch();
        utcMs = step - 1000;
        msPerReading = 1000;
        localOffsetSeconds = 3600;
        stepUtcMs = step;
        offsetAfterStep = 7200;
        standardBiasMinutes = -60;
        return step;
    }
};

// Date-time value (days since 1899-12-30, navlib/date_time.h) of a calendar
// date and wall-clock time, and back; both to the whole second, as the
// library counts them (milliseconds are dropped, 0.5 s rounds up).
double ToDateValue(const QDateTime& wallClock);
QDateTime FromDateValue(double days);
CalendarTime ToCalendar(const QDateTime& wallClock);

// One reading of the clock: the local time, UTC and the offset between them
// all describe the same instant, so a daylight-saving step or a new second
// between two readings can never mix an hour or a second into UT.
struct ClockReading {
    QDateTime Local;  // wall-clock values without a zone; milliseconds kept
    QDateTime Utc;
    double LocalDays = 0.0;  // the same as date-time values in days, to the second
    double UtcDays = 0.0;
    double Offset = 0.0;  // UT minus local, days (the library's UtcOffsetFromClock)
    bool Daylight = false;
    // UT as the program counts it: local date-time + offset.
    double UtDays() const { return LocalDays + Offset; }
};

class PcClock {
  public:
    // nullptr uses the host's clock.
    explicit PcClock(std::shared_ptr<SystemClock> system = nullptr);

    // Everything about the present instant from one reading of the system
    // clock. A caller that needs more than one of these values takes them
    // all from one reading.
    ClockReading Read() const;
    // UT now, days: Read().UtDays().
    double UtNowDays() const;

    // The present local time and UTC, read at one instant (wall-clock
    // values without a zone; milliseconds kept).
    QDateTime LocalNow() const;
    QDateTime UtcNow() const;
    // The same as date-time values in days.
    double LocalNowDays() const;
    double UtcNowDays() const;

    // UT minus the local clock, days (negative east of Greenwich), and the
    // daylight-saving flag (the library's UtcOffsetFromClock), from one
    // reading of the system clock, so that the local and UTC readings
    // describe the same instant.
    double GetUtcOffset(bool& daylight) const;

    // The time of day in the user's locale (the clock page's display).
    static QString FormatTimeOfDay(const QDateTime& wallClock);

    // Sets the PC clock to the given UTC date and time (a wall-clock value,
    // read as UTC) in one operation, so date and time can never disagree
    // around midnight. When the system refuses (no right to set the time)
    // a message titled " System time" says that the clock was not set and
    // why; returns false.
    bool SetUtc(const QDateTime& utcWallClock);

    SystemClock& System() const { return *system_; }

  private:
    std::shared_ptr<SystemClock> system_;
};

}  // namespace orvex
