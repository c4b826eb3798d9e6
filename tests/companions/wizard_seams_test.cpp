// The star-fix wizard driven from the main window as a user drives it: keys
// typed into its fields, its buttons clicked, the live table ticked by hand
// (never waited for). The table is checked against ERFA.
#include <gtest/gtest.h>

#include <QPointer>
#include <QPushButton>
#include <cmath>

#include "companion_driver.h"
#include "erfa_places.h"
#include "navlib/number_format.h"
#include "navlib/twilight.h"
#include "tests/ephemeris/erfa_sun.h"
#include "workbench/frm_end.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

// Degrees and minutes from a cell such as "45°07'".
double CellDegrees(const QString& cell) {
    const int deg = cell.indexOf(QChar(0x00B0));
    const double d = cell.left(deg).toDouble();
    const double m = cell.mid(deg + 1, 2).toDouble();
    return d < 0 || cell.startsWith('-') ? d - m / 60.0 : d + m / 60.0;
}

// Guards the whole road of the wizard from the main window's menu: typed
// inputs reach the steps, the Next buttons lead to the live table, the
// Start button and a tick show places that agree with ERFA, and closing the
// window stops its clock and gives the menu back.
TEST(WizardTyped, FromTheMenuToTheLiveTable) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto main = test::StartedWindow(settings);
    auto clock = test::GiveClock(*main, test::ClockAt(MakeDateTime(2026, 3, 20, 14, 0, 0)));
    main->show();
    test::Trigger(main.get(), "mnuStarFixWizardStart");
    FrmStarFixWizard* w = test::WizardOf(main.get());
    ASSERT_NE(w, nullptr);
    test::Activate(w);
    EXPECT_FALSE(test::ActionEnabled(main.get(), "mnuStarFixWizard"));

    test::TypeInto(w, "mskLat", "45300n");
    test::TypeInto(w, "mskLong", "010150w");
    test::TypeInto(w, "mskHeightM", "120");
    ASSERT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    test::ClickOn(w, "cmdNav_3");
    ASSERT_EQ(test::WizardStep(w), 2) << script.LastText().toStdString();
    test::ClickOn(w, "optTime_1");  // sunset
    test::ClickOn(w, "cmdNav_3");
    ASSERT_EQ(test::WizardStep(w), 3);
    ASSERT_GT(test::OwnNamed<QListWidget>(w, "lstStars")->selectedItems().size(), 2);
    test::ClickOn(w, "cmdNav_3");
    ASSERT_EQ(test::WizardStep(w), 4);
    const int rows = test::StarRows(w);
    ASSERT_GT(rows, 2);

    const double evening = MakeDateTime(2026, 3, 20, 19, 31, 10);
    test::SetClock(*clock, evening);
    test::ClickOn(w, "bthStartTimer");
    clock->utcMs += 15000;
    test::Tick(w, "tmrRealTime");  // one tick, by hand
    const double when = evening + 15.0 / 86400.0;
    EXPECT_DOUBLE_EQ(test::TableTime(w), when);
    ASSERT_EQ(test::StarRows(w), rows);
    int stars = 0;
    for (int r = 1; r <= rows; ++r) {
        const std::string name = test::Cell(w, r, 0).trimmed().toStdString();
        const CatalogueEntry e = StarCatalogue(name);
        if (e.ra == 0.0 && e.dec == 0.0) continue;  // a planet
        ++stars;
        double az = 0, alt = 0;
        testing::ErfaStarAzAlt(e, when, 45.5, -10.25, az, alt);
        EXPECT_NEAR(std::remainder(test::Cell(w, r, 1).left(3).toDouble() - az, 360.0), 0.0, 0.51)
            << name;
        // The sextant reads the refracted altitude raised by the dip of 12 m.
        const double h = alt + 1.0 / std::tan((alt + 7.31 / (alt + 4.4)) * M_PI / 180.0) / 60.0 +
                         0.029283 * std::sqrt(12.0);
        EXPECT_NEAR(CellDegrees(test::Cell(w, r, 2)), h, 1.5 / 60.0) << name;
    }
    EXPECT_GT(stars, 1);

    // Closing the window stops the clock and gives the menu back.
    QPointer<QTimer> timer = test::OwnNamed<QTimer>(w, "tmrRealTime");
    ASSERT_TRUE(timer->isActive());
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(!timer || !timer->isActive());
    EXPECT_TRUE(test::ActionEnabled(main.get(), "mnuStarFixWizard"));
    EXPECT_FALSE(main->State().WizardOpen);
    EXPECT_EQ(test::WizardOf(main.get()), nullptr);
}

