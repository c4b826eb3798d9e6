// The numeric report: a fix computed from sights made on a known track is
// poured into the program's own template, and the report is read back as a
// navigator reads it. The expected texts are built here from the fix with
// printf, not with the program's formatter, and the per-sight details are
// checked against ERFA's altitude and azimuth of the figures the report
// shows.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QRegularExpression>
#include <QTabWidget>
#include <QToolBar>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "ephemeris/star_fix_ephemeris.h"
#include "navlib/constants.h"
#include "navlib/date_time.h"
#include "navlib/hooks.h"
#include "navlib/star_fix.h"
#include "tests/navlib/synthetic_sights.h"
#include "workbench/core/report_numeric.h"
#include "workbench/core/solve_fix.h"
#include "workbench/results_page.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

using testing::Conditions;
using testing::PlannedSight;
using testing::Track;

using testing::kDay;
using testing::kHour;
using testing::kMinute;
using testing::Wgs84;

struct KnownFix {
    StarFixInputs in;
    ObservationSet obs;
    FixResult fix;
};

std::vector<double> Times(double start, int count, double stepMinutes) {
    std::vector<double> t;
    for (int k = 0; k < count; ++k) t.push_back(start + k * stepMinutes * kMinute);
    return t;
}

// Eight sights over three and a half hours: the full routine corrects a
// dead reckoning 10 degrees and 2 knots out (four unknowns).
KnownFix FullRoutineFix() {
    const EarthModel E = Wgs84();
    const Track truth{35.0, -40.0, kDay + 23 * kHour, 70.0, 14.0};
    const auto plan = testing::SpreadStars(truth, Times(kDay + 19.5 * kHour, 8, 30.0), E);
    KnownFix k;
    k.in = testing::MakeInputs(truth, truth.t0 - 2 * kHour, truth.t0, 10.0, -10.0, 60.0, 12.0,
                               Conditions(), E);
    k.in.Ephemeris = StarFixEphemeris();
    k.obs = testing::MakeSights(truth, plan, Conditions(), E);
    ComputeStarFix(k.in, k.obs, k.fix, E);
    return k;
}

// Six sights in twenty minutes: a truncated routine (two unknowns).
KnownFix ShortSetFix() {
    const EarthModel E = Wgs84();
    const Track truth{-33.0, 150.0, kDay + 22 * kHour, 200.0, 9.0};
    const auto plan = testing::SpreadStars(truth, Times(kDay + 21.8 * kHour, 6, 4.0), E);
    KnownFix k;
    k.in = testing::MakeInputs(truth, truth.t0 - 3 * kHour, truth.t0, 6.0, 8.0, 200.0, 9.0,
                               Conditions(), E);
    k.in.Ephemeris = StarFixEphemeris();
    k.obs = testing::MakeSights(truth, plan, Conditions(), E);
    ComputeStarFix(k.in, k.obs, k.fix, E);
    return k;
}

// The state a star fix leaves in the main window.
void PutFix(FrmWorking& w, const KnownFix& k, const std::string& decSep) {
    WorkbenchState& s = w.State();
    s.DecSep = decSep;
    s.E = Wgs84();
    s.Lat(6) = s.EstLat = k.in.EstLat;
    s.Long(6) = s.EstLong = k.in.EstLong;
    s.TimeEstPos = k.in.TimeEstPos;
    s.TimeTruePos = k.in.TimeTruePos;
    s.CourseInput = k.in.Course;
    s.SpeedInput = k.in.Speed;
    s.HeightEye = k.in.HeightEye;
    s.TempAirC = k.in.TempAirC;
    s.TempWaterC = k.in.TempWaterC;
    s.PressMBars = k.in.PressMBars;
    s.Proba = k.in.Proba;
    s.Obs = k.obs;
    s.Fix = k.fix;
    KeepSightDetails(s);
}

