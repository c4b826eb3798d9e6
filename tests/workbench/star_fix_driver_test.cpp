// The star-fix driver's refusals, told exactly as the navigator sees them,
// and the status line it leads to.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>

#include "grid_test_support.h"
#include "navlib/number_format.h"
#include "tools/observations/sample_sights.h"
#include "workbench/options_page.h"

namespace orvex {
namespace {

struct Driver : ::testing::Test, test::GridWindow {};

// Guards the flag check: each of the eight inputs alone stops the fix, with
// the warning's exact title, text and icon, before the grid is read.
TEST_F(Driver, EveryMissingInputStopsTheFix) {
    PutRow(1, "8 Dec 2026 18:00:00", "SIRIUS", "20°00'.0", "+00.00");
    PutRow(2, "8 Dec 2026 18:05:00", "VEGA", "30°00'.0", "+00.00");
    for (int missing = 1; missing <= 8; ++missing) {
        EnterEverything();
        w->State().FixEntered[missing] = false;
        script.Clear();
        EXPECT_FALSE(test::RunFix(*w)) << missing;
        ASSERT_EQ(script.messages.size(), 1u) << missing;
        EXPECT_EQ(script.messages[0].style, kIconExclamation + kButtonsOk);
        EXPECT_EQ(script.messages[0].title, "Missing data");
        EXPECT_EQ(script.messages[0].text,
                  "Some data are missing.\r\nPlease check that the whole input form is completed.");
    }
    EXPECT_EQ(w->State().Obs.ObsCount, 0);  // the grid was never read
}

// Guards the grid refusals reaching the driver: an empty grid, a row 1
// without time, and one complete sight.
TEST_F(Driver, GridRefusalsAndTooFewSights) {
    EnterEverything();
    EXPECT_FALSE(test::RunFix(*w));
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, " Error in input data");
    EXPECT_EQ(script.messages[0].text, "Please fill the grid with the observations.");
    EXPECT_EQ(script.messages[0].style, kIconExclamation + kButtonsOk);

    // One sight (row 2 empty): the solver's own refusal, the grid unsorted.
    PutRow(1, "8 Dec 2026 18:10:00", "SIRIUS", "20°00'.0", "+00.00");
    script.Clear();
    EXPECT_FALSE(test::RunFix(*w));
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].style, kIconCritical + kButtonsOk);
    EXPECT_EQ(script.messages[0].title, " Error when computing the true position");
    EXPECT_EQ(script.messages[0].text,
              "You must enter at least 2 observations in order\r\nto get a star fix.");
    EXPECT_EQ(w->State().Obs.ObsCount, 1);
}

// Guards step 2: a fix that corrected course and speed (four unknowns) must
// not hand the corrected values to the next fix, which starts again from the
// entered ones: the run estimated position and the fix are the same twice.
TEST_F(Driver, SecondFixStartsFromTheEnteredCourseAndSpeed) {
    QFile::copy(QString(ORVEX_PROGRAM_DIR) + "/Planet.dat", folder.Path() + "/Planet.dat");
    // Ten sights over six and a half hours; the ship really made 262 deg at
    // 7 kn, the navigator entered 250 deg at 9 kn.
    samples::SampleScenario sc = samples::SampleScenarios()[1];
    sc.Sights = {{"SUNLOW", 0},    {"VENUS", 25},   {"MOONLOW", 55},  {"SUNLOW", 95},
                 {"MOONUPP", 140}, {"SUNLOW", 180}, {"MOONLOW", 240}, {"SUNUPP", 300},
                 {"SUNLOW", 350},  {"SUNLOW", 390}};
    ObservationFileData d = samples::SampleFile(sc);
    d.CourseInput = 250;
    d.SpeedInput = 9;
    QFile f(folder.Path() + "/full.obs");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray::fromStdString(WriteObservationFile(d)));
    f.close();
    script.fileNames = {f.fileName()};
    w->Action("mnuAstroLoad")->trigger();
    ASSERT_TRUE(test::RunFix(*w));
    const WorkbenchState& s = w->State();
    ASSERT_EQ(s.Fix.UnknownCount, 4);
    EXPECT_NEAR(s.Course, 262.0, 1.0);
    EXPECT_NEAR(s.Speed, 7.0, 0.3);
    EXPECT_EQ(s.Course, s.Fix.Course);
    const double runLat = s.Obs.ObsLat(0), runLong = s.Obs.ObsLong(0);
    const double mppLat = s.Fix.MppLat, mppLong = s.Fix.MppLong;
    test::RunAction(*w, "bthBackStarFix2");
    test::RunAction(*w, "bthCorr");
    ASSERT_TRUE(test::RunFix(*w));
    EXPECT_EQ(s.Obs.ObsLat(0), runLat);
    EXPECT_EQ(s.Obs.ObsLong(0), runLong);
    EXPECT_EQ(s.Fix.MppLat, mppLat);
    EXPECT_EQ(s.Fix.MppLong, mppLong);
    EXPECT_EQ(s.CourseInput, 250.0);
    w->FillStatusPanels();
    EXPECT_EQ(w->Status()->Panel("Full")->text(), "Full");
    EXPECT_EQ(w->Status()->Panel("Course")->text().toStdString(),
              FormatNumber(s.Course, "000°.0", test::ShownSep()));
}

