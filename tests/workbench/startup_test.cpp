// Start-up of the main window: the stored geometry, the splash, the list
// initialisation with either decimal separator, the documents and the
// command-line file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <cmath>

#include "companions/splash.h"
#include "inputs/main_lists.h"
#include "workbench/masked_input.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

double ScreenTwipsPerPixel() {
    const QScreen* s = QGuiApplication::primaryScreen();
    return 1440.0 / s->logicalDotsPerInchX();
}

// First run: no key in the store gives 95 % x 94 % of the screen, centred,
// a quarter of the spare height above.
TEST(StartUp, MissingGeometryGivesTheDefaults) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto w = test::StartedWindow(settings);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    // On a small screen the window's minimum size wins.
    EXPECT_NEAR(w->width(), std::max<double>(w->minimumWidth(), screen.width() * 0.95), 1.0);
    EXPECT_NEAR(w->height(), std::max<double>(w->minimumHeight(), screen.height() * 0.94), 1.0);
    EXPECT_NEAR(w->x(), screen.width() * 0.05 / 2.0, 1.0);
    EXPECT_NEAR(w->y(), screen.height() * 0.06 / 4.0, 1.0);
    EXPECT_TRUE(settings.writes.empty());  // start-up only reads
}

// Guards a FIFO as the settings file, which held the start for ever in the
// store's open call: the window starts with its default geometry through
// the real store and, when unloaded, leaves the FIFO as it was.
TEST(StartUp, SettingsFileThatIsAFifo) {
    test::ProgramFolder folder;
    QTemporaryDir config;
    ASSERT_TRUE(QDir(config.path()).mkdir("Orvex"));
    const QByteArray fifo = QFile::encodeName(config.filePath("Orvex/Orvex.conf"));
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    const bool hadHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    const QByteArray oldHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    {
        PlatformScript script;
        FrmWorking w;  // the program's own settings store
        w.Form_Load({});
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        EXPECT_NEAR(w.width(), std::max<double>(w.minimumWidth(), screen.width() * 0.95), 1.0);
        w.Form_Unload();
    }
    if (hadHome)
        qputenv("XDG_CONFIG_HOME", oldHome);
    else
        qunsetenv("XDG_CONFIG_HOME");
    struct stat st {};
    ASSERT_EQ(lstat(fifo.constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

// Stored values that fit the screen are used as stored (also partly off the
// screen); an unreadable or non-positive value falls back to its own default
// only.
TEST(StartUp, StoredAndUnreadableGeometry) {
    test::ProgramFolder folder;
    const double tpp = ScreenTwipsPerPixel();
    {
        test::FakeSettings settings;
        settings.values = {{"MainWidth", std::to_string(800 * tpp)},
                           {"MainHeight", std::to_string(640 * tpp)},
                           {"MainLeft", std::to_string(-50 * tpp)},
                           {"MainTop", std::to_string(30 * tpp)}};
        PlatformScript script;
        auto w = test::StartedWindow(settings);
        EXPECT_EQ(w->width(), 800);
        EXPECT_EQ(w->height(), 640);
        EXPECT_EQ(w->x(), -50);
        EXPECT_EQ(w->y(), 30);
    }
    {
        test::FakeSettings settings;
        settings.values = {
            {"MainWidth", "abc"}, {"MainHeight", "0"}, {"MainLeft", ""}, {"MainTop", "1,2,3"}};
        PlatformScript script;
        auto w = test::StartedWindow(settings);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        EXPECT_NEAR(w->width(), std::max<double>(w->minimumWidth(), screen.width() * 0.95), 1.0);
        EXPECT_NEAR(w->height(), std::max<double>(w->minimumHeight(), screen.height() * 0.94), 1.0);
        EXPECT_NEAR(w->x(), screen.width() * 0.05 / 2.0, 1.0);  // default of the empty text
        EXPECT_NEAR(w->y(), screen.height() * 0.06 / 4.0, 1.0);
        EXPECT_TRUE(script.messages.empty());  // a damaged store is no error
    }
}

// A width past the single-precision range once reached the pixel rounding
// as infinity, and a left edge far to the right put the window where nobody
// could see it: the absurd value falls back to its default, and the window
// is brought back onto the screen.
TEST(StartUp, AbsurdOrOffScreenGeometry) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    settings.values = {{"MainWidth", "1e39"},
                       {"MainLeft", "60000"},
                       {"MainHeight", "9000"},
                       {"MainTop", "30000000"}};
    PlatformScript script;
    auto w = test::StartedWindow(settings);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_NEAR(w->width(), std::max<double>(w->minimumWidth(), screen.width() * 0.95), 1.0);
    EXPECT_EQ(w->height(), std::max(w->minimumHeight(), std::min(600, screen.height())));
    EXPECT_TRUE(screen.contains(QPoint(w->x() + 10, w->y() + 10))) << w->x() << "," << w->y();
    EXPECT_TRUE(script.messages.empty());

    // Larger than any screen, its title bar far above: made to fit and moved
    // onto the screen.
    settings.values = {{"MainWidth", "990000"},
                       {"MainLeft", "0"},
                       {"MainHeight", "990000"},
                       {"MainTop", "-980000"}};
    auto big = test::StartedWindow(settings);
    EXPECT_LE(big->width(), std::max(big->minimumWidth(), screen.width()));
    EXPECT_LE(big->height(), std::max(big->minimumHeight(), screen.height()));
    EXPECT_TRUE(screen.contains(big->pos())) << big->x() << "," << big->y();
}

// The splash is the first modal window; it is left as the about box.
TEST(StartUp, SplashFirstThenLists) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    bool listsFilledDuringSplash = true;
    FrmWorking* seen = nullptr;
    script.dialogHandler = [&](QDialog& d) {
        auto* splash = qobject_cast<FrmSplash*>(&d);
        if (splash) {
            seen = qobject_cast<FrmWorking*>(splash->parentWidget());
            listsFilledDuringSplash = seen && seen->cboEllipsoid->count() > 0;
            EXPECT_EQ(splash->Tag(), "FromStart");
            splash->CloseStep();
        }
        return int(QDialog::Rejected);
    };
    auto w = test::StartedWindow(settings);
    ASSERT_EQ(script.dialogs.size(), 1u);
    EXPECT_EQ(script.dialogs[0], "frmSplash");
    EXPECT_EQ(seen, w.get());
    EXPECT_FALSE(listsFilledDuringSplash);  // the lists wait for the splash
    EXPECT_EQ(w->Dialogs()->Splash()->Tag(), "FromMenu");
    EXPECT_EQ(w->State().VersionText, "1.21");
    EXPECT_FALSE(w->Dialogs()->Splash()->tmrSplash->isActive());
}

// After start: WGS 1984, both zones GMT, ACAMAR, 0.95, full routine, ETA to
// the second; the body lists equal.
TEST(InitMainWindow, StateAndListsAfterStart) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto w = test::StartedWindow(settings);
    const WorkbenchState& s = w->State();
    EXPECT_EQ(s.E.InvFlattening, 298.257223560493);
    EXPECT_EQ(s.E.SemiMajorAxis, 6378137.0 / 1852.0);
    EXPECT_EQ(w->cboEllipsoid->count(), 20);
    EXPECT_EQ(w->cboEllipsoid->currentIndex(), 19);
    EXPECT_EQ(w->cboEllipsoid->currentText(), test::Shown("WGS 1984 - 1/298.257223560493"));
    EXPECT_EQ(test::UtilitiesControl<QLabel>(*w, "lblDistance_1")->text(), "[ nautical miles ]");
    for (int i = 0; i < 2; ++i) {
        auto* zones = test::UtilitiesControl<QComboBox>(*w, QString("cboGMT_%1").arg(i));
        EXPECT_EQ(zones->count(), 40);
        EXPECT_EQ(zones->currentText(), "GMT");
        EXPECT_EQ(s.Utilities.GMTZone[i], 0.0);
    }
    EXPECT_EQ(w->InputPage()->cboBody->count(), 66);
    EXPECT_EQ(w->InputPage()->cboBody->currentText(), "ACAMAR");
    ASSERT_EQ(s.BodyNames.size(), 66u);
    EXPECT_EQ(s.BodyList, s.BodyNames);
    EXPECT_EQ(s.Proba, 0.95);
    EXPECT_TRUE(s.FullRoutine);
    EXPECT_FALSE(s.OneEstPos);
    EXPECT_FALSE(s.Utilities.RLShown);
    EXPECT_FALSE(s.WizardOpen);
    EXPECT_EQ(s.Utilities.EtaRound, 86400);
    EXPECT_EQ(s.AppPath, folder.Path().toStdString());
    EXPECT_TRUE(w->Documents().Missing.isEmpty());
    EXPECT_TRUE(script.messages.empty());
}

