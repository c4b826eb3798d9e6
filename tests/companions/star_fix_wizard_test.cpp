// The star-fix wizard window: its steps and refusals, the star list, the
// live table on its clock (driven tick by tick, never waited for), the
// header drag, its exits, and its life under the main window.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <cmath>

#include "companions/frm_star_fix_wizard.h"
#include "ephemeris/twilight.h"
#include "navlib/date_time.h"
#include "navlib/hooks.h"
#include "navlib/number_format.h"
#include "platform/masked_field.h"
#include "platform/pc_clock.h"
#include "workbench/window_art.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

constexpr double kUnixEpochDays = 25569.0;  // 1970-01-01 in days since 1899-12-30

std::shared_ptr<ManualSystemClock> ClockAt(double utDays) {
    auto c = std::make_shared<ManualSystemClock>();
    c->utcMs = static_cast<std::int64_t>(std::llround((utDays - kUnixEpochDays) * 86400000.0));
    c->localOffsetSeconds = 3600;  // a PC on UTC+1: the wizard must still show UT
    c->standardBiasMinutes = -60;
    return c;
}

struct Closed {
    int calls = 0;
    bool picture = false;
};

// A wizard as the main window starts it, on a clock set to `now` (UT).
struct Wizard {
    std::shared_ptr<ManualSystemClock> clock;
    Closed closed;
    int timeStores = 0;
    std::unique_ptr<FrmStarFixWizard> w;
    explicit Wizard(double now, const std::string& sep = ".") : clock(ClockAt(now)) {
        CompanionLinks l;
        l.DecSep = sep;
        l.Clock = clock;
        l.WizardClosed = [this](bool picture) {
            ++closed.calls;
            closed.picture = picture;
        };
        l.ShowTimeStore = [this](QWidget*) { ++timeStores; };
        w = std::make_unique<FrmStarFixWizard>(l);
        w->resize(640, 520);
        w->SetTag("FromMain");
        w->Form_Activate();
    }
    FrmStarFixWizard* operator->() { return w.get(); }
};

// Types a text into a masked field and leaves it.
bool Enter(MaskedField* f, const QString& text) {
    f->SetMaskedText(text);
    return f->Commit();
}

// (A function: the calendar of the date library is not ready during static
// initialisation.)
double Now() {
    return MakeDateTime(2026, 3, 20, 14, 0, 0);
}
const double kLat = 45.5, kLon = -10.25;

void FillStep1(Wizard& wz) {
    ASSERT_TRUE(Enter(wz->mskLat, "45°30'.0 N"));
    ASSERT_TRUE(Enter(wz->mskLong, "010°15'.0 W"));
    ASSERT_TRUE(Enter(wz->mskHeightM, "12.0"));
}

bool Shown(QWidget* w) {
    return !w->isHidden() && w->x() == 0;
}

// Guards a reset that leaves stale inputs, a date in local time instead of
// UT, or a step 2 that starts without all four inputs.
TEST(FrmStarFixWizard, EraseAllAndMissingData) {
    PlatformScript script;
    Wizard wz(MakeDateTime(2026, 3, 20, 23, 30, 0));  // local time is already the 21st
    EXPECT_EQ(wz->WizStep(), 1);
    EXPECT_TRUE(Shown(wz->fraStep[0]));
    EXPECT_TRUE(wz->fraStep[3]->isHidden());
    EXPECT_DOUBLE_EQ(wz->WizDate(), MakeDateTime(2026, 3, 20));
    EXPECT_TRUE(wz->WizEntered(0));
    for (int i = 1; i < 4; ++i) EXPECT_FALSE(wz->WizEntered(i));
    EXPECT_EQ(wz->mskLat->MaskedText(), "__°__'._ _");
    EXPECT_EQ(wz->mskLong->MaskedText(), "___°__'._ _");
    EXPECT_EQ(wz->mskHeightM->MaskedText(), "__._");
    EXPECT_EQ(wz->mskHeightF->MaskedText(), "___._");
    EXPECT_FALSE(wz->cmdNav[2]->isEnabled());
    EXPECT_TRUE(wz->cmdNav[3]->isEnabled());
    EXPECT_FALSE(wz->cmdNav[4]->isEnabled());
    EXPECT_EQ(wz->windowTitle(), " Star Fix Wizard - Enter observation datas");

    // Date, latitude and longitude but no height of eye: refused.
    ASSERT_TRUE(Enter(wz->mskLat, "45°30'.0 N"));
    ASSERT_TRUE(Enter(wz->mskLong, "010°15'.0 W"));
    wz->cmdNav_Click(3);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, "Missing data");
    EXPECT_EQ(script.messages[0].text,
              "Some data are missing.\r\nPlease check that the whole input form is completed.");
    EXPECT_EQ(script.messages[0].style, kIconExclamation);
    EXPECT_EQ(wz->WizStep(), 1);
    EXPECT_TRUE(Shown(wz->fraStep[0]));

    // Erase all forgets them again.
    wz->cmdErase_Click();
    EXPECT_DOUBLE_EQ(wz->WizLat(), 0.0);
    EXPECT_FALSE(wz->WizEntered(1));
    EXPECT_FALSE(wz->WizEntered(2));
}