std::string ReadProgramFile(const char* name) {
    QFile f(QString(ORVEX_PROGRAM_DIR) + "/" + name);
    if (!f.open(QIODevice::ReadOnly)) return std::string();
    return f.readAll().toStdString();
}

// The program folder with the real report template.
struct ReportFolder {
    test::ProgramFolder folder;
    ReportFolder() { folder.Write("NumResults.rtf", ReadProgramFile("NumResults.rtf")); }
};

// The report as plain text, one line per paragraph.
std::string ReportText(const FrmWorking& w) {
    QString t = test::ReportBox(w)->Text();
    t.replace(QChar::ParagraphSeparator, '\n');
    t.replace(QChar::LineSeparator, '\n');
    return t.toStdString();
}

// ---- Expected texts, built independently of the program's formatter -------

std::string Fixed(double v, int decimals, const std::string& sep) {
    char buf[64];
    std::string s(buf,
                  std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals).ptr);
    const size_t dot = s.find('.');
    if (dot != std::string::npos) s.replace(dot, 1, sep);
    return s;
}

// "12'.3" style: the minute mark before the decimal separator.
std::string Minutes(double v, const std::string& sep) {
    std::string s = Fixed(v, 1, ".");
    s.replace(s.find('.'), 1, "'" + sep);
    return s;
}

std::string DegMin(double deg, int degDigits, const std::string& sep) {
    const long tenths = std::lround(std::fabs(deg) * 600.0);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%0*ld°%02ld'%s%ld", degDigits, tenths / 600,
                  (tenths % 600) / 10, sep.c_str(), tenths % 10);
    return buf;
}

std::string LatText(double lat, const std::string& sep) {
    return DegMin(lat, 2, sep) + (lat >= 0 ? " N" : " S");
}

std::string LonText(double lon, const std::string& sep) {
    return DegMin(lon, 3, sep) + (lon >= 0 ? " E" : " W");
}

std::string DateText(double when) {
    // The month names of the user's locale, as the window reads them.
    const auto months = DateNamesOf(QLocale()).monthShort;
    const CalendarTime c = SplitDateTime(when);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d %s %04d %02d:%02d:%02d", c.day,
                  months[static_cast<size_t>(c.month - 1)].c_str(), c.year, c.hour, c.minute,
                  c.second);
    return buf;
}

std::string Bearing(double deg, const std::string& sep) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%03ld°%s%ld", std::lround(deg * 10.0) / 10, sep.c_str(),
                  std::lround(deg * 10.0) % 10);
    return buf;
}

// Each fragment must follow the previous one.
void ExpectInOrder(const std::string& text, const std::vector<std::string>& fragments) {
    size_t at = 0;
    for (const std::string& f : fragments) {
        const size_t found = text.find(f, at);
        EXPECT_NE(found, std::string::npos)
            << "missing after position " << at << ": \"" << f << "\"\n--- report ---\n"
            << text;
        if (found == std::string::npos) return;
        at = found + f.size();
    }
}

