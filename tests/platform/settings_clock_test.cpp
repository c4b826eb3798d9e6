// The settings store and the PC clock.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>

#include "platform/message_box.h"
#include "platform/pc_clock.h"
#include "platform/settings_store.h"

namespace orvex {
namespace {

// Guards the geometry written in one locale ("1234,5") and lost in another:
// numbers go out in the C form and come back exactly.
TEST(SettingsStore, NumbersRoundTripLocaleIndependent) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("orvex.ini");
    {
        SettingsStore s(ini);
        EXPECT_TRUE(s.SaveNumber("MainLeft", 1234.5));
        EXPECT_TRUE(s.SaveNumber("MainTop", -15));
        EXPECT_TRUE(s.SaveNumber("MainWidth", 20736.123456789));
    }
    SettingsStore s(ini);
    EXPECT_DOUBLE_EQ(s.GetNumber("MainLeft", 0), 1234.5);
    EXPECT_DOUBLE_EQ(s.GetNumber("MainTop", 0), -15);
    EXPECT_DOUBLE_EQ(s.GetNumber("MainWidth", 0), 20736.123456789);
    EXPECT_EQ(s.GetText("MainLeft", ""), QString("1234.5"));
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray content = f.readAll();
    EXPECT_TRUE(content.contains("[Settings]"));
    EXPECT_TRUE(content.contains("MainLeft=1234.5"));
}

// Guards a hand-edited or damaged store making the window unusable: every
// unreadable value gives the default; a comma-written value still reads.
TEST(SettingsStore, UnreadableValuesFallBackToTheDefault) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("orvex.ini");
    {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(
            "[Settings]\nMainLeft=abc\nMainTop=\nMainWidth=1e999\nMainHeight=12,5\n"
            "Other=nan\n");
    }
    SettingsStore s(ini);
    EXPECT_EQ(s.GetNumber("MainLeft", 77), 77);
    EXPECT_EQ(s.GetNumber("MainTop", 78), 78);
    EXPECT_EQ(s.GetNumber("MainWidth", 79), 79);
    EXPECT_DOUBLE_EQ(s.GetNumber("MainHeight", 80), 12.5);
    EXPECT_EQ(s.GetNumber("Other", 81), 81);
    EXPECT_EQ(s.GetNumber("Missing", 82), 82);
    EXPECT_FALSE(s.SaveNumber("MainLeft", std::numeric_limits<double>::quiet_NaN()));
    double v = 0;
    EXPECT_FALSE(ReadStoredNumber("1,2,3", v));
    EXPECT_FALSE(ReadStoredNumber("1.5,2", v));
}

// Guards a FIFO as the settings file, which held the start for ever in
// its open call: it is neither read nor written, every default holds, and
// it is still a FIFO afterwards. The user's own store is judged the same.
TEST(SettingsStore, FileThatIsNotRegularIsLeftAlone) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("Orvex"));
    const QString fifo = dir.filePath("Orvex/Orvex.conf");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QByteArray oldHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
    {
        SettingsStore user;
        SettingsStore named(fifo);
        for (SettingsStore* s : {&user, &named}) {
            EXPECT_FALSE(s->Usable());
            EXPECT_EQ(s->GetNumber("MainLeft", 77), 77);
            EXPECT_EQ(s->GetText("MainTop", "t"), "t");
            EXPECT_FALSE(s->SaveNumber("MainLeft", 5));
            EXPECT_FALSE(s->Sync());
        }
    }
    qputenv("XDG_CONFIG_HOME", oldHome);
    struct stat st {};
    ASSERT_EQ(lstat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(QDir(dir.filePath("Orvex")).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList{"Orvex.conf"});
}

// Guards UT made of two readings of the clock: on the second of a
// daylight-saving step (01:00 UTC, local 01:59:59 CET -> 03:00:00 CEST)
// the local time of one reading plus the offset of the next gave 23:59:59
// of the day before. Every value comes from one reading.
TEST(PcClock, OneReadingAcrossADaylightSavingStep) {
    auto sys = std::make_shared<ManualSystemClock>();
    const std::int64_t step = sys->SecondBeforeSpringChange();
    PcClock clock(sys);
    const ClockReading r = clock.Read();
    EXPECT_EQ(r.Local, QDateTime(QDate(2026, 3, 29), QTime(1, 59, 59), Qt::UTC));
    EXPECT_EQ(r.Utc, QDateTime(QDate(2026, 3, 29), QTime(0, 59, 59), Qt::UTC));
    EXPECT_FALSE(r.Daylight);
    EXPECT_EQ(r.UtDays(), MakeDateTime(2026, 3, 29, 0, 59, 59));
    // The next reading is after the step: one more second, and daylight.
    sys->utcMs = step - 1000;
    EXPECT_EQ(clock.UtNowDays(), MakeDateTime(2026, 3, 29, 0, 59, 59));
    const ClockReading after = clock.Read();
    EXPECT_EQ(after.Local.time(), QTime(3, 0, 0));
    EXPECT_TRUE(after.Daylight);
    EXPECT_EQ(after.UtDays(), MakeDateTime(2026, 3, 29, 1, 0, 0));
}