// Guards every panel of the status line, in its exact form, and the mode
// text's order of rules.
TEST_F(Driver, StatusPanels) {
    WorkbenchState& s = w->State();
    s.TimeTruePos = MakeDateTime(2026, 12, 8, 19, 40, 5);
    s.Proba = 0.95;
    s.Course = 7.25;
    s.Speed = 12.34;
    FixResult& f = s.Fix;
    f.MppLat = 38.0 + 12.4 / 60;
    f.MppLong = -(31.0 + 47.9 / 60);
    f.StdDev = Vector(2);
    f.StdDev(1) = f.StdDev(2) = 0.005;
    f.EllipseNS = 0.0125;
    f.EllipseEW = 0.5;  // degrees of longitude: 23.57 miles at 38°12'.4 N
    f.CircleRadius = 0.0125;
    f.IterCount = 7;
    f.SystErr = -1.26;
    f.UnknownCount = 2;
    f.GoodObsCount = 8;
    s.Obs.Resize(10);
    s.FullRoutine = true;
    w->Status()->SetSimple(true);
    w->FillStatusPanels();
    EXPECT_FALSE(w->Status()->Simple());
    auto panel = [&](const char* k) { return w->Status()->Panel(k)->text(); };
    EXPECT_EQ(panel("TimeTruePos"), test::Shown("8 Dec 2026 19:40:05"));
    EXPECT_EQ(panel("MPP"), test::Shown("38°12'.4 N 031°47'.9 W"));
    EXPECT_EQ(panel("Proba"), test::Shown("95.0 %"));
    EXPECT_EQ(panel("Ellipse"), test::Shown("NS 0'.75 EW 23'.57"));
    EXPECT_EQ(panel("Circle"), test::Shown("R 0'.75"));
    EXPECT_EQ(panel("Course"), test::Shown("007°.3"));
    EXPECT_EQ(panel("Speed"), test::Shown("12'.3"));
    EXPECT_EQ(panel("Full"), "Trunc. Not enough time spread.");
    EXPECT_EQ(panel("Iter"), "Iter 7");
    EXPECT_EQ(panel("SystErr"), "");  // the box is not ticked
    f.GoodObsCount = 7;
    w->FillStatusPanels();
    EXPECT_EQ(panel("Full"), "Trunc. Not enough good obs.");
    s.Obs.Resize(7);
    w->FillStatusPanels();
    EXPECT_EQ(panel("Full"), "Trunc. Not enough obs.");
    s.FullRoutine = false;
    w->FillStatusPanels();
    EXPECT_EQ(panel("Full"), "Trunc. User preference.");
    f.UnknownCount = 4;
    w->FillStatusPanels();
    EXPECT_EQ(panel("Full"), "Full");
    ASSERT_NE(test::Named<QCheckBox>(&*w, "ch3FindSystErr"), nullptr);
    test::Named<QCheckBox>(&*w, "ch3FindSystErr")->setChecked(true);
    w->FillStatusPanels();
    EXPECT_EQ(panel("SystErr"), test::Shown("Err -1'.3"));
    // The user's decimal separator throughout.
    s.DecSep = ",";
    w->FillStatusPanels();
    EXPECT_EQ(panel("Proba"), "95,0 %");
    EXPECT_EQ(panel("MPP"), "38°12',4 N 031°47',9 W");
}

}  // namespace
}  // namespace orvex

namespace orvex {
namespace {

// Pictures of a whole fix from a sample file: the numeric page with its
// status line, and the chart.
TEST(DriverPictures, FixFromASampleFile) {
    test::ProgramFolder folder;
    for (const char* name : {"NumResults.rtf", "CalcWP.rtf", "Planet.dat"}) {
        QFile::remove(folder.Path() + "/" + name);
        QFile::copy(QString(ORVEX_PROGRAM_DIR) + "/" + name, folder.Path() + "/" + name);
    }
    test::FakeSettings settings;
    PlatformScript script;
    test::FastPauses pauses;
    auto w = test::StartedWindow(settings);
    w->resize(1100, 760);
    w->show();
    w->Action("mnuAstroEnter")->trigger();
    script.fileNames = {QString(ORVEX_SOURCE_DIR) + "/data/files/Observations/08Dec26A.obs"};
    w->Action("mnuAstroLoad")->trigger();
    script.Clear();
    w->Action("mnuAstroNumDisp")->trigger();
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    EXPECT_FALSE(w->Status()->Simple());
    EXPECT_EQ(w->Status()->Panel("MPP")->text(), test::Shown("38°12'.4 N 031°47'.9 W"));
    EXPECT_EQ(w->Status()->Panel("Full")->text(), "Trunc. Not enough obs.");
    QApplication::processEvents();
    EXPECT_TRUE(w->grab().save(test::TestOutputFolder() + "/star_fix_numeric_from_sample.png"));
    w->Action("mnuAstroGraphDisp")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(w->grab().save(test::TestOutputFolder() + "/star_fix_chart_from_sample.png"));
}

}  // namespace
}  // namespace orvex