// Guards the refusals of the step-1 fields, byte for byte, and the paired
// height fields.
TEST(FrmStarFixWizard, FieldRefusalsAndHeights) {
    PlatformScript script;
    Wizard wz(Now());
    const struct {
        MaskedField* field;
        QString text;
        QString message;
    } cases[] = {
        {wz->mskLat, "91°00'.0 N", "Latitude > 90°."},
        {wz->mskLat, "45°60'.0 N", "The latitude has more than 59'."},
        {wz->mskLat, "45°00'.0 E", "A latitude can only be N (North) or S (South)."},
        {wz->mskLong, "181°00'.0 E", "Longitude > 180°."},
        {wz->mskLong, "010°75'.0 W", "The longitude has more than 59'."},
        {wz->mskLong, "010°00'.0 N", "A longitude can only be W (West) or E (East)."},
    };
    for (const auto& c : cases) {
        script.Clear();
        EXPECT_FALSE(Enter(c.field, c.text));
        ASSERT_EQ(script.messages.size(), 1u);
        EXPECT_EQ(script.messages[0].title, " Error in input data");
        EXPECT_EQ(script.messages[0].text, c.message);
        EXPECT_EQ(c.field->MaskedText(), c.text);  // kept as typed
    }
    EXPECT_FALSE(wz->WizEntered(1));
    EXPECT_FALSE(wz->WizEntered(2));

    // An empty field is let through without a message.
    script.Clear();
    wz->cmdEraseObsPos_Click(0);
    EXPECT_TRUE(wz->mskLat->Commit());
    EXPECT_TRUE(script.messages.empty());

    // A valid latitude turns green; "Erase latitude" keeps the value.
    EXPECT_TRUE(Enter(wz->mskLat, "12°30'.0 S"));
    EXPECT_DOUBLE_EQ(wz->WizLat(), -12.5);
    EXPECT_EQ(wz->mskLat->BackColor(), kValidGreen);
    wz->cmdEraseObsPos_Click(0);
    EXPECT_EQ(wz->mskLat->MaskedText(), "__°__'._ _");
    EXPECT_DOUBLE_EQ(wz->WizLat(), -12.5);
    EXPECT_TRUE(wz->WizEntered(1));

    // Keys: "n" becomes "N", "-" in the longitude "W".
    wz->cmdEraseObsPos_Click(0);
    wz->mskLat->setCursorPosition(0);
    for (QChar c : QString("4530") + "0n") wz->mskLat->TypeChar(c);
    EXPECT_EQ(wz->mskLat->MaskedText(), "45°30'.0 N");

    // 3 m shows 009.8 ft; 10 ft shows 03.0 m and keeps 3.048 m.
    EXPECT_TRUE(Enter(wz->mskHeightM, "03.0"));
    EXPECT_EQ(wz->mskHeightF->MaskedText(), "009.8");
    EXPECT_DOUBLE_EQ(wz->WizHeightEye(), 3.0);
    EXPECT_TRUE(Enter(wz->mskHeightF, "010.0"));
    EXPECT_EQ(wz->mskHeightM->MaskedText(), "03.0");
    EXPECT_NEAR(wz->WizHeightEye(), 3.048, 1e-12);
    EXPECT_TRUE(wz->WizEntered(3));
    // 900 ft has no place in the metres field: blank, value kept.
    EXPECT_TRUE(Enter(wz->mskHeightF, "900.0"));
    EXPECT_EQ(wz->mskHeightM->MaskedText(), "__._");
    EXPECT_NEAR(wz->WizHeightEye(), 274.32, 1e-9);
}