std::vector<std::string> ExpectedFragments(const KnownFix& k, const ObservationSet& shown,
                                           const SightDetails& details, const std::string& sep) {
    const FixResult& f = k.fix;
    const bool full = f.UnknownCount == 4;
    std::vector<std::string> e = {
        "Astronomic position by Orvex",
        "Position:",
        "The most probable position on " + DateText(k.in.TimeTruePos) + " is",
        "Lat " + LatText(f.MppLat, sep) + " and Long " + LonText(f.MppLong, sep),
        "with an ellipse of " + Fixed(k.in.Proba * 100.0, 1, sep) + " % probability of",
        "NS ½ axe = " + Fixed(f.EllipseNS * 60.0, 2, sep) + " nautical miles and",
        "EW ½ axe = " + Fixed(f.EllipseEW * 60.0 * std::cos(f.MppLat * kDegToRad), 2, sep) +
            " nautical miles.",
        "radius of " + Fixed(f.CircleRadius * 60.0, 2, sep) + " nautical miles.",
        "The estimated position on " + DateText(k.in.TimeTruePos) + " was",
        "Lat est. " + LatText(f.RunEstLat, sep) + " and Long est. " + LonText(f.RunEstLong, sep),
    };
    if (full) {
        e.push_back(" (computed\nwith the original course = " + Bearing(k.in.Course, sep) +
                    " and speed = " + Fixed(k.in.Speed, 1, sep) + "')");
        e.push_back("Observer motion:");
        e.push_back("to correct the course = " + Bearing(f.Course, sep) +
                    " and the speed = " + Fixed(f.Speed, 1, sep) + " knot(s).");
    } else {
        e.push_back(".\n");
        e.push_back("Observer motion:");
        e.push_back("course = " + Bearing(f.Course, sep) +
                    " and the speed = " + Fixed(f.Speed, 1, sep) + " knot(s) due to");
    }
    e.push_back("Statistics:");
    e.push_back("after " + std::to_string(f.IterCount) + " iterations.");
    for (int i = 1; i <= k.obs.ObsCount; ++i) {
        const std::string& body = k.obs.ObsBody[static_cast<size_t>(i)];
        const std::string pad = body.size() < 13 ? std::string(13 - body.size(), ' ') : " ";
        e.push_back(body + pad + DateText(k.obs.ObsTime(i)) + " = " +
                    Fixed(k.obs.ObsWeight(i) * 100.0, 1, sep) + " %");
    }
    e.push_back("for the " + std::to_string(f.UnknownCount) + " solutions is:");
    e.push_back("Lat " + LatText(f.MppLat, sep) + " ± " + Minutes(f.StdDev(1) * 60.0, sep));
    e.push_back("Long " + LonText(f.MppLong, sep) + " ± " + Minutes(f.StdDev(2) * 60.0, sep));
    if (full) e.push_back("Course " + Bearing(f.Course, sep) + " ± ");  // then the deviation
    e.push_back(
        "No attempt was made at finding the systematic error\n"
        "according to the user preference.");
    const Conditions c;
    e.push_back("Height of observer eye: " + Fixed(c.heightEye, 1, sep) + " m ↔ " +
                Fixed(c.heightEye * 3.28084, 1, sep) + " feet.");
    e.push_back("Air temperature: " + Fixed(c.tempAirC, 0, sep) + " °C ↔ " +
                Fixed(c.tempAirC * 1.8 + 32.0, 0, sep) + " °F.");
    e.push_back("Water temperature: " + Fixed(c.tempWaterC, 0, sep) + " °C ↔ " +
                Fixed(c.tempWaterC * 1.8 + 32.0, 0, sep) + " °F.");
    e.push_back("Atmospheric pressure: " + Fixed(c.pressMBars, 0, sep) + " mbars (hPa) ↔ " +
                Fixed(c.pressMBars * 0.02953, 2, sep) + " inches of Hg.");
    e.push_back("Details:");
    e.push_back("using a recalculated position for each observation from the initial");
    e.push_back(" on " + DateText(k.in.TimeEstPos) + ":");
    std::string est =
        "Lat est. " + LatText(k.in.EstLat, sep) + " and Long est. " + LonText(k.in.EstLong, sep);
    if (full)
        est += ".\nCorrected course " + Bearing(f.Course, sep) + " and speed " +
               Fixed(f.Speed, 1, sep) + "'.";
    e.push_back(est);
    for (int i = 1; i <= shown.ObsCount; ++i) {
        e.push_back(std::to_string(i) + ") " + shown.ObsBody[static_cast<size_t>(i)] + " on " +
                    DateText(shown.ObsTime(i)));
        e.push_back("Estimated position: Lat (" + std::to_string(i) + ") " +
                    LatText(details.Lat(i), sep));
    }
    e.push_back("End of astronomic position by Orvex 1.2");
    return e;
}

