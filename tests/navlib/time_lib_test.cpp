#include "navlib/time_lib.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

using namespace orvex;

namespace {

CalendarTime At(int y, int mo, int d, int h, int mi = 0, int s = 0) {
    CalendarTime c;
    c.year = y;
    c.month = mo;
    c.day = d;
    c.hour = h;
    c.minute = mi;
    c.second = s;
    return c;
}

// Sets TZ for one test and puts the old value back.
class ZoneGuard {
  public:
    explicit ZoneGuard(const char* tz) {
        if (const char* old = std::getenv("TZ")) {
            had_ = true;
            old_ = old;
        }
        setenv("TZ", tz, 1);
        tzset();
    }
    ~ZoneGuard() {
        if (had_)
            setenv("TZ", old_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

  private:
    bool had_ = false;
    std::string old_;
};

}  // namespace

TEST(UtcOffset, StandardAndDaylightTime) {
    bool daylight = true;
    // Bias -60 in winter: local = UTC + 1 h.
    EXPECT_EQ(UtcOffsetFromClock(At(2026, 1, 15, 13), At(2026, 1, 15, 12), -60, daylight),
              -1.0 / 24);
    EXPECT_FALSE(daylight);
    // The same zone in summer: local = UTC + 2 h.
    EXPECT_EQ(UtcOffsetFromClock(At(2026, 7, 15, 14), At(2026, 7, 15, 12), -60, daylight),
              -2.0 / 24);
    EXPECT_TRUE(daylight);
    // A PC on UTC.
    EXPECT_EQ(UtcOffsetFromClock(At(2026, 7, 15, 14, 3, 9), At(2026, 7, 15, 14, 3, 9), 0, daylight),
              0.0);
    EXPECT_FALSE(daylight);
    // West of Greenwich, standard time: bias +300 (UTC = local + 5 h).
    EXPECT_EQ(UtcOffsetFromClock(At(2026, 1, 15, 7), At(2026, 1, 15, 12), 300, daylight), 5.0 / 24);
    EXPECT_FALSE(daylight);
    // Half-hour zones compare exactly as well.
    EXPECT_EQ(UtcOffsetFromClock(At(2026, 1, 15, 17, 30), At(2026, 1, 15, 12), -330, daylight),
              -5.5 / 24);
    EXPECT_FALSE(daylight);
}

// The offset is taken from full dates, so it stays right when the two clocks
// show different days; a time-of-day difference would give 22 hours here.
TEST(UtcOffset, AcrossMidnightAndTheYear) {
    bool daylight = true;
    EXPECT_EQ(UtcOffsetFromClock(At(2026, 7, 16, 1), At(2026, 7, 15, 23), -60, daylight),
              -2.0 / 24);
    EXPECT_TRUE(daylight);
    EXPECT_EQ(UtcOffsetFromClock(At(2026, 1, 1, 1), At(2025, 12, 31, 23), -120, daylight),
              -2.0 / 24);
    EXPECT_FALSE(daylight);
    EXPECT_EQ(UtcOffsetFromClock(At(2026, 7, 15, 22), At(2026, 7, 16, 3), 300, daylight), 5.0 / 24);
    EXPECT_FALSE(daylight);
    EXPECT_EQ(UtcOffsetFromClock(At(2026, 12, 31, 22), At(2027, 1, 1, 3), 360, daylight), 5.0 / 24);
    EXPECT_TRUE(daylight);
    // Leap day.
    EXPECT_EQ(UtcOffsetFromClock(At(2028, 3, 1, 0, 30), At(2028, 2, 29, 23, 30), -60, daylight),
              -1.0 / 24);
    EXPECT_FALSE(daylight);
}

// The PC clock through the system: a zone given by rule, so the test does not
// depend on the installed zone files. Local = UT - offset must hold for the
// instant read, and the flag must match the season the offset shows.
TEST(UtcOffset, SystemClockFollowsTheZone) {
    bool daylight = true;
    {
        ZoneGuard zone("UTC0");
        EXPECT_EQ(GetUtcOffset(daylight), 0.0);
        EXPECT_FALSE(daylight);
    }
    {
        ZoneGuard zone("CET-1CEST,M3.5.0,M10.5.0/3");
        const double off = GetUtcOffset(daylight);
        EXPECT_TRUE(off == -1.0 / 24 || off == -2.0 / 24) << off;
        EXPECT_EQ(daylight, off == -2.0 / 24);
    }
    {
        ZoneGuard zone("EST5");
        EXPECT_EQ(GetUtcOffset(daylight), 5.0 / 24);
        EXPECT_FALSE(daylight);
    }
    {
        ZoneGuard zone("IST-5:30");
        EXPECT_EQ(GetUtcOffset(daylight), -5.5 / 24);
        EXPECT_FALSE(daylight);
    }
}