// Guards the road through the four steps: the Sun's times shown as the
// twilight routine gives them, the list built for the chosen twilight, the
// table of the chosen stars in azimuth order at the twilight time.
TEST(FrmStarFixWizard, FourSteps) {
    PlatformScript script;
    Wizard wz(Now(), ",");
    ASSERT_TRUE(Enter(wz->mskLat, "45°30',0 N"));
    ASSERT_TRUE(Enter(wz->mskLong, "010°15',0 W"));
    ASSERT_TRUE(Enter(wz->mskHeightM, "12,0"));
    wz->cmdNav_Click(3);
    ASSERT_EQ(wz->WizStep(), 2);
    EXPECT_TRUE(script.messages.empty());
    TwilightTimes t{};
    ASSERT_TRUE(StarSightTwilight(kLat, kLon, MakeDateTime(2026, 3, 20), 12.0, t));
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(wz->lblTimes[i]->text().toStdString(), FormatDateTime(t[i], "d mmm yyyy hh:mm"));
    EXPECT_EQ(wz->lblTimes[7]->text(), "20 Mar 2026 19:05");
    EXPECT_TRUE(Shown(wz->fraStep[1]));
    EXPECT_TRUE(wz->fraStep[0]->isHidden());
    EXPECT_EQ(wz->fraStep[0]->x(), -10000);

    wz->optTime_Click(1);  // Sunset
    wz->cmdNav_Click(3);
    ASSERT_EQ(wz->WizStep(), 3);
    EXPECT_EQ(wz->WizTimeIndex(), 7);
    EXPECT_EQ(wz->lblStep[2]->text().toStdString(), "Select the stars you want to observe from " +
                                                        FormatDateTime(t[7], "d mmm yyyy hh:mm") +
                                                        ".");
    const StarCandidates expected = ChooseStars(t[7], kLat, kLon, 12.0);
    ASSERT_EQ(wz->lstStars->count(), expected.Count());
    EXPECT_EQ(wz->WizLastCandidate(), expected.Count() - 1);
    int proposed = 0;
    for (int i = 0; i < expected.Count(); ++i) {
        EXPECT_EQ(wz->lstStars->item(i)->text().toStdString(), CandidateItemText(expected, i, ","));
        EXPECT_EQ(wz->lstStars->item(i)->isSelected(),
                  static_cast<bool>(expected.CandSelected[static_cast<size_t>(i)]));
        proposed += expected.CandSelected[static_cast<size_t>(i)] ? 1 : 0;
    }
    EXPECT_FALSE(wz->WizEndEnabled());

    wz->cmdNav_Click(3);
    ASSERT_EQ(wz->WizStep(), 4);
    EXPECT_TRUE(wz->WizEndEnabled());
    EXPECT_TRUE(wz->cmdNav[4]->isEnabled());
    EXPECT_FALSE(wz->cmdNav[3]->isEnabled());
    EXPECT_EQ(wz->WizRowCount(), proposed);
    EXPECT_EQ(wz->grdStars->rowCount(), proposed);
    EXPECT_EQ(wz->Cell(0, 0), "Name of the Star  ");
    EXPECT_EQ(wz->Cell(0, 1), "Azimuth  ");
    EXPECT_EQ(wz->Cell(0, 2), "Altitude");
    EXPECT_EQ(wz->Cell(0, 3), "Magn. ");
    for (int r = 2; r <= proposed; ++r)
        EXPECT_LE(wz->Cell(r - 1, 1).left(3).toInt(), wz->Cell(r, 1).left(3).toInt());
    // Each row shows the values computed for the twilight time.
    for (int r = 1; r <= proposed; ++r) {
        int i = 0;
        while (expected.CandName[static_cast<size_t>(i)] != wz->Cell(r, 0).toStdString()) ++i;
        const auto u = static_cast<size_t>(i);
        EXPECT_EQ(wz->Cell(r, 2).toStdString(), FormatWizardAltitude(expected.CandHs[u]));
        EXPECT_EQ(wz->Cell(r, 3).toStdString(), FormatWizardMagnitude(expected.CandMag[u], ","));
    }
    EXPECT_DOUBLE_EQ(wz->RealTime(), std::round(t[7] * 86400.0) / 86400.0);
    EXPECT_EQ(wz->dtpRealTime->toolTip(), "Time of sunrise/sunset");

    // Back keeps the user's selection; nothing selected refuses step 4.
    wz->cmdNav_Click(2);
    EXPECT_EQ(wz->WizStep(), 3);
    EXPECT_FALSE(wz->WizEndEnabled());
    wz->lstStars->clearSelection();
    wz->cmdNav_Click(3);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, "No star selected");
    EXPECT_EQ(script.messages[0].text,
              "There is no star selected.\r\nPlease select at least one star.");
    EXPECT_EQ(wz->WizStep(), 3);
    wz->lstStars->item(0)->setSelected(true);
    wz->cmdNav_Click(3);
    EXPECT_EQ(wz->WizRowCount(), 1);
}