double Parse(const QString& degrees, const QString& minutes, const QString& tenths) {
    return degrees.toDouble() + (minutes.toDouble() + tenths.toDouble() / 10.0) / 60.0;
}

// Reads a "12°34'.5 N" text back to degrees.
double ParseLatText(const QString& s) {
    static const QRegularExpression re(QStringLiteral("(\\d+)°(\\d\\d)'[.,](\\d) ([NSEW])"));
    const auto m = re.match(s);
    if (!m.hasMatch()) return 999.0;
    const double v = Parse(m.captured(1), m.captured(2), m.captured(3));
    return m.captured(4) == "S" || m.captured(4) == "W" ? -v : v;
}

class NumericReportPage : public ::testing::Test {
  protected:
    void SetUp() override { w = test::StartedWindow(settings); }
    ReportFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    std::unique_ptr<FrmWorking> w;
};

// The template beside the program reads, and holds its 33 marks: the start
// no longer reports it missing, and the report command can fill it.
TEST_F(NumericReportPage, TemplateBesideTheProgramHoldsThirtyThreeMarks) {
    EXPECT_FALSE(w->Documents().Missing.contains("NumResults.rtf"));
    RichTextBox box;
    ASSERT_TRUE(box.LoadFile(QString(ORVEX_PROGRAM_DIR) + "/NumResults.rtf"));
    EXPECT_EQ(box.Text().count(QStringLiteral("§")), kReportSlotCount);
    EXPECT_TRUE(box.Text().contains("Astronomic position by Orvex"));
}

// A full-routine fix, with either decimal separator: every mark replaced,
// each value where its sentence puts it, the page and menus switched.
// Guards a slot filled out of order (a value landing in its neighbour's
// sentence), a lost separator, and a mark left behind.
TEST_F(NumericReportPage, FullRoutineFixFillsEveryMarkInOrder) {
    RecordingReporter rec;
    const KnownFix k = FullRoutineFix();
    ASSERT_EQ(k.fix.UnknownCount, 4);
    for (const std::string sep : {".", ","}) {
        PutFix(*w, k, sep);
        test::Results(*w)->ShowNumericResults();
        const std::string text = ReportText(*w);
        EXPECT_EQ(text.find("§"), std::string::npos) << sep;
        ExpectInOrder(text, ExpectedFragments(k, w->State().Obs, w->State().Details, sep));
        EXPECT_TRUE(test::ReportBox(*w)->isVisibleTo(w.get()));
        EXPECT_TRUE(test::Bar(*w, "tlhNum")->isVisibleTo(w.get()));
        EXPECT_FALSE(test::TabSet(*w, "tabIn")->isVisibleTo(w.get()));
        EXPECT_FALSE(w->Action("mnuAstroNumDisp")->isEnabled());
        EXPECT_TRUE(w->Action("mnuAstroNumPrint")->isEnabled());
    }
}

// A short set: the truncated routine names its reason (fewer than 8 sights),
// the original course and speed stay, and no course deviation is written.
TEST_F(NumericReportPage, ShortSetNamesTheTruncation) {
    RecordingReporter rec;
    const KnownFix k = ShortSetFix();
    ASSERT_EQ(k.fix.UnknownCount, 2);
    PutFix(*w, k, ".");
    test::Results(*w)->ShowNumericResults();
    const std::string text = ReportText(*w);
    ExpectInOrder(text, ExpectedFragments(k, w->State().Obs, w->State().Details, "."));
    ExpectInOrder(text,
                  {"didn't try to correct the\n", "the number of observations = 6, less than 8."});
    EXPECT_EQ(text.find("Course 200"), std::string::npos);
    EXPECT_EQ(text.find("Corrected course"), std::string::npos);
}

