// Every display pattern the windows, the report and the printouts use, with
// the figures a navigator expects to read from them: the places of the
// degree and minute signs, the optional "#" places, the sign sections, the
// rounding half away from zero on the figure shown (never on the binary
// value), minutes that never read 60 and the user's decimal separator in the
// separator's place whatever character it is.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "navlib/date_time.h"
#include "navlib/inout_lib.h"
#include "navlib/number_format.h"

using namespace orvex;

namespace {

struct Row {
    const char* pattern;
    double value;
    const char* expected;  // with "." as the separator
};

// The text with every "." replaced by sep: the expected texts hold "." only
// at the separator's place.
std::string WithSeparator(const std::string& s, const std::string& sep) {
    std::string out;
    for (char c : s) {
        if (c == '.')
            out += sep;
        else
            out.push_back(c);
    }
    return out;
}

const std::vector<std::string> kSeparators = {".", ",", "\xD9\xAB"};

}  // namespace

// Plain number patterns.
TEST(DisplayPatterns, Numbers) {
    const std::vector<Row> rows = {
        // Courses and bearings, the course field, the rhumb-line course.
        {"000°.0", 0.0, "000°.0"},
        {"000°.0", 45.25, "045°.3"},
        {"000°.0", 5.04, "005°.0"},
        {"000°.0", 359.94, "359°.9"},
        // Azimuths of the wizard's candidate stars.
        {"000°", 7.5, "008°"},
        {"000°", 271.49, "271°"},
        // Speed in the status bar and the report.
        {"##0'.0", 12.25, "12'.3"},
        {"##0'.0", 0.45, "0'.5"},
        {"##0.0'", 8.0, "8.0'"},
        // Ellipse half axes and the circle radius, minutes of arc.
        {"#0'.00", 1.005, "1'.01"},
        {"#0'.00", 0.0, "0'.00"},
        {"#0'.00", 123.456, "123'.46"},
        // Probability level, weights, heights in feet.
        {"#0.0", 95.0, "95.0"},
        {"#0.0", 0.15, "0.2"},
        {"##.0", 99.9, "99.9"},
        {"##.0", 50.0, "50.0"},
        {"##0.0", 100.0, "100.0"},
        {"##0.0", 57.35, "57.4"},
        {"##0.0", 9.96, "10.0"},
        {"#0.00", 2.675, "2.68"},
        {"#0.0#", 95.0, "95.0"},
        {"#0.0#", 99.95, "99.95"},
        {"#0.0#", 29.91389, "29.91"},
        {"##0.0#", 12.5, "12.5"},
        {"##0.0#", 12.0, "12.0"},
        {"##0.0#", 7.125, "7.13"},
        // Distances of the sailings.
        {"####0.0", 3456.75, "3456.8"},
        {"####0.0", 0.04, "0.0"},
        {"00000.00", 123.456, "00123.46"},
        {"00000.00", 0.005, "00000.01"},
        {"00000.0'", 42.25, "00042.3'"},
        // The period of a geodesic, a course deviation.
        {"##0°.0#", 360.0, "360°.0"},
        {"##0°.0#", 179.996, "180°.0"},
        {"#0°.0", 0.25, "0°.3"},
        // Conditions: temperatures, pressure, heights.
        {"000", 7.0, "007"},
        {"000", -5.0, "-005"},
        {"000", 14.5, "015"},
        {"##0", -12.5, "-13"},
        {"##0", 68.0, "68"},
        {"0000", 1013.25, "1013"},
        {"0000", 999.5, "1000"},
        {"###0", 1013.0, "1013"},
        {"00.0", 4.95, "05.0"},
        {"00.00", 29.91389, "29.91"},
        {"000.0", 15.0 * 3.28084, "049.2"},
        // The ellipsoid list: three integer digits and twelve decimals.
        {"000.000000000000", 298.257223563, "298.257223563000"},
        {"000.000000000000", 300.8017, "300.801700000000"},
        // Signed values: instrument correction (minutes), systematic error,
        // distance run, magnitudes, compass errors.
        {"+00.00;-00.00", 1.5, "+01.50"},
        {"+00.00;-00.00", -1.5, "-01.50"},
        {"+00.00;-00.00", -12.345, "-12.35"},
        {"+00.00;-00.00", 0.0, "+00.00"},
        {"+#0'.0;-#0'.0", 1.25, "+1'.3"},
        {"+#0'.0;-#0'.0", -0.35, "-0'.4"},
        {"+###0.0;-###0.0", -1234.56, "-1234.6"},
        {"+###0.0;-###0.0", 3.0, "+3.0"},
        {"+0.0;-0.0; 0.0", -1.45, "-1.5"},
        {"+0.0;-0.0; 0.0", 0.96, "+1.0"},
        {"+0.0;-0.0; 0.0", 0.0, " 0.0"},
        {"+0.0;-0.0; 0.0", 0.04, " 0.0"},
        {"+ ##0°.0; - ##0°.0", 2.05, "+ 2°.1"},
        {"+ ##0°.0; - ##0°.0", -12.0, " - 12°.0"},
    };
    for (const std::string& sep : kSeparators) {
        for (const Row& r : rows) {
            EXPECT_EQ(FormatNumber(r.value, r.pattern, sep), WithSeparator(r.expected, sep))
                << r.pattern << " " << r.value << " sep " << sep;
        }
    }
}