// Guards the circumpolar refusal.
TEST(FrmStarFixWizard, NoSunriseRefused) {
    PlatformScript script;
    Wizard wz(MakeDateTime(2026, 6, 21, 12, 0, 0));
    ASSERT_TRUE(Enter(wz->mskLat, "70°00'.0 N"));
    ASSERT_TRUE(Enter(wz->mskLong, "020°00'.0 E"));
    ASSERT_TRUE(Enter(wz->mskHeightM, "05.0"));
    wz->cmdNav_Click(3);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, "No rise/set times");
    EXPECT_EQ(script.messages[0].text,
              "At your latitude, the Sun is now circumpolar.\r\nThere is neither sunrise, nor "
              "sunset.");
    EXPECT_EQ(wz->WizStep(), 1);
}

// The wizard at step 4 with its proposed stars.
void ToStep4(Wizard& wz) {
    FillStep1(wz);
    wz->optTime_Click(1);
    wz->cmdNav_Click(3);
    wz->cmdNav_Click(3);
    wz->cmdNav_Click(3);
    ASSERT_EQ(wz->WizStep(), 4);
}

// Guards the live display: it starts with a tick at once (not 15 s later),
// follows the PC clock in UT, can be stopped, and a typed time stops it.
TEST(FrmStarFixWizard, LiveTableOnItsClock) {
    PlatformScript script;
    Wizard wz(Now());
    ToStep4(wz);
    EXPECT_FALSE(wz->tmrRealTime->isActive());
    EXPECT_EQ(wz->tmrRealTime->interval(), 15000);
    const double evening = MakeDateTime(2026, 3, 20, 19, 31, 10);
    wz.clock->utcMs = static_cast<std::int64_t>(std::llround((evening - kUnixEpochDays) * 864e5));
    wz->bthStartTimer_Click();
    EXPECT_TRUE(wz->tmrRealTime->isActive());
    EXPECT_EQ(wz->bthStartTimer->text(), "Stop real time display");
    EXPECT_EQ(wz->dtpRealTime->toolTip(), "Computer clock (updated every 15s)");
    EXPECT_DOUBLE_EQ(wz->RealTime(), evening);
    const auto check = [&](double when) {
        for (int r = 1; r <= wz->WizRowCount(); ++r) {
            const BodyPlace p =
                ComputeBodyPlace(wz->Cell(r, 0).toStdString(), when, kLat, kLon, 12.0);
            EXPECT_EQ(wz->Cell(r, 1).toStdString(), FormatWizardAzimuth(p.az));
            EXPECT_EQ(wz->Cell(r, 2).toStdString(), FormatWizardAltitude(p.hs));
            if (r > 1) {
                const BodyPlace q =
                    ComputeBodyPlace(wz->Cell(r - 1, 0).toStdString(), when, kLat, kLon, 12.0);
                EXPECT_LE(q.az, p.az);
            }
        }
    };
    check(evening);

    // Fifteen seconds on: one tick, driven by hand.
    wz.clock->utcMs += 15000;
    wz->tmrRealTime_Timer();
    EXPECT_DOUBLE_EQ(wz->RealTime(), evening + 15.0 / 86400);
    check(evening + 15.0 / 86400);

    wz->bthStartTimer_Click();
    EXPECT_FALSE(wz->tmrRealTime->isActive());
    EXPECT_EQ(wz->bthStartTimer->text(), "Start real time display");
    EXPECT_EQ(wz->dtpRealTime->toolTip(), "Computer clock (stopped)");

    // A typed time stops a running display and recomputes the table.
    wz->bthStartTimer_Click();
    const double typed = MakeDateTime(2026, 3, 20, 20, 0, 0);
    wz->TypeRealTime(typed);
    EXPECT_FALSE(wz->tmrRealTime->isActive());
    EXPECT_EQ(wz->dtpRealTime->toolTip(), "Time entered by user");
    check(typed);

    // Leaving step 4 stops the clock.
    wz->bthStartTimer_Click();
    wz->cmdNav_Click(2);
    EXPECT_FALSE(wz->tmrRealTime->isActive());
}

