#include "platform/pc_clock.h"

#include <QLocale>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <ctime>

#include "navlib/date_time.h"
#include "navlib/hooks.h"
#include "navlib/time_lib.h"
#include "platform/message_box.h"

namespace orvex {

namespace {

bool& HostClockSettable() {
    static bool settable = true;
    return settable;
}

class HostClock : public SystemClock {
  public:
    std::int64_t NowUtcMs() const override {
        timespec ts{};
        clock_gettime(CLOCK_REALTIME, &ts);
        return static_cast<std::int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
    }
    int LocalOffsetSeconds(std::int64_t utcMs) const override {
        const std::time_t t = static_cast<std::time_t>(utcMs / 1000);
        std::tm local{};
        localtime_r(&t, &local);
        return static_cast<int>(local.tm_gmtoff);
    }
    int StandardBiasMinutes() const override {
        return ZoneStandardBiasMinutes(static_cast<std::time_t>(NowUtcMs() / 1000));
    }
    int SetUtcMs(std::int64_t utcMs) override {
        if (!HostClockSettable()) return EPERM;
        timespec ts{};
        ts.tv_sec = static_cast<std::time_t>(utcMs / 1000);
        ts.tv_nsec = static_cast<long>((utcMs % 1000) * 1000000);
        if (clock_settime(CLOCK_REALTIME, &ts) != 0) return errno != 0 ? errno : EPERM;
        return 0;
    }
};

QDateTime WallClockFromMs(std::int64_t ms) {
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
}

}  // namespace

void AllowSettingHostClock(bool allowed) {
    HostClockSettable() = allowed;
}

std::unique_ptr<SystemClock> MakeHostClock() {
    return std::make_unique<HostClock>();
}

CalendarTime ToCalendar(const QDateTime& wallClock) {
    CalendarTime c;
    const QDate d = wallClock.date();
    const QTime t = wallClock.time();
    c.year = d.year();
    c.month = d.month();
    c.day = d.day();
    c.hour = t.hour();
    c.minute = t.minute();
    c.second = t.second();
    return c;
}

double ToDateValue(const QDateTime& wallClock) {
    const CalendarTime c = ToCalendar(wallClock);
    return MakeDateTime(c.year, c.month, c.day, c.hour, c.minute, c.second);
}

QDateTime FromDateValue(double days) {
    const CalendarTime c = SplitDateTime(days);
    return QDateTime(QDate(c.year, c.month, c.day), QTime(c.hour, c.minute, c.second), Qt::UTC);
}

PcClock::PcClock(std::shared_ptr<SystemClock> system)
    : system_(system ? std::move(system) : std::shared_ptr<SystemClock>(MakeHostClock())) {}

ClockReading PcClock::Read() const {
    const std::int64_t now = system_->NowUtcMs();
    ClockReading r;
    r.Utc = WallClockFromMs(now);
    r.Local =
        WallClockFromMs(now + static_cast<std::int64_t>(system_->LocalOffsetSeconds(now)) * 1000);
    r.LocalDays = ToDateValue(r.Local);
    r.UtcDays = ToDateValue(r.Utc);
    r.Offset = UtcOffsetFromClock(ToCalendar(r.Local), ToCalendar(r.Utc),
                                  system_->StandardBiasMinutes(), r.Daylight);
    return r;
}

double PcClock::UtNowDays() const {
    return Read().UtDays();
}

QDateTime PcClock::UtcNow() const {
    return WallClockFromMs(system_->NowUtcMs());
}

QDateTime PcClock::LocalNow() const {
    const std::int64_t now = system_->NowUtcMs();
    return WallClockFromMs(now +
                           static_cast<std::int64_t>(system_->LocalOffsetSeconds(now)) * 1000);
}

double PcClock::LocalNowDays() const {
    return ToDateValue(LocalNow());
}
double PcClock::UtcNowDays() const {
    return ToDateValue(UtcNow());
}

double PcClock::GetUtcOffset(bool& daylight) const {
    const ClockReading r = Read();
    daylight = r.Daylight;
    return r.Offset;
}

QString PcClock::FormatTimeOfDay(const QDateTime& wallClock) {
    return QLocale::system().toString(wallClock.time(), QLocale::LongFormat);
}

bool PcClock::SetUtc(const QDateTime& utcWallClock) {
    const QDateTime asUtc(utcWallClock.date(), utcWallClock.time(), Qt::UTC);
    const int err = system_->SetUtcMs(asUtc.toMSecsSinceEpoch());
    if (err == 0) return true;
    QString why;
    if (err == EPERM || err == EACCES)
        why = QStringLiteral("this user has no right to change the system time");
    else
        why = QString::fromLocal8Bit(std::strerror(err));
    ShowMessage(kIconExclamation + kButtonsOk, QStringLiteral(" System time"),
                QStringLiteral("The PC clock was not set: ") + why +
                    QStringLiteral(".\r\nSet it with the system's own date and time settings."));
    return false;
}

}  // namespace orvex