// Degree-and-minute patterns: the total minutes are rounded to the shown
// precision before they are split, so no text ever reads 60 minutes.
TEST(DisplayPatterns, DegreesAndMinutes) {
    const std::vector<Row> rows = {
        // Sextant altitudes, observed and computed altitudes.
        {"00°00'.0", 35.5, "35°30'.0"},
        {"00°00'.0", 12.5083333333, "12°30'.5"},
        {"00°00'.0", 12.9992, "13°00'.0"},
        {"00°00'.0", 59.99999, "60°00'.0"},
        {"00°00'.0", 0.0, "00°00'.0"},
        {"00°00'.0", 0.1 / 60.0, "00°00'.1"},
        // Longitudes, Greenwich hour angles.
        {"000°00'.0", 359.9999, "360°00'.0"},
        {"000°00'.0", 123.75, "123°45'.0"},
        {"000°00'.0", 5.0 + 59.96 / 60.0, "006°00'.0"},
        // The wizard's altitudes and the chart's ticks: whole minutes.
        {"00°00'", 35.5, "35°30'"},
        {"00°00'", 35.0 + 59.5 / 60.0, "36°00'"},
        {"00°00'", 35.0 + 59.49 / 60.0, "35°59'"},
        {"00°00'", -5.5, "-05°30'"},
        // Instrument corrections and intercepts in the report, signed.
        {"+0°00'.0;-0°00'.0", 0.05, "+0°03'.0"},
        {"+0°00'.0;-0°00'.0", -0.25, "-0°15'.0"},
        {"+0°00'.0;-0°00'.0", -2.0 - 59.97 / 60.0, "-3°00'.0"},
        {"+0°00'.0;-0°00'.0", 12.5, "+12°30'.0"},
        {"+0°00'.0;-0°00'.0", -0.0004, "+0°00'.0"},
    };
    for (const std::string& sep : kSeparators) {
        for (const Row& r : rows) {
            EXPECT_EQ(FormatDegreesMinutes(r.value, r.pattern, sep), WithSeparator(r.expected, sep))
                << r.pattern << " " << r.value << " sep " << sep;
        }
    }
    // Positions: ten and eleven characters, the hemisphere letter last.
    for (const std::string& sep : kSeparators) {
        EXPECT_EQ(FormatLatitude(-33.8583333333, sep), WithSeparator("33°51'.5 S", sep));
        EXPECT_EQ(FormatLatitude(89.99999, sep), WithSeparator("90°00'.0 N", sep));
        EXPECT_EQ(FormatLongitude(151.2166666667, sep), WithSeparator("151°13'.0 E", sep));
        EXPECT_EQ(FormatLongitude(-179.99999, sep), WithSeparator("180°00'.0 W", sep));
        EXPECT_EQ(FormatLongitude(-0.00001, sep), WithSeparator("000°00'.0 W", sep));
    }
}

// The date patterns of the grid, the status bar, the report, the clock page,
// the ETA table, the chart labels and the observation file names.
TEST(DisplayPatterns, Dates) {
    const double t = MakeDateTime(2026, 3, 7, 5, 4, 3);
    EXPECT_EQ(FormatDateTime(t, "d mmm yyyy hh:mm:ss"), "7 Mar 2026 05:04:03");
    EXPECT_EQ(FormatDateTime(t, "dd mmm yyyy hh:mm:ss"), "07 Mar 2026 05:04:03");
    EXPECT_EQ(FormatDateTime(t, "d mmm yyyy hh:mm"), "7 Mar 2026 05:04");
    EXPECT_EQ(FormatDateTime(t, "d mmm yyyy"), "7 Mar 2026");
    EXPECT_EQ(FormatDateTime(t, "hh:mm:ss"), "05:04:03");
    EXPECT_EQ(FormatDateTime(t, "hh:nn:ss"), "05:04:03");
    EXPECT_EQ(FormatDateTime(t, "hh:nn"), "05:04");
    EXPECT_EQ(FormatDateTime(t, "ddmmmyy"), "07Mar26");
    // A time half a second before midnight on New Year's Eve shows the new
    // year everywhere, never 24:00:00 or 60 seconds.
    const double eve = MakeDateTime(2026, 12, 31, 23, 59, 59.5);
    EXPECT_EQ(FormatDateTime(eve, "d mmm yyyy hh:mm:ss"), "1 Jan 2027 00:00:00");
    EXPECT_EQ(FormatDateTime(eve, "ddmmmyy"), "01Jan27");
    // Before the date type's day 0 the fraction still counts forward from
    // the start of the day.
    EXPECT_EQ(FormatDateTime(-1.25, "d mmm yyyy hh:mm:ss"), "29 Dec 1899 06:00:00");
}