// Guards the header drag: a column dragged to the first place sorts the
// table by it (numerically for the magnitude), and the ticks keep that.
TEST(FrmStarFixWizard, HeaderDragSorts) {
    PlatformScript script;
    Wizard wz(Now());
    ToStep4(wz);
    EXPECT_FALSE(wz->WizUserSorted());
    wz->grdStars_MouseDown(0, 3);
    wz->grdStars_MouseUp(0);
    EXPECT_TRUE(wz->WizUserSorted());
    EXPECT_EQ(wz->Cell(0, 0), "Magn. ");
    EXPECT_EQ(wz->Cell(0, 1), "Name of the Star  ");
    const auto magnitudesAscend = [&] {
        for (int r = 2; r <= wz->WizRowCount(); ++r)
            EXPECT_LE(wz->Cell(r - 1, 0).replace(',', '.').toDouble(),
                      wz->Cell(r, 0).replace(',', '.').toDouble());
    };
    magnitudesAscend();
    wz.clock->utcMs += 15000;
    wz->tmrRealTime_Timer();
    EXPECT_EQ(wz->Cell(0, 0), "Magn. ");
    magnitudesAscend();
    // The name column first: alphabetical.
    wz->grdStars_MouseDown(0, 1);
    wz->grdStars_MouseUp(0);
    for (int r = 2; r <= wz->WizRowCount(); ++r) EXPECT_LT(wz->Cell(r - 1, 0), wz->Cell(r, 0));
    // A click on the body of the table only marks the user's order.
    wz->grdStars_MouseDown(1, 2);
    wz->grdStars_MouseUp(2);
    EXPECT_EQ(wz->Cell(0, 0), "Name of the Star  ");
}

