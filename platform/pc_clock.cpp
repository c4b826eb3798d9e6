#include "platform/pc_clock.h"

#include <QLocale>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <ctime>

#include "navlib/constants.h"
#include "navlib/hooks.h"
#include "platform/message_box.h"

namespace orvex {

namespace {

const QDate kDateZero(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;

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
        tzset();
        return static_cast<int>(timezone / 60);  // seconds west of UTC, standard time
    }
    int SetUtcMs(std::int64_t utcMs) override {
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

std::unique_ptr<SystemClock> MakeHostClock() { return std::make_unique<HostClock>(); }

double ToDateValue(const QDate& date, const QTime& time) {
    const double day = static_cast<double>(kDateZero.daysTo(date));
    const double ms = time.isValid() ? time.msecsSinceStartOfDay() : 0.0;
    return day + ms / kMsPerDay;
}

double ToDateValue(const QDateTime& wallClock) { return ToDateValue(wallClock.date(), wallClock.time()); }

QDateTime FromDateValue(double days) {
    const double whole = std::floor(days);
    auto ms = static_cast<std::int64_t>(std::llround((days - whole) * kMsPerDay));
    QDate d = kDateZero.addDays(static_cast<qint64>(whole));
    if (ms >= static_cast<std::int64_t>(kMsPerDay)) {
        ms -= static_cast<std::int64_t>(kMsPerDay);
        d = d.addDays(1);
    }
    return QDateTime(d, QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)), Qt::UTC);
}

double UtcOffsetFromReadings(const QDateTime& localWallClock, const QDateTime& utcWallClock,
                             int standardBiasMinutes, bool& daylight) {
    // Both readings are taken as plain wall-clock values (no zone).
    const QDateTime local(localWallClock.date(), QTime(localWallClock.time().hour(),
                                                       localWallClock.time().minute(),
                                                       localWallClock.time().second()),
                          Qt::UTC);
    const QDateTime utc(utcWallClock.date(), QTime(utcWallClock.time().hour(),
                                                   utcWallClock.time().minute(),
                                                   utcWallClock.time().second()),
                        Qt::UTC);
    const double bias = standardBiasMinutes / 60.0 / 24.0;
    const double offset = static_cast<double>(local.secsTo(utc)) / 86400.0;
    daylight = std::fabs(offset - bias) >= kZeroTolerance;
    return offset;
}

PcClock::PcClock(std::shared_ptr<SystemClock> system)
    : system_(system ? std::move(system) : std::shared_ptr<SystemClock>(MakeHostClock())) {}

QDateTime PcClock::UtcNow() const { return WallClockFromMs(system_->NowUtcMs()); }

QDateTime PcClock::LocalNow() const {
    const std::int64_t now = system_->NowUtcMs();
    return WallClockFromMs(now + static_cast<std::int64_t>(system_->LocalOffsetSeconds(now)) * 1000);
}

double PcClock::LocalNowDays() const { return ToDateValue(LocalNow()); }
double PcClock::UtcNowDays() const { return ToDateValue(UtcNow()); }

double PcClock::GetUtcOffset(bool& daylight) const {
    // One instant, read once: the two readings can never straddle a second.
    const std::int64_t now = system_->NowUtcMs();
    const std::int64_t wholeSecond = now - ((now % 1000) + 1000) % 1000;
    const QDateTime utc = WallClockFromMs(wholeSecond);
    const QDateTime local = WallClockFromMs(
        wholeSecond + static_cast<std::int64_t>(system_->LocalOffsetSeconds(now)) * 1000);
    return UtcOffsetFromReadings(local, utc, system_->StandardBiasMinutes(), daylight);
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