// The details reduce each sight again from the figures they show: the
// computed altitude and azimuth agree with ERFA's from the shown position,
// hour angle and declination; the intercept is Ho - Hc; the position is the
// estimated one run on the corrected course and speed; the run distance is
// the miles to the wanted time. Guards a detail reduced from the wrong
// position (the solver's last iterate, or the entered course), and an
// azimuth or intercept out of step with its sight.
TEST_F(NumericReportPage, DetailsAgreeWithAnIndependentReduction) {
    RecordingReporter rec;
    const KnownFix k = FullRoutineFix();
    PutFix(*w, k, ".");
    test::Results(*w)->ShowNumericResults();
    const QString text = QString::fromStdString(ReportText(*w));
    const int details = text.indexOf("Details:");
    ASSERT_GT(details, 0);
    const QString dm = QStringLiteral("([+-]?)(\\d+)°(\\d\\d)'\\.(\\d)");
    auto angle = [](const QRegularExpressionMatch& m, int at) {
        const double v = Parse(m.captured(at + 1), m.captured(at + 2), m.captured(at + 3));
        return m.captured(at) == "-" ? -v : v;
    };
    const QRegularExpression block(
        "(\\d+)\\) (\\w+) on [^\\n]+\\n\\nEstimated position: Lat \\(\\d+\\) ([^\\n]+) and "
        "Long \\(\\d+\\) ([^\\n]+)\\n\\nGHA " +
        dm +
        "\\n δ     ([^\\n]+)\\n\\n"
        " Hs  " +
        dm + "\\n I   " + dm + "\\n Ho  " + dm + "\\n Hc  " + dm + "\\n ΔH  " + dm +
        "\\n Z   (\\d{3})°\\.(\\d)\\n\\n Δ   ([+-]\\d+\\.\\d)\\n");
    auto it = block.globalMatch(text, details);
    const FixResult& f = k.fix;
    int seen = 0;
    while (it.hasNext()) {
        const auto m = it.next();
        const int i = m.captured(1).toInt();
        ++seen;
        SCOPED_TRACE(i);
        const double lat = ParseLatText(m.captured(3));
        const double lon = ParseLatText(m.captured(4));
        const double gha = angle(m, 5);
        const double dec = ParseLatText(m.captured(9));
        const double ho = angle(m, 18), hc = angle(m, 22), dh = angle(m, 26);
        const double zn = m.captured(30).toDouble() + m.captured(31).toDouble() / 10.0;
        // ERFA from the shown figures, each rounded to 0.1'.
        double az, el;
        eraHd2ae((gha + lon) * ERFA_DD2R, dec * ERFA_DD2R, lat * ERFA_DD2R, &az, &el);
        EXPECT_NEAR(hc * 60.0, el / ERFA_DD2R * 60.0, 0.25);
        EXPECT_NEAR(std::remainder(zn - az / ERFA_DD2R, 360.0), 0.0, 0.1);
        EXPECT_NEAR(dh * 60.0, (ho - hc) * 60.0, 0.11);
        // Run on the corrected course and speed from the estimated position.
        const double hours = (k.obs.ObsTime(i) - k.in.TimeEstPos) * 24.0;
        const double dLat = f.Speed * hours * std::cos(f.Course * ERFA_DD2R) / 60.0;
        const double midLat = (k.in.EstLat + lat) / 2.0 * ERFA_DD2R;
        const double dLon =
            f.Speed * hours * std::sin(f.Course * ERFA_DD2R) / 60.0 / std::cos(midLat);
        EXPECT_NEAR((lat - (k.in.EstLat + dLat)) * 60.0, 0.0, 0.4);
        EXPECT_NEAR((lon - (k.in.EstLong + dLon)) * 60.0 * std::cos(midLat), 0.0, 0.4);
        const double run = (k.in.TimeTruePos - k.obs.ObsTime(i)) * 24.0 * f.Speed;
        EXPECT_NEAR(m.captured(32).toDouble(), run, 0.051);
        EXPECT_GE(run, 0.0);  // no sight after the wanted time
        // The sight's own altitude and the fix's ephemeris.
        EXPECT_NEAR(angle(m, 10), k.obs.ObsHs(i), 0.001);
        EXPECT_NEAR(gha, k.obs.ObsGHA(i), 0.001);
    }
    EXPECT_EQ(seen, k.obs.ObsCount);
}

