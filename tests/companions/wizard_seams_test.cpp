// The star-fix wizard driven from the main window as a user drives it: keys
// typed into its fields, its buttons clicked, the live table ticked by hand
// (never waited for). The table is checked against ERFA.
#include <gtest/gtest.h>

#include <QAction>
#include <QDateTimeEdit>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <cmath>

#include "companions/frm_star_fix_wizard.h"
#include "erfa_places.h"
#include "navlib/date_time.h"
#include "navlib/number_format.h"
#include "navlib/twilight.h"
#include "platform/masked_field.h"
#include "platform/pc_clock.h"
#include "tests/ephemeris/erfa_sun.h"
#include "tests/keyboard.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

constexpr double kUnixEpochDays = 25569.0;  // 1970-01-01 in days since 1899-12-30

std::int64_t UnixMs(double ut) {
    return static_cast<std::int64_t>(std::llround((ut - kUnixEpochDays) * 86400000.0));
}

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
    const double start = MakeDateTime(2026, 3, 20, 14, 0, 0);
    auto clock = std::make_shared<ManualSystemClock>();
    clock->utcMs = UnixMs(start);
    main->Companions()->Clock = clock;
    main->show();
    main->Action("mnuStarFixWizardStart")->trigger();
    FrmStarFixWizard* w = main->Companions()->StarFixWizard();
    ASSERT_NE(w, nullptr);
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    EXPECT_FALSE(main->Action("mnuStarFixWizard")->isEnabled());

    auto type = [](MaskedField* f, const QString& keys) {
        f->setFocus(Qt::TabFocusReason);
        f->SetMaskedText(QString());
        f->setCursorPosition(0);
        test::Type(keys);
        test::Tab();
    };
    type(w->mskLat, "45300n");
    type(w->mskLong, "010150w");
    type(w->mskHeightM, "120");
    ASSERT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    QTest::mouseClick(w->cmdNav[3], Qt::LeftButton);
    ASSERT_EQ(w->WizStep(), 2) << script.LastText().toStdString();
    QTest::mouseClick(w->optTime[1], Qt::LeftButton);  // sunset
    QTest::mouseClick(w->cmdNav[3], Qt::LeftButton);
    ASSERT_EQ(w->WizStep(), 3);
    ASSERT_GT(w->lstStars->selectedItems().size(), 2);
    QTest::mouseClick(w->cmdNav[3], Qt::LeftButton);
    ASSERT_EQ(w->WizStep(), 4);
    const int rows = w->WizRowCount();
    ASSERT_GT(rows, 2);

    const double evening = MakeDateTime(2026, 3, 20, 19, 31, 10);
    clock->utcMs = UnixMs(evening);
    QTest::mouseClick(w->bthStartTimer, Qt::LeftButton);
    ASSERT_TRUE(w->tmrRealTime->isActive());
    clock->utcMs += 15000;
    w->tmrRealTime_Timer();  // one tick, by hand
    const double when = evening + 15.0 / 86400.0;
    EXPECT_DOUBLE_EQ(w->RealTime(), when);
    ASSERT_EQ(w->WizRowCount(), rows);
    int stars = 0;
    for (int r = 1; r <= rows; ++r) {
        const std::string name = w->Cell(r, 0).trimmed().toStdString();
        const CatalogueEntry e = StarCatalogue(name);
        if (e.ra == 0.0 && e.dec == 0.0) continue;  // a planet
        ++stars;
        double az = 0, alt = 0;
        testing::ErfaStarAzAlt(e, when, 45.5, -10.25, az, alt);
        EXPECT_NEAR(std::remainder(w->Cell(r, 1).left(3).toDouble() - az, 360.0), 0.0, 0.51)
            << name;
        // The sextant reads the refracted altitude raised by the dip of 12 m.
        const double h = alt + 1.0 / std::tan((alt + 7.31 / (alt + 4.4)) * M_PI / 180.0) / 60.0 +
                         0.029283 * std::sqrt(12.0);
        EXPECT_NEAR(CellDegrees(w->Cell(r, 2)), h, 1.5 / 60.0) << name;
    }
    EXPECT_GT(stars, 1);

    // Closing the window stops the clock and gives the menu back.
    QPointer<QTimer> timer = w->tmrRealTime;
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(!timer || !timer->isActive());
    EXPECT_TRUE(main->Action("mnuStarFixWizard")->isEnabled());
    EXPECT_FALSE(main->State().WizardOpen);
    EXPECT_EQ(main->Companions()->StarFixWizard(), nullptr);
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
        auto clock = std::make_shared<ManualSystemClock>();
        clock->utcMs = UnixMs(MakeDateTime(2026, 3, 20, 14, 0, 0));
        links.Clock = clock;
        links.WizardClosed = [](bool) {};
        FrmStarFixWizard w(links);
        w.resize(640, 520);
        w.SetTag("FromMain");
        w.show();
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        w.Form_Activate();
        // Back from the latitude past the date with Shift+Tab, into it by
        // Tab (its first section), then on from field to field by Tab.
        test::Click(w.mskLat, test::Place::LeftEnd);
        test::BackTab();
        test::BackTab();
        test::Tab();
        ASSERT_EQ(QApplication::focusWidget(), w.dtpTime);
        test::Type(c.typed);
        test::ClickButton(w.cmdNav[3]);

        const double transit = testing::OracleTransit(c.day, c.lon);
        if (testing::OracleCrossing(transit, c.lat, c.lon, 0, -1) == 0 &&
            testing::OracleCrossing(transit, c.lat, c.lon, 0, 1) == 0) {
            ASSERT_EQ(script.messages.size(), 1u);
            EXPECT_EQ(script.messages[0].title, "No rise/set times");
            EXPECT_EQ(w.WizStep(), 1);
            continue;
        }
        ASSERT_EQ(w.WizStep(), 2) << script.LastText().toStdString();
        const double visible = VisibleSunriseAltitude(10.0, testing::SunFromErfa(c.day).dist);
        const double targets[] = {-9, -3, visible, 0, 0, visible, -3, -9};
        for (int i = 0; i < 9; ++i) {
            const QString shown = w.lblTimes[static_cast<size_t>(i)]->text();
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
        test::ClickButton(w.optTime[1]);
        test::ClickButton(w.cmdNav[3]);
        ASSERT_EQ(w.WizStep(), 3);
        EXPECT_EQ(w.lblStep[2]->text(),
                  "Select the stars you want to observe from " + w.lblTimes[7]->text() + ".");
    }
}

}  // namespace
}  // namespace orvex

