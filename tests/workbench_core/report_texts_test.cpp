// The report's texts for the corner cases a navigator meets: two sights,
// long body names, a systematic error right on the limit, each reason for a
// truncated routine, the page break before the details.
#include <gtest/gtest.h>

#include <string>

#include "navlib/date_time.h"
#include "navlib/hooks.h"
#include "workbench/core/report_numeric.h"

namespace orvex {
namespace {

constexpr double kDay = 46096.0;  // 15 March 2026
constexpr double kHour = 1.0 / 24.0;

struct Case {
    NumericReportInputs in;
    ObservationSet obs;
    FixResult fix;
    SightDetails details;
    EarthModel E;

    explicit Case(int n, const char* body = "VEGA") : obs(n) {
        in.sight.EstLat = 40.0;
        in.sight.EstLong = -30.0;
        in.sight.TimeEstPos = kDay + 20 * kHour;
        in.sight.TimeTruePos = kDay + 23 * kHour;
        in.sight.HeightEye = 10.0;
        for (int i = 1; i <= n; ++i) {
            obs.SetSight(i, kDay + (21.0 + 0.25 * i) * kHour, body, 30.0 + i, -0.02);
            obs.ObsGHA(i) = 20.0 + 40.0 * i;
            obs.ObsDec(i) = 10.0 + i;
            obs.ObsDist(i) = 272000.0;
            obs.ObsWeight(i) = 0.5 + 0.1 * i;
        }
        obs.ObsTime(0) = in.sight.TimeTruePos;
        fix.MppLat = 40.5;
        fix.MppLong = -29.5;
        fix.Course = 45.0;
        fix.Speed = 10.0;
        fix.UnknownCount = 2;
        fix.GoodObsCount = n;
        fix.IterCount = 3;
        fix.StdDev = Vector(2);
    }
    NumericReport Build() {
        details = ComputeSightDetails(in.sight, fix, obs, E);
        return BuildNumericReport(in, fix, obs, details);
    }
};

std::string Slot(const NumericReport& r, int k) {
    return r.fills[static_cast<size_t>(k - 1)].Text();
}

// Thirty-three fills always, even without a sight, so that no mark of the
// template is left standing.
TEST(ReportTexts, EveryMarkHasItsFill) {
    RecordingReporter rec;
    for (int n : {0, 1, 2, 9}) {
        Case c(n);
        const NumericReport r = c.Build();
        EXPECT_EQ(r.fills.size(), static_cast<size_t>(kReportSlotCount)) << n;
        EXPECT_FALSE(r.fills.back().pieces.empty()) << n;
    }
}

// Two sights are solved exactly: each weighs 100 %, whatever the (unused)
// weights hold.
TEST(ReportTexts, TwoSightsWeighAHundredPercent) {
    RecordingReporter rec;
    Case c(2);
    const std::string table = Slot(c.Build(), 13);
    EXPECT_EQ(table,
              "VEGA         15 Mar 2026 21:15:00 = 100 %\r\n"
              "VEGA         15 Mar 2026 21:30:00 = 100 %");
    Case three(3);
    EXPECT_NE(Slot(three.Build(), 13).find("= 60.0 %\r\n"), std::string::npos);
}

// A name of 13 characters or more gets exactly one blank before its time.
TEST(ReportTexts, LongNamesKeepOneBlank) {
    RecordingReporter rec;
    Case c(1, "ALPHA CENTAURI");
    EXPECT_EQ(Slot(c.Build(), 13).rfind("ALPHA CENTAURI 15 Mar", 0), 0u);
    Case d(1, "ABCDEFGHIJKLM");
    EXPECT_EQ(Slot(d.Build(), 13).rfind("ABCDEFGHIJKLM 15 Mar", 0), 0u);
    Case e(1, "ABCDEFGHIJKL");
    EXPECT_EQ(Slot(e.Build(), 13).rfind("ABCDEFGHIJKL 15 Mar", 0), 0u);
}

// The systematic error: below 0.05' no personal error; 0.05' itself, either
// sign, is an over- or underestimate.
TEST(ReportTexts, SystematicErrorSentences) {
    RecordingReporter rec;
    struct {
        double err;
        const char* value;
        const char* words;
    } cases[] = {{0.049, "+0'.0", "which means that you have no personal error"},
                 {-0.049, "+0'.0", "which means that you have no personal error"},
                 {0.05, "+0'.1", "meaning you always overestimate the sextant altitude"},
                 {-0.05, "-0'.1", "meaning you always underestimate the sextant altitude"},
                 {2.34, "+2'.3", "overestimate"}};
    for (const auto& t : cases) {
        Case c(3);
        c.in.FindSystErr = true;
        c.fix.SystErr = t.err;
        const std::string s = Slot(c.Build(), 19);
        EXPECT_NE(s.find(std::string("personal error) is ") + t.value + "\r\n"), std::string::npos)
            << t.err << "\n"
            << s;
        EXPECT_NE(s.find(t.words), std::string::npos) << t.err << "\n" << s;
    }
    Case off(3);
    off.fix.SystErr = 3.0;
    EXPECT_EQ(Slot(off.Build(), 19),
              "No attempt was made at finding the systematic error\r\n"
              "according to the user preference");
}

// The reasons for a truncated routine, in their order; only the first that
// holds is written. The time spread is that of the sights themselves, not
// of the wanted time kept in element 0.
TEST(ReportTexts, TruncationReasonsInOrder) {
    EXPECT_EQ(ReasonForTruncation(4, false, 2, 0), TruncationReason::None);
    EXPECT_EQ(ReasonForTruncation(2, false, 2, 0), TruncationReason::UserPreference);
    EXPECT_EQ(ReasonForTruncation(2, true, 7, 0), TruncationReason::FewSights);
    EXPECT_EQ(ReasonForTruncation(2, true, 10, 7), TruncationReason::FewGoodSights);
    EXPECT_EQ(ReasonForTruncation(2, true, 10, 8), TruncationReason::TimeSpread);

    RecordingReporter rec;
    Case pref(9);
    pref.in.FullRoutine = false;
    pref.fix.GoodObsCount = 3;
    EXPECT_NE(Slot(pref.Build(), 11).find("due to\r\nthe user preference."), std::string::npos);

    Case good(9);
    good.fix.GoodObsCount = 5;
    const std::string g = Slot(good.Build(), 11);
    EXPECT_NE(g.find("the number of good observations = 5, less than 8.\r\nSome observations"),
              std::string::npos);

    Case spread(9);  // sights 21:15 to 23:15 UT; the wanted time 23:00
    spread.obs.ObsTime(0) = kDay + 2 * kHour;
    const std::string s = Slot(spread.Build(), 11);
    EXPECT_NE(s.find("observations: \r\n2.0 hours less or equal to 3 hours."), std::string::npos)
        << s;
}

// The line estimate and the page break: the details begin on a new printed
// page, and a report already longer than a page gets the single blank.
TEST(ReportTexts, PageBreakBeforeTheDetails) {
    RecordingReporter rec;
    Case none(3);
    NumericReport r = none.Build();
    EXPECT_EQ(Slot(r, 28), " ");
    // 20 + 4 (fewer than 8 sights) + 6 + 3 rows + 3 + 2 + 9.
    EXPECT_EQ(r.lineEstimate, 47);

    Case page(3);
    page.in.pageLines = 60;
    r = page.Build();
    std::string expected = " ";
    for (int k = 47; k < 60; ++k) expected += "\r\n";
    EXPECT_EQ(Slot(r, 28), expected);
    EXPECT_EQ(r.lineEstimate, 60);

    Case full(3);
    full.fix.UnknownCount = 4;
    full.fix.StdDev = Vector(4);
    full.in.pageLines = 47;
    r = full.Build();
    EXPECT_EQ(r.lineEstimate, 21 + 3 + 6 + 3 + 3 + 2 + 2 + 9);
    EXPECT_EQ(Slot(r, 28), " ");
}

// Numbers follow the user's separator, the degree-minute figures never read
// 60 minutes, and the ellipse level and its colour go together. The east
// half axis, held in degrees of longitude, is shown in nautical miles.
TEST(ReportTexts, SeparatorAndMinutes) {
    RecordingReporter rec;
    Case c(3);
    c.in.DecSep = ",";
    c.in.Proba = 0.999;
    c.in.sight.PressMBars = 1013.0;
    c.fix.StdDev = Vector(2);
    c.fix.StdDev(1) = c.fix.StdDev(2) = 0.4 / 60.0;
    c.fix.MppLat = 60.0;
    c.fix.EllipseNS = 1.2345 / 60.0;
    c.fix.EllipseEW = 2.0 / 60.0;
    c.obs.ObsHs(1) = 29.99999;  // 29°59'.9994: shows 30°00',0
    const NumericReport r = c.Build();
    EXPECT_EQ(Slot(r, 4), "99,9");
    EXPECT_EQ(r.fills[3].onMark.colour, kReportBlue);
    EXPECT_EQ(r.fills[4].beforeSelect.colour, kReportBlack);
    EXPECT_EQ(Slot(r, 5), "1,23");
    EXPECT_EQ(Slot(r, 6), "1,00");
    EXPECT_EQ(Slot(r, 27), "29,91");  // 1013 hPa x 0.02953 (a standard pressure)
    EXPECT_NE(Slot(r, 33).find(" Hs  30°00',0\r\n"), std::string::npos) << Slot(r, 33);
    EXPECT_NE(Slot(r, 33).find(" I   -0°01',2\r\n"), std::string::npos);
    EXPECT_EQ(Slot(r, 33).find("60'"), std::string::npos);
}

// The run distances: miles from each sight to the wanted time, positive
// before it, negative after.
TEST(ReportTexts, RunDistancesSignedByTime) {
    RecordingReporter rec;
    Case c(2);
    c.obs.ObsTime(2) = kDay + 23.5 * kHour;  // half an hour after the wanted time
    const NumericReport r = c.Build();
    EXPECT_NEAR(c.details.RunDist(1), 1.75 * 10.0, 1e-6);
    EXPECT_NEAR(c.details.RunDist(2), -0.5 * 10.0, 1e-6);
    EXPECT_NE(Slot(r, 33).find(" Δ   +17.5\r\n"), std::string::npos);
    EXPECT_NE(Slot(r, 33).find(" Δ   -5.0\r\n"), std::string::npos);
}

}  // namespace
}  // namespace orvex
