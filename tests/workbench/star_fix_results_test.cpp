// What the results pages and the status line tell a navigator when the fix
// cannot be trusted as it stands: no fix at all, a fix without an estimate
// of its precision, and the times of the estimated and wanted positions
// kept as shown.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>

#include "grid_test_support.h"
#include "input_fields_support.h"
#include "navlib/date_time.h"
#include "navlib/star_fix.h"
#include "workbench/window_art.h"

namespace orvex {
namespace {

struct Results : ::testing::Test, test::ResultsWindow {
    // The sample fix of 8 Dec 2026 with only the given sight lines.
    QString SightsFile(const QStringList& sights) {
        QFile sample(QString(ORVEX_SOURCE_DIR) + "/data/files/Observations/08Dec26A.obs");
        EXPECT_TRUE(sample.open(QIODevice::ReadOnly));
        const QStringList lines =
            QString::fromUtf8(sample.readAll()).split(QRegularExpression("\r?\n"));
        const QString text = (lines.mid(0, 6) + QStringList{QString::number(sights.size())} +
                              sights + lines.filter("This is an Orvex"))
                                 .join("\r\n");
        folder.Write("sights.obs", text.toStdString());
        return folder.Path() + "/sights.obs";
    }
    QString Panel(const char* key) const { return w->Status()->Panel(key)->text(); }
    QString Report() const { return test::ReportBox(*w)->Text(); }
};

const QString kVega = "#2026-12-08 19:22:00#,\"VEGA\",46.39666666666667,-0.02";
const QString kAltair = "#2026-12-08 19:24:30#,\"ALTAIR\",44.55833333333333,-0.02";

// Guards a failed solve shown as a precise fix: two identical sights cross
// too flatly for a position; after the one message saying so the navigator
// gets no report page, no chart and no position on the status line.
TEST_F(Results, IdenticalSightsGiveNoFix) {
    ASSERT_TRUE(Load(SightsFile({kVega, kVega})));
    Click("bthNumRes");
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, " Error when computing the true position");
    EXPECT_TRUE(script.messages[0].text.startsWith("The lines of position cross too flatly"));
    EXPECT_FALSE(test::ReportBox(*w)->isVisible());
    EXPECT_TRUE(test::TabSet(*w, "tabIn")->isVisible());
    EXPECT_FALSE(w->Status()->Panel("MPP")->isVisible());
    script.Clear();
    Click("bthGraphRes");
    EXPECT_FALSE(test::ChartBox(*w)->isVisible());
    EXPECT_FALSE(w->Status()->Panel("Ellipse")->isVisible());
}

// Guards a stale report under the input tabs: after another file is loaded,
// or after a solve that failed, the tabs' Cancel showed the report of the
// data before, with an empty status line. It now leaves the start screen.
TEST_F(Results, CancelShowsNoReportOfOtherData) {
    for (bool failedSolve : {false, true}) {
        SCOPED_TRACE(failedSolve);
        script.fileNames = {SightsFile({kVega, kAltair})};
        w->Action("mnuAstroLoad")->trigger();
        Click("bthNumRes");
        ASSERT_TRUE(test::ReportBox(*w)->isVisible());
        script.Clear();  // two sights: the fix without a check is said
        Click("bthBackStarFix1");
        if (failedSolve) {
            Click("bthCorr");
            PutRow(2, test::Named<ObservationGrid>(&*w, "grdObs")->TextMatrix(1, 0), "VEGA",
                   test::Named<ObservationGrid>(&*w, "grdObs")->TextMatrix(1, 2),
                   test::Named<ObservationGrid>(&*w, "grdObs")->TextMatrix(1, 3));
            Click("bthNumRes");
            ASSERT_FALSE(script.messages.empty());
            EXPECT_EQ(script.messages[0].title, " Error when computing the true position");
        } else {
            script.fileNames = {QString(ORVEX_SOURCE_DIR) +
                                "/data/files/Observations/08Dec26A.obs"};
            w->Action("mnuAstroLoad")->trigger();
        }
        script.Clear();
        ASSERT_TRUE(test::TabSet(*w, "tabIn")->isVisible());
        QTest::mouseClick(
            test::Named<QPushButton>(
                &*w, QString("cmdCancel_%1").arg(test::TabSet(*w, "tabIn")->currentIndex())),
            Qt::LeftButton);
        EXPECT_FALSE(test::ReportBox(*w)->isVisible());
        EXPECT_FALSE(test::ChartBox(*w)->isVisible());
        EXPECT_TRUE(test::Named(&*w, "picStarFix")->isVisible());
        EXPECT_TRUE(test::Bar(*w, "tlhWorking")->isVisible());
    }
}

// Guards a two-sight fix read as a perfect one: the solver gives no
// precision for it and says so, and the ellipse, circle and deviations read
// "—", never 0.
TEST_F(Results, TwoSightsShowNoPrecision) {
    ASSERT_TRUE(Load(SightsFile({kVega, kAltair})));
    Click("bthNumRes");
    ASSERT_EQ(script.messages.size(), 1u) << script.LastText().toStdString();
    EXPECT_EQ(script.messages[0].title, "Position without a check");
    EXPECT_EQ(Panel("Ellipse"), "NS — EW —");
    EXPECT_EQ(Panel("Circle"), "R —");
    const QString r = Report();
    for (const char* line : {"NS ½ axe = — nautical miles", "EW ½ axe = — nautical miles",
                             "radius of — nautical miles"})
        EXPECT_TRUE(r.contains(line)) << line;
    EXPECT_EQ(r.count("± —"), 2);
    EXPECT_FALSE(r.contains("0.00 nautical")) << r.toStdString();
}

// Guards the report's dates written with English month names whatever the
// user's locale: a German navigator reads "Dez", as his system writes it,
// in the report and on the status line alike.
TEST(ReportDates, MonthNamesFollowTheLocale) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    test::ResultsWindow r;
    QLocale::setDefault(before);
    ASSERT_TRUE(r.Load(QString(ORVEX_SOURCE_DIR) + "/data/files/Observations/08Dec26A.obs"));
    r.Click("bthNumRes");
    ASSERT_TRUE(r.script.messages.empty()) << r.script.LastText().toStdString();
    EXPECT_TRUE(test::ReportBox(*r.w)->Text().contains("position on 8 Dez 2026 19:40:00 is"));
    EXPECT_FALSE(test::ReportBox(*r.w)->Text().contains(" Dec "));
    EXPECT_EQ(r.w->Status()->Panel("TimeTruePos")->text(), "8 Dez 2026 19:40:00");
}

// Guards "Data's not validated" answered Yes: the fix is for the times the
// pickers show, not for day 0 of the calendar (30 Dec 1899).
TEST(DefaultTimes, YesKeepsTheTimesShown) {
    test::InputWindow in(".");
    in.script.answers = {kAnswerYes};
    QTest::mouseClick(test::Named<QPushButton>(&*in.w, "cmdNextTabIn_0"), Qt::LeftButton);
    ASSERT_FALSE(in.script.messages.empty());
    EXPECT_EQ(in.script.messages[0].title, "Data's not validated");
    EXPECT_EQ(test::TabSet(*in.w, "tabIn")->currentIndex(), 1);
    const double shown = MakeDateTime(2026, 12, 9, 14, 0, 0);
    EXPECT_DOUBLE_EQ(in.w->State().TimeEstPos, shown);
    EXPECT_DOUBLE_EQ(in.w->State().TimeTruePos, shown);
}

}  // namespace
}  // namespace orvex
