#include "navlib/number_format.h"

#include <erfa.h>
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>

#include "navlib/date_time.h"
#include "navlib/inout_lib.h"

using namespace orvex;

// The display patterns of the windows and the report, with the values they
// are fed. Guards the placement of digits around the degree and minute signs,
// the optional "#" places and the sections.
TEST(FormatNumber, DisplayPatterns) {
    EXPECT_EQ(FormatNumber(12.5, "000°.0"), "012°.5");
    EXPECT_EQ(FormatNumber(359.96, "000°.0"), "360°.0");
    EXPECT_EQ(FormatNumber(5.25, "##0'.0"), "5'.3");
    EXPECT_EQ(FormatNumber(0.3, "#0'.00"), "0'.30");
    EXPECT_EQ(FormatNumber(12.345, "#0'.00"), "12'.35");
    EXPECT_EQ(FormatNumber(12.5, "##0.0#"), "12.5");
    EXPECT_EQ(FormatNumber(12.345, "##0.0#"), "12.35");
    EXPECT_EQ(FormatNumber(12.0, "#0.0#"), "12.0");
    EXPECT_EQ(FormatNumber(95, "##.0"), "95.0");
    EXPECT_EQ(FormatNumber(0.5, "##.0"), ".5");
    EXPECT_EQ(FormatNumber(1013.4, "0000"), "1013");
    EXPECT_EQ(FormatNumber(5, "###0"), "5");
    EXPECT_EQ(FormatNumber(12.3, "##0"), "12");
    EXPECT_EQ(FormatNumber(4.92126, "000.0"), "004.9");
    EXPECT_EQ(FormatNumber(123.456, "00000.00"), "00123.46");
    EXPECT_EQ(FormatNumber(7, "000"), "007");
    EXPECT_EQ(FormatNumber(-7, "000"), "-007");
    EXPECT_EQ(FormatNumber(123456, "00"), "123456");
    EXPECT_EQ(FormatNumber(1e20, "0"), "100000000000000000000");
    EXPECT_EQ(FormatNumber(3.5, "##0.0'"), "3.5'");
    EXPECT_EQ(FormatNumber(298.257223560493, "000.000000000000"), "298.257223560493");
}

TEST(FormatNumber, SectionsAndSigns) {
    EXPECT_EQ(FormatNumber(1.234, "+00.00;-00.00"), "+01.23");
    EXPECT_EQ(FormatNumber(-1.234, "+00.00;-00.00"), "-01.23");
    EXPECT_EQ(FormatNumber(-0.001, "+00.00;-00.00"), "+00.00");  // never "-00.00"
    EXPECT_EQ(FormatNumber(-0.3, "+#0'.0;-#0'.0"), "-0'.3");
    EXPECT_EQ(FormatNumber(2, "+0.0;-0.0; 0.0"), "+2.0");
    EXPECT_EQ(FormatNumber(-1.26, "+0.0;-0.0; 0.0"), "-1.3");
    EXPECT_EQ(FormatNumber(0.04, "+0.0;-0.0; 0.0"), " 0.0");
    EXPECT_EQ(FormatNumber(-0.04, "+0.0;-0.0; 0.0"), " 0.0");
    // Literals print as they stand, the blank after ";" included.
    EXPECT_EQ(FormatNumber(-3.25, "+ ##0°.0; - ##0°.0"), " - 3°.3");
    EXPECT_EQ(FormatNumber(-3.25, "+ ##0°.0;- ##0°.0"), "- 3°.3");
    EXPECT_EQ(FormatNumber(12, "+ ##0°.0; - ##0°.0"), "+ 12°.0");
    EXPECT_EQ(FormatNumber(-12.34, "+###0.0;-###0.0"), "-12.3");
    EXPECT_EQ(FormatNumber(-0.04, "0.0"), "0.0");  // one section: no "-0.0"
}

// Rounding is half away from zero on the decimal figure the user sees, not
// on the binary value (which would turn 1.005 into 1.00 and 2.5 into 2).
TEST(FormatNumber, RoundsHalfAwayFromZero) {
    EXPECT_EQ(FormatNumber(2.5, "0"), "3");
    EXPECT_EQ(FormatNumber(-2.5, "0"), "-3");
    EXPECT_EQ(FormatNumber(0.125, "0.00"), "0.13");
    EXPECT_EQ(FormatNumber(1.005, "0.00"), "1.01");
    EXPECT_EQ(FormatNumber(0.05, "0.0"), "0.1");
    EXPECT_EQ(FormatNumber(9.95, "0.0"), "10.0");
    EXPECT_EQ(FormatNumber(99.96, "00.0"), "100.0");
    EXPECT_EQ(FormatNumber(0.4, "#"), "");
    EXPECT_EQ(FormatNumber(0.5, "#"), "1");

    // Away from ties the result is the ordinary correctly rounded figure.
    std::mt19937 gen(17);
    std::uniform_real_distribution<double> u(-5000.0, 5000.0);
    for (int i = 0; i < 20000; ++i) {
        const double x = u(gen);
        const double scaled = std::fabs(x) * 1000.0;
        if (std::fabs(scaled - std::floor(scaled) - 0.5) < 1e-6) continue;
        char buf[64];
        char* end = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, 3).ptr;
        std::string ref(buf, end);
        if (ref == "-0.000") ref = "0.000";
        EXPECT_EQ(FormatNumber(x, "0.000"), ref) << x;
    }
}