// Guards the offset's sign and the daylight flag (a PC on UTC+2 in summer
// with a standard bias of -60 minutes gives -2/24 and daylight).
TEST(PcClock, OffsetAndDaylightFromTheSystemClock) {
    auto sys = std::make_shared<ManualSystemClock>();
    // 2024-07-01 10:00:00.700 UTC
    sys->utcMs = QDateTime(QDate(2024, 7, 1), QTime(10, 0, 0, 700), Qt::UTC).toMSecsSinceEpoch();
    sys->localOffsetSeconds = 7200;
    sys->standardBiasMinutes = -60;
    PcClock clock(sys);
    bool dst = false;
    EXPECT_NEAR(clock.GetUtcOffset(dst), -2.0 / 24.0, 1e-12);
    EXPECT_TRUE(dst);
    EXPECT_EQ(clock.LocalNow().time(), QTime(12, 0, 0, 700));
    EXPECT_EQ(clock.UtcNow().time(), QTime(10, 0, 0, 700));
    sys->localOffsetSeconds = 3600;  // winter
    EXPECT_NEAR(clock.GetUtcOffset(dst), -1.0 / 24.0, 1e-12);
    EXPECT_FALSE(dst);
    // Local 01:00 while UTC is 23:00 the day before: -2/24, not 22/24.
    sys->localOffsetSeconds = 7200;
    sys->utcMs = QDateTime(QDate(2024, 6, 30), QTime(23, 0), Qt::UTC).toMSecsSinceEpoch();
    EXPECT_NEAR(clock.GetUtcOffset(dst), -2.0 / 24.0, 1e-12);
    EXPECT_EQ(clock.LocalNow().date(), QDate(2024, 7, 1));
    // West of Greenwich before local midnight: +5/24.
    sys->localOffsetSeconds = -5 * 3600;
    sys->standardBiasMinutes = 300;
    sys->utcMs = QDateTime(QDate(2024, 1, 2), QTime(3, 0), Qt::UTC).toMSecsSinceEpoch();
    EXPECT_NEAR(clock.GetUtcOffset(dst), 5.0 / 24.0, 1e-12);
    EXPECT_FALSE(dst);
    // UT = local + offset, in date values.
    EXPECT_NEAR(clock.LocalNowDays() + clock.GetUtcOffset(dst), clock.UtcNowDays(), 1e-9);
}

// Guards the date value's origin and the round trip through it (the
// library's convention before the origin: -1.25 is 29 December 06:00).
TEST(PcClock, DateValues) {
    EXPECT_EQ(ToDateValue(QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC)), 0.0);
    EXPECT_EQ(ToDateValue(QDateTime(QDate(2000, 1, 1), QTime(12, 0), Qt::UTC)), 36526.5);
    const QDateTime t(QDate(2004, 5, 17), QTime(23, 59, 59), Qt::UTC);
    EXPECT_EQ(FromDateValue(ToDateValue(t)), t);
    EXPECT_EQ(FromDateValue(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0), Qt::UTC));
    EXPECT_EQ(FromDateValue(ToDateValue(QDateTime(QDate(1899, 12, 29), QTime(6, 0), Qt::UTC))),
              QDateTime(QDate(1899, 12, 29), QTime(6, 0), Qt::UTC));
}

// Guards a silent failure when the system refuses to set the clock: the
// user must be told that the clock was not set.
TEST(PcClock, RefusalIsReported) {
    PlatformScript script;
    auto sys = std::make_shared<ManualSystemClock>();
    PcClock clock(sys);
    sys->setResult = EPERM;
    const QDateTime utc(QDate(2024, 3, 31), QTime(23, 59, 59, 500), Qt::UTC);
    EXPECT_FALSE(clock.SetUtc(utc));
    EXPECT_EQ(sys->setCalls, 1);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, QString(" System time"));
    EXPECT_TRUE(script.messages[0].text.contains("not set"));
    EXPECT_TRUE(script.messages[0].text.contains("right"));
    // Granted: date and time go in one operation, at the exact instant.
    sys->setResult = 0;
    EXPECT_TRUE(clock.SetUtc(utc));
    EXPECT_EQ(sys->lastSetUtcMs, utc.toMSecsSinceEpoch());
    EXPECT_EQ(clock.UtcNow(), utc);
    EXPECT_EQ(script.messages.size(), 1u);
    // Another error number is reported with the system's own words.
    sys->setResult = EINVAL;
    EXPECT_FALSE(clock.SetUtc(utc));
    EXPECT_EQ(script.messages.size(), 2u);
}

// The host clock answers sensibly (no setting: tests must not need rights).
TEST(PcClock, HostClockReads) {
    PcClock clock;
    bool dst = false;
    const double off = clock.GetUtcOffset(dst);
    EXPECT_LE(std::fabs(off), 15.0 / 24.0);
    EXPECT_TRUE(clock.UtcNow().isValid());
    EXPECT_FALSE(PcClock::FormatTimeOfDay(clock.LocalNow()).isEmpty());
}

}  // namespace
}  // namespace orvex