// Guards twilight times taken from another day or year and shown as found
// (66.5 N 150 W on 29 Apr 2026: the start of the morning sights on 16 Jan
// 2025), and a rise decided from the declination at 0 h (67 N 0 on 11 Dec
// 2026, where the Sun stays below the horizon: a "sunset" of 10 Dec). Typed
// in, every time the wizard shows is ERFA's on the day asked, or "—" where
// the Sun does not reach that altitude that day, and the stars are chosen
// for the time shown.
TEST(WizardTyped, TwilightOnTheDayAsked) {
    const struct {
        QString typed;
        double lat, lon, day;
    } cases[] = {{"29 Apr 2026\t66300N\t\t150000W\t\t100\t", 66.5, -150, 46141},
                 {"11 Dec 2026\t67000N\t\t000000E\t\t100\t", 67, 0, 46367}};
    for (const auto& c : cases) {
        PlatformScript script;
        CompanionLinks links;
        links.Clock = test::ClockAt(MakeDateTime(2026, 3, 20, 14, 0, 0));
        links.WizardClosed = [](bool) {};
        FrmStarFixWizard w(links);
        w.resize(640, 520);
        w.SetTag("FromMain");
        test::Activate(&w);
        // Back from the latitude past the date with Shift+Tab, into it by
        // Tab (its first section), then on from field to field by Tab.
        test::Click(test::OwnNamed(&w, "mskLat"), test::Place::LeftEnd);
        test::BackTab();
        test::BackTab();
        test::Tab();
        ASSERT_EQ(QApplication::focusWidget(), test::OwnNamed(&w, "dtpTime"));
        test::Type(c.typed);
        test::ClickOn(&w, "cmdNav_3");

        const double transit = testing::OracleTransit(c.day, c.lon);
        if (testing::OracleCrossing(transit, c.lat, c.lon, 0, -1) == 0 &&
            testing::OracleCrossing(transit, c.lat, c.lon, 0, 1) == 0) {
            ASSERT_EQ(script.messages.size(), 1u);
            EXPECT_EQ(script.messages[0].title, "No rise/set times");
            EXPECT_EQ(test::WizardStep(&w), 1);
            continue;
        }
        ASSERT_EQ(test::WizardStep(&w), 2) << script.LastText().toStdString();
        const double visible = VisibleSunriseAltitude(10.0, testing::SunFromErfa(c.day).dist);
        const double targets[] = {-9, -3, visible, 0, 0, visible, -3, -9};
        for (int i = 0; i < 9; ++i) {
            const QString shown = test::Shown(&w, QString("lblTimes_%1").arg(i));
            const double t =
                i == 4 ? transit
                       : testing::OracleCrossing(transit, c.lat, c.lon, targets[i < 4 ? i : i - 1],
                                                 i < 4 ? -1 : 1);
            if (t == 0) {
                EXPECT_EQ(shown, QString("—")) << i;
                continue;
            }
            QStringList near;
            for (int m : {-1, 0, 1})
                near << QString::fromStdString(FormatDateTime(t + m / 1440.0, "d mmm yyyy hh:mm"));
            EXPECT_TRUE(near.contains(shown))
                << i << " " << shown.toStdString() << " for " << near[1].toStdString();
        }
        // The Sun not reaching 9 degrees below is told once, plainly.
        ASSERT_EQ(script.messages.size(), 1u) << script.LastText().toStdString();
        EXPECT_EQ(script.messages[0].title, "Twilight");
        test::ClickOn(&w, "optTime_1");
        test::ClickOn(&w, "cmdNav_3");
        ASSERT_EQ(test::WizardStep(&w), 3);
        EXPECT_EQ(test::Shown(&w, "lblStep_2"), "Select the stars you want to observe from " +
                                                    test::Shown(&w, "lblTimes_7") + ".");
    }
}