// One estimated position for all: every block shows the same position, the
// estimated position run to the wanted time on the corrected course.
TEST_F(NumericReportPage, OneEstimatedPositionForEverySight) {
    RecordingReporter rec;
    const KnownFix k = FullRoutineFix();
    PutFix(*w, k, ".");
    w->State().OneEstPos = true;
    KeepSightDetails(w->State());
    test::Results(*w)->ShowNumericResults();
    const std::string text = ReportText(*w);
    ExpectInOrder(text, {"using a single estimated position (user preference)\non " +
                         DateText(k.in.TimeTruePos) + " (time of the true position)"});
    const SightDetails& o = w->State().Details;
    for (int i = 1; i <= o.ObsCount; ++i) {
        EXPECT_EQ(o.Lat(i), o.Lat(0));
        EXPECT_EQ(o.Long(i), o.Long(0));
        EXPECT_NE(text.find("Estimated position: Lat (" + std::to_string(i) + ") " +
                            LatText(o.Lat(0), ".")),
                  std::string::npos);
    }
}

// The template missing from the program folder: the command says so and the
// page does not change (no half-filled or empty report).
TEST(NumericReportTemplate, MissingTemplateIsReportedAndNothingChanges) {
    test::ProgramFolder folder(false);
    test::FakeSettings settings;
    PlatformScript script;
    auto w = test::StartedWindow(settings);
    script.Clear();
    RecordingReporter rec;
    PutFix(*w, ShortSetFix(), ".");
    test::Results(*w)->ShowNumericResults();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, " File access error");
    EXPECT_TRUE(script.messages[0].text.contains("NumResults.rtf"));
    EXPECT_FALSE(test::ReportBox(*w)->isVisibleTo(w.get()));
    EXPECT_FALSE(test::Bar(*w, "tlhNum")->isVisibleTo(w.get()));

    // Put back while the program runs: the next request finds it.
    folder.Write("NumResults.rtf", ReadProgramFile("NumResults.rtf"));
    script.Clear();
    test::Results(*w)->ShowNumericResults();
    EXPECT_TRUE(script.messages.empty());
    EXPECT_TRUE(test::ReportBox(*w)->isVisibleTo(w.get()));
}

// A picture of the report for a person to look at.
TEST_F(NumericReportPage, Screenshot) {
    RecordingReporter rec;
    PutFix(*w, FullRoutineFix(), ".");
    w->resize(1024, 720);
    w->show();
    test::Results(*w)->ShowNumericResults();
    const QString path = test::TestOutputFolder() + "/numeric-report.png";
    const QPixmap pm = w->grab();
    EXPECT_TRUE(pm.save(path));
    // Further down: the weights and the details.
    test::ReportBox(*w)->SetSelStart(
        test::ReportBox(*w)->Text().indexOf("Conditions of the observations:"));
    test::ReportBox(*w)->ensureCursorVisible();
    EXPECT_TRUE(w->grab().save(test::TestOutputFolder() + "/numeric-report-statistics.png"));
    test::ReportBox(*w)->SetSelStart(test::ReportBox(*w)->Text().indexOf("2) "));
    test::ReportBox(*w)->ensureCursorVisible();
    EXPECT_TRUE(w->grab().save(test::TestOutputFolder() + "/numeric-report-details.png"));
    test::ReportBox(*w)->SetSelStart(test::ReportBox(*w)->TextLength());
    test::ReportBox(*w)->ensureCursorVisible();
    EXPECT_TRUE(w->grab().save(test::TestOutputFolder() + "/numeric-report-end.png"));
}

}  // namespace
}  // namespace orvex