// Every row chosen in the window's own list gives its Earth model, its name
// and the distance unit; the sphere switches to geographical miles.
TEST(InitMainWindow, EveryEllipsoidRowThroughTheList) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto w = test::StartedWindow(settings);
    w->tabUtil->setVisible(true);  // a choice recomputes only the page on show
    auto* unit = test::UtilitiesControl<QLabel>(*w, "lblDistance_1");
    auto* name = test::UtilitiesControl<QLabel>(*w, "lblChoosenEllipsoid_1");
    for (int row = 0; row < 20; ++row) {
        w->cboEllipsoid->setCurrentIndex(row);
        const EllipsoidRow& r = EllipsoidRows()[row];
        const EarthModel& e = w->State().E;
        EXPECT_TRUE(w->cboEllipsoid->currentText().startsWith(name->text() + " - "))
            << name->text().toStdString();
        EXPECT_DOUBLE_EQ(e.SemiMajorAxis, (r.ItemData / 10000.0 + 6300000.0) / 1852.0);
        if (row == kSphereEllipsoidRow) {
            EXPECT_EQ(e.InvFlattening, 1e100);
            EXPECT_NEAR(e.SemiMajorAxis, 3437.7467705, 5e-8);
            EXPECT_EQ(unit->text(), "[ geographical miles ]");
        } else {
            EXPECT_GT(e.InvFlattening, 293.0);
            EXPECT_LT(e.InvFlattening, 301.0);
            EXPECT_EQ(unit->text(), "[ nautical miles ]");
        }
    }
    // A time zone: "GMT +05 3/4" is 5.75 hours east.
    test::UtilitiesControl<QComboBox>(*w, "cboGMT_1")->setCurrentIndex(15);
    EXPECT_EQ(w->State().Utilities.GMTZone[1], 5.75);
    EXPECT_EQ(w->State().Utilities.GMTZone[0], 0.0);
}