// Guards quitting with the companions up: the azimuth tool with a "What is
// up ?" window and a ticking wizard all close with a "Yes", no window of
// the program stays, no clock keeps running; a "No" keeps them all.
TEST(WizardTyped, QuitClosesTheCompanions) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto main = test::StartedWindow(settings);
    test::GiveClock(*main, test::ClockAt(MakeDateTime(2026, 3, 20, 19, 31, 10)));
    test::Activate(main.get());

    test::Trigger(main.get(), "mnuAziGo");
    FrmAzimuth* azi = test::AzimuthToolOf(main.get());
    ASSERT_NE(azi, nullptr);
    test::Activate(azi);
    test::TypeInto(azi, "mskLat", "45300n");
    test::TypeInto(azi, "mskLong", "010150w");
    test::ClickOn(azi, "cmdWhatIsUp");
    QPointer<FrmStarFixWizard> up = test::WizardOf(azi);
    ASSERT_NE(up, nullptr) << script.LastText().toStdString();
    EXPECT_GT(test::StarRows(up), 10);
    // Each of its stars where ERFA puts it at the tool's time.
    const double when = test::TableTime(up);
    for (int r = 1; r <= test::StarRows(up); ++r) {
        const CatalogueEntry e = StarCatalogue(test::Cell(up, r, 0).trimmed().toStdString());
        if (e.ra == 0.0 && e.dec == 0.0) continue;
        double az = 0, alt = 0;
        testing::ErfaStarAzAlt(e, when, 45.5, -10.25, az, alt);
        EXPECT_NEAR(std::remainder(test::Cell(up, r, 1).left(3).toDouble() - az, 360.0), 0.0, 0.51)
            << test::Cell(up, r, 0).toStdString();
    }

    // The tool's End gives the main window back; then the wizard, ticking.
    test::ClickOn(azi, "cmdEnd");
    test::Trigger(main.get(), "mnuStarFixWizardStart");
    QPointer<FrmStarFixWizard> wiz = test::WizardOf(main.get());
    ASSERT_NE(wiz, nullptr);
    QPointer<QTimer> tick = test::OwnNamed<QTimer>(wiz, "tmrRealTime");
    tick->start();

    // The quit question answered by its buttons.
    const auto answer = [&](const char* button) {
        script.dialogHandler = [button](QDialog& d) {
            if (qobject_cast<FrmEnd*>(&d)) test::Named<QPushButton>(&d, button)->click();
            return int(QDialog::Accepted);
        };
    };
    answer("cmdNo");
    test::Trigger(main.get(), "mnuFileQuit");
    EXPECT_TRUE(main->isVisible());
    ASSERT_FALSE(wiz.isNull());
    EXPECT_TRUE(tick->isActive());

    answer("cmdYes");
    test::Trigger(main.get(), "mnuFileQuit");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(main->Unloaded());
    EXPECT_TRUE(wiz.isNull());
    EXPECT_TRUE(tick.isNull() || !tick->isActive());
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top == main.get()) continue;
        EXPECT_FALSE(top->isVisible()) << top->objectName().toStdString();
    }
    EXPECT_FALSE(settings.writes.empty());
}

}  // namespace
}  // namespace orvex