// Guards the exits: every one stops the clock and tells the main window.
TEST(FrmStarFixWizard, ExitsStopTheClock) {
    PlatformScript script;
    {
        Wizard wz(Now());
        ToStep4(wz);
        wz->bthStartTimer_Click();
        wz->cmdNav_Click(1);  // Cancel
        EXPECT_FALSE(wz->tmrRealTime->isActive());
        EXPECT_TRUE(wz->isHidden());
        EXPECT_EQ(wz.closed.calls, 1);
        EXPECT_TRUE(wz.closed.picture);
    }
    {
        Wizard wz(Now());
        ToStep4(wz);
        wz->bthStartTimer_Click();
        wz->cmdNav_Click(4);  // End
        EXPECT_FALSE(wz->tmrRealTime->isActive());
        EXPECT_EQ(wz.closed.calls, 1);
        EXPECT_FALSE(wz.closed.picture);
    }
    {
        Wizard wz(Now());
        ToStep4(wz);
        wz->bthStartTimer_Click();
        wz->Form_QueryUnload();  // close box
        EXPECT_FALSE(wz->tmrRealTime->isActive());
        EXPECT_TRUE(wz->Unloaded());
        EXPECT_EQ(wz.closed.calls, 1);
        wz.w.release()->deleteLater();  // the window deletes itself
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Guards the deactivation rule: the first loss minimises, a second within
// half a second unloads; and F5 minimises before the time-store dialog.
TEST(FrmStarFixWizard, DeactivationAndF5) {
    PlatformScript script;
    ManualClock seconds(1000.0);
    Wizard wz(Now());
    wz->Form_Deactivate();
    EXPECT_TRUE(wz->isMinimized());
    EXPECT_FALSE(wz->Unloaded());
    seconds.seconds = 1000.6;
    wz->setWindowState(Qt::WindowNoState);
    wz->Form_Deactivate();
    EXPECT_TRUE(wz->isMinimized());
    EXPECT_FALSE(wz->Unloaded());
    seconds.seconds = 1000.9;
    wz->Form_Deactivate();
    EXPECT_TRUE(wz->Unloaded());
    EXPECT_EQ(wz.closed.calls, 1);
    wz.w.release()->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    Wizard other(Now());
    other->Form_KeyDown(116);
    EXPECT_TRUE(other->isMinimized());
    EXPECT_EQ(other.timeStores, 1);
}

// Guards the main window's side: the wizard opens reset at step 1, the
// flag and the menu follow it, a second start only brings it forward, and
// the quit sequence unloads it.
TEST(FrmStarFixWizard, OpenedByTheMainWindow) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto main = test::StartedWindow(settings);
    main->Companions()->Clock = ClockAt(Now());
    main->mnuStarFixWizardStart_Click();
    FrmStarFixWizard* w = main->Companions()->StarFixWizard();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(main->State().WizardOpen);
    EXPECT_FALSE(main->Action("mnuStarFixWizard")->isEnabled());
    EXPECT_EQ(w->Tag(), "FromOther");
    EXPECT_EQ(w->WizStep(), 1);
    EXPECT_DOUBLE_EQ(w->WizDate(), MakeDateTime(2026, 3, 20));
    ASSERT_TRUE(Enter(w->mskLat, "45°30'.0 N"));
    main->picStarFixWizard_Click();  // open: brought forward, nothing reset
    EXPECT_EQ(main->Companions()->StarFixWizard(), w);
    EXPECT_TRUE(w->WizEntered(1));
    w->cmdNav_Click(1);
    EXPECT_FALSE(main->State().WizardOpen);
    EXPECT_TRUE(main->Action("mnuStarFixWizard")->isEnabled());
    // The next start resets the same window.
    main->picStarFixWizard_Click();
    EXPECT_EQ(main->Companions()->StarFixWizard(), w);
    EXPECT_FALSE(w->WizEntered(1));
    EXPECT_TRUE(main->State().WizardOpen);
    w->hide();
}

// Pictures of the four steps and the live table.
TEST(FrmStarFixWizard, Screenshots) {
    PlatformScript script;
    Wizard wz(Now());
    wz->show();
    FillStep1(wz);
    const auto save = [&](const QString& name) {
        const QPixmap pm = wz->grab();
        EXPECT_TRUE(pm.save(test::TestOutputFolder() + "/" + name + ".png"));
    };
    save("wizard-step1");
    wz->optTime_Click(1);
    wz->cmdNav_Click(3);
    save("wizard-step2");
    wz->cmdNav_Click(3);
    save("wizard-step3");
    wz->cmdNav_Click(3);
    save("wizard-step4");
    wz.clock->utcMs += 5 * 3600000;  // 19:00 UT
    wz->bthStartTimer_Click();
    save("wizard-step4-live");
    wz->bthStartTimer_Click();
    wz->hide();
}

}  // namespace
}  // namespace orvex