// A comma locale puts its comma into every separator mask and ellipsoid
// text, and WGS 1984 still reads back exactly.
TEST(InitMainWindow, MasksAndListsWithEitherSeparator) {
    for (const auto& [locale, sep] :
         {std::pair{QLocale::c(), std::string(".")},
          std::pair{QLocale(QLocale::German, QLocale::Germany), std::string(",")}}) {
        const QLocale before;
        QLocale::setDefault(locale);
        test::ProgramFolder folder;
        test::FakeSettings settings;
        PlatformScript script;
        auto w = test::StartedWindow(settings);
        QLocale::setDefault(before);
        EXPECT_EQ(w->State().DecSep, sep);
        for (int i : {0, 1, 2, 3, 5}) {
            EXPECT_EQ(FieldMask(w->MaskField("mskLat", i)), "9#°##'" + sep + "# ?");
            EXPECT_EQ(FieldMask(w->MaskField("mskLong", i)), "99#°##'" + sep + "# ?");
        }
        EXPECT_EQ(FieldMask(w->MaskField("mskLat", 4)), "9#°##'");
        EXPECT_EQ(FieldMask(w->MaskField("mskLong", 4)), "9#°#0'");
        EXPECT_EQ(FieldMask(w->MaskField("mskSpeed", -1)), "###" + sep + "#");
        EXPECT_EQ(FieldMask(w->MaskField("mskHeightInst", -1)), "9#°##'" + sep + "#");
        EXPECT_EQ(FieldMask(w->InputPage()->mskInstErr[1]), "+9#" + sep + "##");
        EXPECT_EQ(FieldMask(w->MaskField("mskPress_mBars", -1)), "####");
        EXPECT_EQ(FieldMask(w->InputPage()->mskTempCelcius[0]), "&&#");
        // The blank template the field shows.
        EXPECT_EQ(w->InputPage()->mskLat5->text().toStdString(), "__°__'" + sep + "_ _");
        EXPECT_EQ(w->cboEllipsoid->currentText().toStdString(),
                  "WGS 1984 - 1/298" + sep + "257223560493");
        EXPECT_EQ(w->State().E.InvFlattening, 298.257223560493);
    }
}