// DecSep may be any one character, also one of several bytes.
TEST(FormatNumber, DecimalSeparator) {
    EXPECT_EQ(FormatNumber(95, "##.0", ","), "95,0");
    EXPECT_EQ(FormatNumber(-1.5, "+00.00;-00.00", ","), "-01,50");
    EXPECT_EQ(FormatNumber(12.5, "000°.0", "\xD9\xAB"),
              "012°\xD9\xAB"
              "5");
    EXPECT_EQ(FormatNumber(0.125, "", ","), "0,125");
    EXPECT_EQ(FormatNumber(-0.0, ""), "0");
    // Format then read back through the number parser with the same separator.
    std::mt19937 gen(23);
    std::uniform_real_distribution<double> u(-1e4, 1e4);
    for (const char* sep : {".", ",", "\xD9\xAB", " "}) {
        for (int i = 0; i < 3000; ++i) {
            const double x = u(gen);
            EXPECT_NEAR(ParseNumberText(FormatNumber(x, "0.000", sep), sep), x, 0.0005 + 1e-9);
        }
    }
}

// A value that is not a number is never printed as one.
TEST(FormatNumber, NonFiniteShowsDashes) {
    EXPECT_EQ(FormatNumber(NAN, "000°.0"), "---°.-");
    EXPECT_EQ(FormatNumber(INFINITY, "##0.0#"), "-.-");
    EXPECT_EQ(FormatDegreesMinutes(NAN, "00°00'.0"), "--°--'.-");
    EXPECT_EQ(FormatNumber(NAN, ""), "-");
}

// Minutes never print as 60: the total minutes are rounded first.
TEST(FormatDegreesMinutes, MinutesNeverReachSixty) {
    EXPECT_EQ(FormatDegreesMinutes(12.9992, "00°00'.0"), "13°00'.0");
    EXPECT_EQ(FormatDegreesMinutes(12 + 59.95 / 60, "00°00'.0"), "13°00'.0");
    EXPECT_EQ(FormatDegreesMinutes(12 + 59.94 / 60, "00°00'.0"), "12°59'.9");
    EXPECT_EQ(FormatDegreesMinutes(12 + 59.5 / 60, "00°00'"), "13°00'");
    EXPECT_EQ(FormatDegreesMinutes(12 + 59.4 / 60, "00°00'"), "12°59'");
    EXPECT_EQ(FormatDegreesMinutes(359.9999, "000°00'.0"), "360°00'.0");
    EXPECT_EQ(FormatDegreesMinutes(0.5, "000°00'.0"), "000°30'.0");
    EXPECT_EQ(FormatDegreesMinutes(-0.25, "+0°00'.0;-0°00'.0"), "-0°15'.0");
    EXPECT_EQ(FormatDegreesMinutes(1.5, "+0°00'.0;-0°00'.0"), "+1°30'.0");
    EXPECT_EQ(FormatDegreesMinutes(-0.0001, "+0°00'.0;-0°00'.0"), "+0°00'.0");
    EXPECT_EQ(FormatDegreesMinutes(12.5083333333, "00°00'.0", ","), "12°30',5");

    for (int i = 0; i <= 360 * 600; ++i) {
        const double deg = i / 600.0 + 0.00083;  // just under each half tenth
        for (const char* pat : {"000°00'.0", "000°00'"}) {
            const std::string s = FormatDegreesMinutes(deg, pat);
            const size_t sign = s.find("°");
            ASSERT_NE(sign, std::string::npos);
            const int minutes = std::stoi(s.substr(sign + 2, 2));
            ASSERT_LT(minutes, 60) << deg << " " << s;
        }
    }
}

