// The program started from an installed tree: this executable is copied
// into the tree's bin/, beside orvex, and run from there (run_installed.cmake
// after `cmake --install`, scripts/test.sh after unpacking the Debian
// package). It finds the program's files as orvex does, from its own
// folder, and must read them from the tree: not from the sources nor the
// build folder.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QMimeDatabase>
#include <cmath>

#include "charts/print_lib.h"
#include "companions/splash.h"
#include "ephemeris/saturn_series.h"
#include "navlib/inout_lib.h"
#include "platform/rich_text_box.h"
#include "platform/user_files.h"
#include "tools/observations/sample_sights.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

QString Tree() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/..");
}

bool Inside(const QString& path, const QString& folder) {
    return QDir::cleanPath(path).startsWith(QDir::cleanPath(folder) + "/");
}

// Guards what the desktop is given: the observation folder seeded from the
// tree's samples, and the MIME type (first: the MIME database reads
// XDG_DATA_DIRS when it is first used) of the tree telling an observations
// file by its name and by its first line.
TEST(InstalledTree, SeedsTheUserFolderAndNamesItsFileType) {
    const QString share = Tree() + "/share/orvex";
    const QString user = ObservationsFolder(share);
    EXPECT_EQ(user, UserObservationsFolderPath());
    EXPECT_TRUE(QFile::exists(user + "/10Dec26A.obs"));

    qputenv("XDG_DATA_DIRS", (Tree() + "/share:/usr/share").toLocal8Bit());
    const QMimeDatabase db;
    EXPECT_EQ(db.mimeTypeForFile("/nowhere/a.obs", QMimeDatabase::MatchExtension).name(),
              "application/x-orvex-observations");
    QFile f(share + "/Observations/09Dec26A.obs");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(db.mimeTypeForData(bytes).name(), "application/x-orvex-observations");
    EXPECT_EQ(db.mimeTypeForData("\xef\xbb\xbf" + bytes).name(),
              "application/x-orvex-observations");
    EXPECT_EQ(db.mimeTypeForData(QByteArray("#NULL#\r\n") + bytes.mid(23)).name(),
              "application/x-orvex-observations");
    EXPECT_NE(db.mimeTypeForData(QByteArray("# a shell comment\n")).name(),
              "application/x-orvex-observations");
}

// Guards the installed start: the program folder is share/orvex of the
// tree the executable lies in (wherever the tree was moved), the documents
// and Planet.dat are read there, and the sample named on the command line
// gives its fix, Saturn's sight included.
TEST(InstalledTree, StartsFromItsOwnFilesAndComputesTheSampleFix) {
    const QString share = Tree() + "/share/orvex";
    ASSERT_EQ(QString::fromStdString(AppPath()), share)
        << "run this test from the bin/ folder of an installed tree";
    // Not the sources' data nor the build tree's program folder.
    for (const QString& elsewhere : {QString(ORVEX_SOURCE_DIR "/data"), QString(ORVEX_PROGRAM_DIR)})
        ASSERT_FALSE(Inside(share, elsewhere) || share == elsewhere) << elsewhere.toStdString();

    const samples::SampleScenario& sc = samples::SampleScenarios()[0];
    ASSERT_STREQ(sc.FileName, "08Dec26A.obs");
    const QString sample = share + "/Observations/08Dec26A.obs";
    test::FakeSettings settings;
    PlatformScript script;
    auto w = test::StartedWindow(settings, {sample});
    EXPECT_TRUE(w->Documents().Missing.isEmpty()) << w->Documents().Missing.join(' ').toStdString();
    EXPECT_TRUE(w->Documents().IntroLetterLoaded);
    EXPECT_EQ(QString::fromStdString(SaturnDataFilePath()), share + "/Planet.dat");

    ASSERT_EQ(w->State().Obs.ObsCount, static_cast<int>(sc.Sights.size()));
    ResetSaturnSeries();
    test::RunAction(*w, "bthNumRes");
    ASSERT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    const FixResult& f = w->State().Fix;
    EXPECT_NEAR(f.MppLat, sc.TruthLat, 0.1 / 60);
    EXPECT_NEAR(f.MppLong, sc.TruthLong, 0.1 / 60 / std::cos(sc.TruthLat * M_PI / 180));
    w->FillStatusPanels();
    const std::string& sep = w->State().DecSep;
    EXPECT_EQ(w->Status()->Panel("MPP")->text().toStdString(),
              FormatLatitude(f.MppLat, sep) + " " + FormatLongitude(f.MppLong, sep));
    EXPECT_EQ(FormatLatitude(f.MppLat) + " " + FormatLongitude(f.MppLong),
              "38°12'.4 N 031°47'.9 W");
    // The report is made from the installed template (the program folder
    // is the share folder, checked above).
    EXPECT_TRUE(test::ReportBox(*w)->Text().contains("Astronomic position by Orvex"));
}

// Guards the one version: the package's (ORVEX_PACKAGE_VERSION, major.
// minor.revision, read from the .deb by scripts/package_check.sh, or the
// project's by run_installed.cmake) is the program's. The About box shows
// major "." minor and the revision's first digit, the reports and prints
// end with "Orvex " major "." minor.
TEST(InstalledTree, ShowsThePackagesVersion) {
    const QStringList n = qEnvironmentVariable("ORVEX_PACKAGE_VERSION").split('.');
    ASSERT_EQ(n.size(), 3) << "ORVEX_PACKAGE_VERSION: major.minor.revision";
    test::FakeSettings settings;
    PlatformScript script;
    auto w = test::StartedWindow(settings);
    const QString shown = n[0] + "." + n[1] + n[2].left(1);
    EXPECT_EQ(QString::fromStdString(w->State().VersionText), shown);
    FrmSplash* about = w->Dialogs()->Splash();
    ASSERT_EQ(about->Tag(), "FromMenu");
    about->Form_Activate();
    const QLabel* splash = test::Named<QLabel>(about, "lblSplash");
    EXPECT_TRUE(splash->text().contains("program version " + shown + " "))
        << splash->text().toStdString();
    EXPECT_EQ(ProgramNameVersion(), "Orvex " + n[0] + "." + n[1]);
}

}  // namespace
}  // namespace orvex