#include <QCloseEvent>

#include "companions/frm_azimuth.h"
#include "workbench/frm_end.h"

namespace orvex {
namespace {

// Guards quitting with the companions up: the azimuth tool with a "What is
// up ?" window and a ticking wizard all close with a "Yes", no window of
// the program stays, no clock keeps running; a "No" keeps them all.
TEST(WizardTyped, QuitClosesTheCompanions) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto main = test::StartedWindow(settings);
    auto clock = std::make_shared<ManualSystemClock>();
    clock->utcMs = UnixMs(MakeDateTime(2026, 3, 20, 19, 31, 10));
    main->Companions()->Clock = clock;
    main->show();
    QApplication::setActiveWindow(main.get());

    main->Action("mnuAziGo")->trigger();
    FrmAzimuth* azi = main->Companions()->AzimuthTool();
    ASSERT_NE(azi, nullptr);
    QApplication::setActiveWindow(azi);
    ASSERT_TRUE(QTest::qWaitForWindowActive(azi));
    for (auto [f, keys] :
         {std::pair{azi->mskLat, QString("45300n")}, std::pair{azi->mskLong, QString("010150w")}}) {
        f->setFocus(Qt::TabFocusReason);
        f->SetMaskedText(QString());
        f->setCursorPosition(0);
        test::Type(keys);
    }
    QTest::mouseClick(azi->cmdWhatIsUp, Qt::LeftButton);
    QPointer<FrmStarFixWizard> up = azi->WhatIsUpWindow();
    ASSERT_NE(up, nullptr) << script.LastText().toStdString();
    EXPECT_GT(up->WizRowCount(), 10);
    // Each of its stars where ERFA puts it at the tool's time.
    const double when = up->RealTime();
    for (int r = 1; r <= up->WizRowCount(); ++r) {
        const CatalogueEntry e = StarCatalogue(up->Cell(r, 0).trimmed().toStdString());
        if (e.ra == 0.0 && e.dec == 0.0) continue;
        double az = 0, alt = 0;
        testing::ErfaStarAzAlt(e, when, 45.5, -10.25, az, alt);
        EXPECT_NEAR(std::remainder(up->Cell(r, 1).left(3).toDouble() - az, 360.0), 0.0, 0.51)
            << up->Cell(r, 0).toStdString();
    }

    // The tool's End gives the main window back; then the wizard, ticking.
    azi->cmdEnd_Click();
    main->Action("mnuStarFixWizardStart")->trigger();
    QPointer<FrmStarFixWizard> wiz = main->Companions()->StarFixWizard();
    ASSERT_NE(wiz, nullptr);
    QPointer<QTimer> tick = wiz->tmrRealTime;
    tick->start();

    script.dialogHandler = [](QDialog& d) {
        if (auto* end = qobject_cast<FrmEnd*>(&d)) end->cmdNo_Click();
        return int(QDialog::Accepted);
    };
    main->Action("mnuFileQuit")->trigger();
    EXPECT_TRUE(main->isVisible());
    ASSERT_FALSE(wiz.isNull());
    EXPECT_TRUE(tick->isActive());

    script.dialogHandler = [](QDialog& d) {
        if (auto* end = qobject_cast<FrmEnd*>(&d)) end->cmdYes_Click();
        return int(QDialog::Accepted);
    };
    main->Action("mnuFileQuit")->trigger();
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