// The date type's day numbers agree with ERFA's calendar for every year the
// type holds; an off-by-one in the leap rules or the origin moves every
// sight time by a day.
TEST(DateTime, AgreesWithErfaCalendar) {
    std::mt19937 gen(29);
    std::uniform_int_distribution<int> year(100, 9999), month(1, 12), day(1, 28);
    for (int i = 0; i < 20000; ++i) {
        const int y = year(gen), m = month(gen), d = day(gen);
        double djm0 = 0, djm = 0;
        ASSERT_EQ(eraCal2jd(y, m, d, &djm0, &djm), 0);
        const double mjd = djm0 + djm - 2400000.5;
        const double value = mjd - 15018.0;  // 1899-12-30 is MJD 15018
        const double mine = MakeDateTime(y, m, d);
        EXPECT_EQ(mine, value) << y << "-" << m << "-" << d;
        const CalendarTime c = SplitDateTime(MakeDateTime(y, m, d, 13, 7, 41));
        EXPECT_EQ(c.year, y);
        EXPECT_EQ(c.month, m);
        EXPECT_EQ(c.day, d);
        EXPECT_EQ(c.hour, 13);
        EXPECT_EQ(c.minute, 7);
        EXPECT_EQ(c.second, 41);
    }
    EXPECT_EQ(MakeDateTime(1899, 12, 31, 12), 1.5);
    EXPECT_EQ(MakeDateTime(1899, 12, 29, 6), -1.25);
    const CalendarTime before = SplitDateTime(-1.25);
    EXPECT_EQ(before.day, 29);
    EXPECT_EQ(before.hour, 6);
    EXPECT_EQ(MakeDateTime(2026, 13, 1), MakeDateTime(2027, 1, 1));
    EXPECT_EQ(MakeDateTime(2026, 0, 1), MakeDateTime(2025, 12, 1));
    EXPECT_EQ(WeekdayOf(MakeDateTime(2026, 12, 8)), 3);  // a Tuesday
    EXPECT_EQ(WeekdayOf(MakeDateTime(2000, 1, 1)), 7);   // a Saturday
    const CalendarTime nan = SplitDateTime(NAN);
    EXPECT_EQ(nan.year, 1899);
}

TEST(FormatDateTime, ReportPatterns) {
    const double t = MakeDateTime(2026, 12, 8, 18, 5, 9);
    EXPECT_EQ(FormatDateTime(t, "d mmm yyyy hh:mm:ss"), "8 Dec 2026 18:05:09");
    EXPECT_EQ(FormatDateTime(t, "dd mmm yyyy hh:mm:ss"), "08 Dec 2026 18:05:09");
    EXPECT_EQ(FormatDateTime(t, "d mmm yyyy hh:mm"), "8 Dec 2026 18:05");
    EXPECT_EQ(FormatDateTime(t, "d mmm yyyy"), "8 Dec 2026");
    EXPECT_EQ(FormatDateTime(t, "hh:nn:ss"), "18:05:09");
    EXPECT_EQ(FormatDateTime(t, "hh:nn"), "18:05");
    EXPECT_EQ(FormatDateTime(t, "ddmmmyy"), "08Dec26");
    EXPECT_EQ(FormatDateTime(t, "dd/mm/yyyy"), "08/12/2026");
    EXPECT_EQ(FormatDateTime(t, "dddd d mmmm yyyy"), "Tuesday 8 December 2026");
    EXPECT_EQ(FormatDateTime(MakeDateTime(2026, 2, 1), "y"), "32");
    // The time is rounded to the second, right across midnight and the year.
    EXPECT_EQ(FormatDateTime(MakeDateTime(2026, 12, 31, 23, 59, 59.6), "d mmm yyyy hh:mm:ss"),
              "1 Jan 2027 00:00:00");
    EXPECT_EQ(FormatDateTime(MakeDateTime(2026, 12, 31, 23, 59, 59.4), "d mmm yyyy hh:mm:ss"),
              "31 Dec 2026 23:59:59");
    DateNames fr;
    fr.monthShort[11] = "déc.";
    EXPECT_EQ(FormatDateTime(t, "d mmm yyyy", fr), "8 déc. 2026");
}

// An infinite date-time value (a time computed from a division by zero) is
// held at the ends of the date type like any other value beyond them. It used
// to run through a NaN into an integer overflow and give a nonsense calendar
// date whose month or weekday could index past the name tables.
TEST(DateTime, InfinitiesAreHeldAtTheEnds) {
    const CalendarTime late = SplitDateTime(INFINITY);
    EXPECT_EQ(late.year, 9999);
    EXPECT_EQ(late.month, 12);
    EXPECT_EQ(late.day, 31);
    EXPECT_EQ(late.hour, 23);
    EXPECT_EQ(late.minute, 59);
    EXPECT_EQ(late.second, 59);
    const CalendarTime early = SplitDateTime(-INFINITY);
    EXPECT_EQ(early.year, 100);
    EXPECT_EQ(early.month, 1);
    EXPECT_EQ(early.day, 1);
    EXPECT_EQ(early.hour, 0);
    EXPECT_EQ(FormatDateTime(INFINITY, "dddd d mmm yyyy hh:mm:ss"), "Friday 31 Dec 9999 23:59:59");
    EXPECT_EQ(FormatDateTime(-INFINITY, "d mmm yyyy hh:mm:ss"), "1 Jan 100 00:00:00");
    EXPECT_EQ(WeekdayOf(INFINITY), WeekdayOf(MakeDateTime(9999, 12, 31)));
}
