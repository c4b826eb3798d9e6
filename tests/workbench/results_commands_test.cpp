// The two results commands end to end: sights typed into the grid of the
// star-fix page, the fix computed by the driver, then the numeric report or
// the chart of the lines of position, with the status line, the pages and
// the menus as the navigator finds them.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPixmap>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <cmath>

#include "charts/chart_picture.h"
#include "charts/print_lib.h"
#include "grid_test_support.h"
#include "navlib/inout_lib.h"
#include "navlib/number_format.h"
#include "tests/navlib/synthetic_sights.h"
#include "workbench/results_page.h"

namespace orvex {
namespace {

using testing::Conditions;
using testing::Track;

using testing::kDay;
using testing::kHour;
using testing::kMinute;
using testing::Wgs84;

std::string ProgramFile(const char* name) {
    QFile f(QString(ORVEX_PROGRAM_DIR) + "/" + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

double MilesApart(double lat1, double lon1, double lat2, double lon2) {
    const double dlon = std::remainder(lon2 - lon1, 360.0);
    return 60.0 * std::hypot(lat2 - lat1, dlon * std::cos((lat1 + lat2) / 2.0 * ERFA_DD2R));
}

struct ResultsCommands : ::testing::Test, test::GridWindow {
    // Eight sights over three and a half hours from a ship on 070 at 14 kn,
    // its dead reckoning 10 degrees and 2 knots out.
    const Track truth{35.0, -40.0, kDay + 23 * kHour, 70.0, 14.0};

    void SetUp() override {
        folder.Write("NumResults.rtf", ProgramFile("NumResults.rtf"));
        const EarthModel E = Wgs84();
        std::vector<double> times;
        for (int k = 0; k < 8; ++k) times.push_back(kDay + 19.5 * kHour + k * 30 * kMinute);
        const auto plan = testing::SpreadStars(truth, times, E);
        const ObservationSet obs = testing::MakeSights(truth, plan, Conditions(), E);
        w->State().DecSep = ".";
        for (int i = 1; i <= obs.ObsCount; ++i)
            PutRow(i, QString::fromStdString(FormatDateTime(obs.ObsTime(i), "d mmm yyyy hh:mm:ss")),
                   QString::fromStdString(obs.ObsBody[static_cast<size_t>(i)]),
                   QString::fromStdString(FormatDegreesMinutes(obs.ObsHs(i), "00°00'.0")),
                   QString::fromStdString(FormatNumber(obs.ObsInstErr(i) * 60.0, "+00.00;-00.00")));
        const StarFixInputs in = testing::MakeInputs(truth, truth.t0 - 2 * kHour, truth.t0, 10.0,
                                                     -10.0, 60.0, 12.0, Conditions(), E);
        WorkbenchState& s = w->State();
        s.E = E;
        s.DecSep = ".";
        s.Lat(6) = in.EstLat;
        s.Long(6) = in.EstLong;
        s.TimeEstPos = in.TimeEstPos;
        s.TimeTruePos = in.TimeTruePos;
        s.Course = s.CourseInput = in.Course;
        s.Speed = s.SpeedInput = in.Speed;
        s.HeightEye = in.HeightEye;
        s.TempAirC = in.TempAirC;
        s.TempWaterC = in.TempWaterC;
        s.PressMBars = in.PressMBars;
        EnterEverything();
        script.Clear();
    }

    std::string Report() const {
        QString t = test::ReportBox(*w)->Text();
        t.replace(QChar::ParagraphSeparator, '\n');
        return t.toStdString();
    }
    RecordingReporter rec;
};

// "Numeric results": the grid's sights give the fix of the true track, the
// report and the status line show the same fix, and the menus switch to the
// report. A second request starts again from the entered course and speed.
// Guards a report of a stale fix, and a status line and report that
// disagree.
TEST_F(ResultsCommands, NumericResultsFromTheGrid) {
    test::RunAction(*w, "bthNumRes");
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    const WorkbenchState& s = w->State();
    ASSERT_EQ(s.Obs.ObsCount, 8);
    ASSERT_EQ(s.Fix.UnknownCount, 4);
    EXPECT_LT(MilesApart(s.Fix.MppLat, s.Fix.MppLong, truth.lat, truth.lon), 0.5);
    EXPECT_NEAR(s.Fix.Course, 70.0, 0.5);

    const std::string mpp =
        FormatLatitude(s.Fix.MppLat) + " and Long " + FormatLongitude(s.Fix.MppLong);
    const std::string text = Report();
    EXPECT_NE(text.find("Lat " + mpp), std::string::npos) << text;
    EXPECT_EQ(text.find("§"), std::string::npos);
    EXPECT_EQ(w->Status()->Panel("MPP")->text().toStdString(),
              FormatLatitude(s.Fix.MppLat) + " " + FormatLongitude(s.Fix.MppLong));
    EXPECT_EQ(w->Status()->Panel("Full")->text(), "Full");
    EXPECT_TRUE(test::ReportBox(*w)->isVisibleTo(w.get()));
    EXPECT_TRUE(test::Bar(*w, "tlhNum")->isVisible());
    EXPECT_FALSE(test::Bar(*w, "tlhStarfix")->isVisible());
    EXPECT_FALSE(test::TabSet(*w, "tabIn")->isVisible());
    EXPECT_FALSE(w->Action("mnuAstroNumDisp")->isEnabled());
    EXPECT_TRUE(w->Action("mnuAstroNumPrint")->isEnabled());
    EXPECT_TRUE(w->grab().save(test::TestOutputFolder() + "/numeric-results-page.png"));

    // Again: the same fix, from the entered course 060 and 12 knots.
    const double lat = s.Fix.MppLat;
    test::RunAction(*w, "bthNumRes");
    EXPECT_DOUBLE_EQ(s.Fix.MppLat, lat);
    EXPECT_NE(Report().find("with the original course = 060°.0 and speed = 12.0')"),
              std::string::npos);
}

// "Graphic results": the lines of position pass through the most probable
// position run to each sight's time; element 0 keeps what the fix left; the
// chart page and its menus. Then the numeric report recomputes its own
// positions from the estimated one. Guards the chart drawn from the
// report's positions (or the reverse), and element 0 overwritten.
TEST_F(ResultsCommands, GraphicResultsThroughTheFix) {
    test::RunAction(*w, "bthGraphRes");
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    const WorkbenchState& s = w->State();
    const ObservationSet& o = s.Obs;
    const SightDetails& lines = s.Lines;
    ASSERT_EQ(o.ObsCount, 8);
    ASSERT_EQ(lines.ObsCount, 8);
    EXPECT_DOUBLE_EQ(o.ObsLat(0), s.Fix.RunEstLat);
    EXPECT_DOUBLE_EQ(o.ObsLong(0), s.Fix.RunEstLong);
    EXPECT_DOUBLE_EQ(lines.Lat(0), s.Fix.RunEstLat);
    for (int i = 1; i <= o.ObsCount; ++i) {
        SCOPED_TRACE(i);
        // Dead reckoning back from the fix on its own course and speed.
        const double dist = s.Fix.Speed * (o.ObsTime(i) - s.TimeTruePos) * 24.0;
        const double c = s.Fix.Course * ERFA_DD2R;
        const double lat = s.Fix.MppLat + dist * std::cos(c) / 60.0;
        const double lon = s.Fix.MppLong + dist * std::sin(c) / 60.0 /
                                               std::cos((lat + s.Fix.MppLat) / 2.0 * ERFA_DD2R);
        EXPECT_LT(MilesApart(lines.Lat(i), lines.Long(i), lat, lon), 0.3);
        // Exact sights: every line passes within a few tenths of the fix.
        EXPECT_LT(std::fabs(lines.Intercept(i)) * 60.0, 0.5);
        double az, el;
        eraHd2ae((o.ObsGHA(i) + lines.Long(i)) * ERFA_DD2R, o.ObsDec(i) * ERFA_DD2R,
                 lines.Lat(i) * ERFA_DD2R, &az, &el);
        EXPECT_NEAR(std::remainder(lines.Zn(i) - az / ERFA_DD2R, 360.0), 0.0, 0.01);
    }
    EXPECT_TRUE(test::ChartBox(*w)->isVisibleTo(w.get()));
    EXPECT_FALSE(test::ReportBox(*w)->isVisibleTo(w.get()));
    EXPECT_TRUE(test::Bar(*w, "tlhGraph")->isVisible());
    EXPECT_FALSE(w->Action("mnuAstroGraphDisp")->isEnabled());
    for (const char* n :
         {"mnuAstroGraphChart", "mnuAstroGraphLOP", "mnuAstroGraphGrid", "mnuAstroGraphPrint"})
        EXPECT_TRUE(w->Action(n)->isEnabled()) << n;
    EXPECT_TRUE(w->grab().save(test::TestOutputFolder() + "/graphic-results-page.png"));

    // The report's own positions: run from the estimated position.
    const double chartLat1 = lines.Lat(1);
    test::RunAction(*w, "bthNumRes");
    EXPECT_NE(s.Details.Lat(1), chartLat1);
    EXPECT_NE(s.Details.Lat(0), s.Fix.RunEstLat);  // run on the corrected course
    EXPECT_TRUE(test::ReportBox(*w)->isVisibleTo(w.get()));
    EXPECT_FALSE(test::ChartBox(*w)->isVisibleTo(w.get()));
}

// A save reads the grid into the sights anew; the chart keeps drawing the
// lines of the fix. Guards a chart wiped (or refused) because the sights
// changed under it.
TEST_F(ResultsCommands, GridReadLeavesTheChartAlone) {
    test::RunAction(*w, "bthGraphRes");
    const QImage before = test::ChartImage(*w);
    PutRow(9, test::Named<ObservationGrid>(&*w, "grdObs")->TextMatrix(1, 0), "VEGA",
           test::Named<ObservationGrid>(&*w, "grdObs")->TextMatrix(1, 2),
           test::Named<ObservationGrid>(&*w, "grdObs")->TextMatrix(1, 3));
    ASSERT_TRUE(test::SaveCancelled(*w, script));
    ASSERT_EQ(w->State().Obs.ObsCount, 9);
    // Drawn again: the grid shown and hidden.
    test::RunAction(*w, "mnuAstroGraphGrid");
    test::RunAction(*w, "mnuAstroGraphGrid");
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    EXPECT_EQ(test::ChartImage(*w), before);
}

// A missing input stops both commands before any page or report changes.
TEST_F(ResultsCommands, MissingInputChangesNothing) {
    w->State().FixEntered[7] = false;
    test::RunAction(*w, "bthNumRes");
    test::RunAction(*w, "bthGraphRes");
    ASSERT_EQ(rec.messages.size(), 2u);
    EXPECT_EQ(rec.messages[0].title, "Missing data");
    EXPECT_EQ(rec.messages[1].title, "Missing data");
    EXPECT_TRUE(test::TabSet(*w, "tabIn")->isVisible());
    EXPECT_FALSE(test::ReportBox(*w)->isVisibleTo(w.get()));
    EXPECT_FALSE(test::ChartBox(*w)->isVisibleTo(w.get()));
    EXPECT_TRUE(test::Bar(*w, "tlhStarfix")->isVisible());
}

// A template that lost its marks (edited in a word processor) is refused:
// no values land at the wrong places; the status line still shows the fix.
TEST_F(ResultsCommands, TemplateWithoutItsMarksIsRefused) {
    folder.Write("NumResults.rtf", "{\\rtf1\\ansi Report of the fix \\'a7 and \\'a7.\\par}");
    test::RunAction(*w, "bthNumRes");
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, " File access error");
    EXPECT_TRUE(script.messages[0].text.contains("holds 2 of its 33 marks"));
    EXPECT_FALSE(test::ReportBox(*w)->isVisibleTo(w.get()));
    EXPECT_FALSE(w->Status()->Simple());
    EXPECT_FALSE(w->Status()->Panel("MPP")->text().isEmpty());
}

// With a printer the details begin on a new printed page: blank lines fill
// the page from the line estimate (54 lines for eight sights solved in
// full); without one the slot is a single blank.
TEST_F(ResultsCommands, DetailsStartOnANewPrintedPage) {
    auto gap = [this] {
        const std::string t = Report();
        const size_t a = t.find("inches of Hg.");
        const size_t b = t.find("Details:");
        return a == std::string::npos || b == std::string::npos ? std::string("?")
                                                                : t.substr(a + 13, b - a - 13);
    };
    {
        PrinterScript printers;
        QTemporaryDir jobs;
        printers.printers = {"Chart room printer"};
        printers.folder = jobs.path();
        const int pageLines = ReportPageLines(ProgramPrinter::Instance());
        ASSERT_GT(pageLines, 30);
        test::RunAction(*w, "bthNumRes");
        const int breaks = std::max(0, pageLines - 54);
        EXPECT_EQ(gap(), "\n " + std::string(static_cast<size_t>(breaks), '\n') + "\n");
    }
    test::RunAction(*w, "bthNumRes");
    EXPECT_EQ(gap(), "\n \n");
}

}  // namespace
}  // namespace orvex