// A missing document is named once; the program starts and the about box
// refuses with a message instead of showing an empty window.
TEST(InitMainWindow, MissingDocumentsNamedOnceAndCommandsRefuse) {
    test::ProgramFolder folder(false);
    folder.Write("NumResults.rtf", "{\\rtf1 report}");
    folder.Write("CalcWP.rtf", "{\\rtf1 gc}");
    test::FakeSettings settings;
    PlatformScript script;
    auto w = test::StartedWindow(settings);
    EXPECT_EQ(w->Documents().Missing, QStringList({"InfoProg.rtf", "IntroLetter.rtf"}));
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(script.messages[0].text.contains("InfoProg.rtf"));
    EXPECT_TRUE(script.messages[0].text.contains("IntroLetter.rtf"));
    EXPECT_EQ(w->cboEllipsoid->count(), 20);  // start-up went on
    script.Clear();
    w->mnuHelpAbout_Click();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(script.messages[0].text.contains("InfoProg.rtf"));
    EXPECT_EQ(script.dialogs.size(), 0u);
    w->mnuHelpIntro_Click();
    EXPECT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(script.dialogs.size(), 0u);
}

// Guards a document that is there but cannot be read (here a folder in its
// place) being reported as not found: the start names it as unreadable.
TEST(InitMainWindow, UnreadableDocumentIsNamedSo) {
    test::ProgramFolder folder;
    ASSERT_TRUE(QFile::remove(folder.Path() + "/CalcWP.rtf"));
    ASSERT_TRUE(QDir().mkdir(folder.Path() + "/CalcWP.rtf"));
    test::FakeSettings settings;
    PlatformScript script;
    auto w = test::StartedWindow(settings);
    EXPECT_EQ(w->Documents().Missing, QStringList{"CalcWP.rtf"});
    ASSERT_EQ(script.messages.size(), 1u);
    const QString& text = script.messages[0].text;
    EXPECT_TRUE(text.contains("are there but could not be read:\r\nCalcWP.rtf\r\n"))
        << text.toStdString();
    EXPECT_FALSE(text.contains("not found")) << text.toStdString();
}

// A file on the command line opens the star-fix page and is remembered,
// cleaned, for the loader; quotes and control characters alone still open
// the page (the loader then asks for a file).
TEST(StartUp, CommandLineFileOpensTheStarFixPage) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    int loads = 0;
    auto w = std::make_unique<FrmWorking>();
    w->SetSettings(settings.Store());
    w->onLoadObservations = [&] { ++loads; };
    w->Form_Load({"\"/data/My Sights/evening.obs\""});
    EXPECT_EQ(w->State().CommandLineFile, "/data/My Sights/evening.obs");
    EXPECT_EQ(loads, 1);
    EXPECT_FALSE(w->tabIn->isHidden());
    EXPECT_FALSE(w->tlhStarfix->isHidden());
    EXPECT_TRUE(w->tlhWorking->isHidden());

    auto v = std::make_unique<FrmWorking>();
    v->SetSettings(settings.Store());
    v->onLoadObservations = [&] { ++loads; };
    v->Form_Load({"\"\t\""});
    EXPECT_EQ(v->State().CommandLineFile, "");
    EXPECT_EQ(loads, 2);
    EXPECT_FALSE(v->tabIn->isHidden());

    auto u = std::make_unique<FrmWorking>();
    u->SetSettings(settings.Store());
    u->onLoadObservations = [&] { ++loads; };
    u->Form_Load({});
    EXPECT_EQ(loads, 2);  // no file, no page
    EXPECT_TRUE(u->tabIn->isHidden());
    EXPECT_EQ(u->HelpFilePath(), folder.Path() + "/help/index.html");
}

}  // namespace
}  // namespace orvex
