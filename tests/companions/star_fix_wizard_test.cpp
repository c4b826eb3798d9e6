// The star-fix wizard window: its steps and refusals, the star list, the
// live table on its clock (driven tick by tick, never waited for), the
// header drag, its exits, and its life under the main window.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <cmath>

#include "companion_driver.h"
#include "ephemeris/twilight.h"
#include "navlib/hooks.h"
#include "navlib/number_format.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

struct Closed {
    int calls = 0;
    bool picture = false;
};

// A wizard as the main window starts it, shown and active, on a clock set
// to `now` (UT) on a PC at UTC+1 (the wizard must still show UT).
struct Wizard {
    std::shared_ptr<ManualSystemClock> clock;
    Closed closed;
    int timeStores = 0;
    std::unique_ptr<FrmStarFixWizard> w;
    explicit Wizard(double now, const std::string& sep = ".") : clock(test::ClockAt(now, 1)) {
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
        test::Activate(w.get());
    }
    FrmStarFixWizard* operator->() { return w.get(); }
    operator const QWidget*() const { return w.get(); }
    void Click(const QString& name) { test::ClickOn(w.get(), name); }
    QTimer* Timer() { return test::OwnNamed<QTimer>(w.get(), "tmrRealTime"); }
};

// (A function: the calendar of the date library is not ready during static
// initialisation.)
double Now() {
    return MakeDateTime(2026, 3, 20, 14, 0, 0);
}
const double kLat = 45.5, kLon = -10.25;

void FillStep1(const Wizard& wz) {
    test::TypeInto(wz, "mskLat", "45300n");
    test::TypeInto(wz, "mskLong", "010150w");
    test::TypeInto(wz, "mskHeightM", "120");
}

// Guards a reset that leaves stale inputs, a date in local time instead of
// UT, or a step 2 that starts without all four inputs.
TEST(FrmStarFixWizard, EraseAllAndMissingData) {
    PlatformScript script;
    Wizard wz(MakeDateTime(2026, 3, 20, 23, 30, 0));  // local time is already the 21st
    EXPECT_EQ(test::WizardStep(wz), 1);
    EXPECT_TRUE(test::HiddenIn(wz, "fraStep_3"));
    EXPECT_EQ(test::Shown(wz, "dtpTime"), "20 Mar 2026");
    EXPECT_DOUBLE_EQ(wz->Inputs().date, MakeDateTime(2026, 3, 20));
    EXPECT_EQ(wz->Inputs().entered, (std::array<bool, 4>{true, false, false, false}));
    EXPECT_EQ(test::Shown(wz, "mskLat"), "__°__'._ _");
    EXPECT_EQ(test::Shown(wz, "mskLong"), "___°__'._ _");
    EXPECT_EQ(test::Shown(wz, "mskHeightM"), "__._");
    EXPECT_EQ(test::Shown(wz, "mskHeightF"), "___._");
    EXPECT_FALSE(test::EnabledIn(wz, "cmdNav_2"));
    EXPECT_TRUE(test::EnabledIn(wz, "cmdNav_3"));
    EXPECT_FALSE(test::EnabledIn(wz, "cmdNav_4"));
    EXPECT_EQ(wz->windowTitle(), " Star Fix Wizard - Enter observation datas");

    // Date, latitude and longitude but no height of eye: refused.
    test::TypeInto(wz, "mskLat", "45300n");
    test::TypeInto(wz, "mskLong", "010150w");
    wz.Click("cmdNav_3");
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, "Missing data");
    EXPECT_EQ(script.messages[0].text,
              "Some data are missing.\r\nPlease check that the whole input form is completed.");
    EXPECT_EQ(script.messages[0].style, kIconExclamation);
    EXPECT_EQ(test::WizardStep(wz), 1);

    // Erase all forgets them again.
    wz.Click("cmdErase");
    EXPECT_DOUBLE_EQ(wz->Inputs().lat, 0.0);
    EXPECT_EQ(wz->Inputs().entered, (std::array<bool, 4>{true, false, false, false}));
}

// Guards the refusals of the step-1 fields, byte for byte, and the paired
// height fields.
TEST(FrmStarFixWizard, FieldRefusalsAndHeights) {
    PlatformScript script;
    Wizard wz(Now());
    const struct {
        const char* field;
        QString text;
        QString message;
    } cases[] = {
        {"mskLat", "91°00'.0 N", "Latitude > 90°."},
        {"mskLat", "45°60'.0 N", "The latitude has more than 59'."},
        {"mskLat", "45°00'.0 E", "A latitude can only be N (North) or S (South)."},
        {"mskLong", "181°00'.0 E", "Longitude > 180°."},
        {"mskLong", "010°75'.0 W", "The longitude has more than 59'."},
        {"mskLong", "010°00'.0 N", "A longitude can only be W (West) or E (East)."},
    };
    for (const auto& c : cases) {
        script.Clear();
        EXPECT_FALSE(test::EnterText(wz, c.field, c.text));
        ASSERT_EQ(script.messages.size(), 1u);
        EXPECT_EQ(script.messages[0].title, " Error in input data");
        EXPECT_EQ(script.messages[0].text, c.message);
        EXPECT_EQ(test::Shown(wz, c.field), c.text);  // kept as typed
    }
    EXPECT_FALSE(wz->Inputs().entered[1]);
    EXPECT_FALSE(wz->Inputs().entered[2]);
    test::TypeInto(wz, "mskLong", "010150w");  // the refused field put right

    // An empty field is let through without a message.
    script.Clear();
    wz.Click("cmdEraseObsPos_0");
    test::TypeInto(wz, "mskLat", "");
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();

    // A valid latitude turns green; "Erase latitude" keeps the value.
    test::TypeInto(wz, "mskLat", "12300s");
    EXPECT_DOUBLE_EQ(wz->Inputs().lat, -12.5);
    EXPECT_EQ(test::OwnNamed<MaskedField>(wz, "mskLat")->BackColor(), kValidGreen);
    wz.Click("cmdEraseObsPos_0");
    EXPECT_EQ(test::Shown(wz, "mskLat"), "__°__'._ _");
    EXPECT_DOUBLE_EQ(wz->Inputs().lat, -12.5);
    EXPECT_TRUE(wz->Inputs().entered[1]);

    // Keys: "n" becomes "N".
    test::TypeInto(wz, "mskLat", "45300n");
    EXPECT_EQ(test::Shown(wz, "mskLat"), "45°30'.0 N");

    // 3 m shows 009.8 ft; 10 ft shows 03.0 m and keeps 3.048 m.
    test::TypeInto(wz, "mskHeightM", "030");
    EXPECT_EQ(test::Shown(wz, "mskHeightF"), "009.8");
    EXPECT_DOUBLE_EQ(wz->Inputs().heightEye, 3.0);
    test::TypeInto(wz, "mskHeightF", "0100");
    EXPECT_EQ(test::Shown(wz, "mskHeightM"), "03.0");
    EXPECT_NEAR(wz->Inputs().heightEye, 3.048, 1e-12);
    EXPECT_TRUE(wz->Inputs().entered[3]);
    // 900 ft has no place in the metres field: blank, value kept.
    test::TypeInto(wz, "mskHeightF", "9000");
    EXPECT_EQ(test::Shown(wz, "mskHeightM"), "__._");
    EXPECT_NEAR(wz->Inputs().heightEye, 274.32, 1e-9);
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
}

// Guards the road through the four steps: the Sun's times shown as the
// twilight routine gives them, the list built for the chosen twilight, the
// table of the chosen stars in azimuth order at the twilight time.
TEST(FrmStarFixWizard, FourSteps) {
    PlatformScript script;
    Wizard wz(Now(), ",");
    FillStep1(wz);
    EXPECT_EQ(test::Shown(wz, "mskLat"), "45°30',0 N");
    wz.Click("cmdNav_3");
    ASSERT_EQ(test::WizardStep(wz), 2);
    EXPECT_TRUE(script.messages.empty());
    TwilightTimes t{};
    ASSERT_TRUE(StarSightTwilight(kLat, kLon, MakeDateTime(2026, 3, 20), 12.0, t));
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(test::Shown(wz, QString("lblTimes_%1").arg(i)).toStdString(),
                  FormatDateTime(t[static_cast<size_t>(i)], "d mmm yyyy hh:mm"));
    EXPECT_EQ(test::Shown(wz, "lblTimes_7"), "20 Mar 2026 19:05");
    EXPECT_TRUE(test::HiddenIn(wz, "fraStep_0"));
    EXPECT_EQ(test::OwnNamed<QWidget>(wz, "fraStep_0")->x(), -10000);

    wz.Click("optTime_1");  // Sunset
    wz.Click("cmdNav_3");
    ASSERT_EQ(test::WizardStep(wz), 3);
    EXPECT_EQ(test::Shown(wz, "lblStep_2").toStdString(),
              "Select the stars you want to observe from " +
                  FormatDateTime(t[7], "d mmm yyyy hh:mm") + ".");
    const StarCandidates expected = ChooseStars(t[7], kLat, kLon, 12.0);
    auto* list = test::OwnNamed<QListWidget>(wz, "lstStars");
    ASSERT_EQ(list->count(), expected.Count());
    int proposed = 0;
    for (int i = 0; i < expected.Count(); ++i) {
        EXPECT_EQ(list->item(i)->text().toStdString(), CandidateItemText(expected, i, ","));
        EXPECT_EQ(list->item(i)->isSelected(),
                  static_cast<bool>(expected.CandSelected[static_cast<size_t>(i)]));
        proposed += expected.CandSelected[static_cast<size_t>(i)] ? 1 : 0;
    }
    EXPECT_FALSE(test::EnabledIn(wz, "cmdNav_4"));

    wz.Click("cmdNav_3");
    ASSERT_EQ(test::WizardStep(wz), 4);
    EXPECT_TRUE(test::EnabledIn(wz, "cmdNav_4"));
    EXPECT_FALSE(test::EnabledIn(wz, "cmdNav_3"));
    EXPECT_EQ(test::StarRows(wz), proposed);
    EXPECT_EQ(test::Cell(wz, 0, 0), "Name of the Star  ");
    EXPECT_EQ(test::Cell(wz, 0, 1), "Azimuth  ");
    EXPECT_EQ(test::Cell(wz, 0, 2), "Altitude");
    EXPECT_EQ(test::Cell(wz, 0, 3), "Magn. ");
    for (int r = 2; r <= proposed; ++r)
        EXPECT_LE(test::Cell(wz, r - 1, 1).left(3).toInt(), test::Cell(wz, r, 1).left(3).toInt());
    // Each row shows the values computed for the twilight time.
    for (int r = 1; r <= proposed; ++r) {
        int i = 0;
        while (expected.CandName[static_cast<size_t>(i)] != test::Cell(wz, r, 0).toStdString()) ++i;
        const auto u = static_cast<size_t>(i);
        EXPECT_EQ(test::Cell(wz, r, 2).toStdString(), FormatWizardAltitude(expected.CandHs[u]));
        EXPECT_EQ(test::Cell(wz, r, 3).toStdString(),
                  FormatWizardMagnitude(expected.CandMag[u], ","));
    }
    EXPECT_DOUBLE_EQ(test::TableTime(wz), std::round(t[7] * 86400.0) / 86400.0);
    EXPECT_EQ(test::OwnNamed<QWidget>(wz, "dtpRealTime")->toolTip(), "Time of sunrise/sunset");

    // Back keeps the user's selection; nothing selected refuses step 4.
    wz.Click("cmdNav_2");
    EXPECT_EQ(test::WizardStep(wz), 3);
    EXPECT_FALSE(test::EnabledIn(wz, "cmdNav_4"));
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected()) test::ClickStar(wz, i);
    EXPECT_TRUE(list->selectedItems().isEmpty());
    wz.Click("cmdNav_3");
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, "No star selected");
    EXPECT_EQ(script.messages[0].text,
              "There is no star selected.\r\nPlease select at least one star.");
    EXPECT_EQ(test::WizardStep(wz), 3);
    test::ClickStar(wz, 0);
    wz.Click("cmdNav_3");
    EXPECT_EQ(test::StarRows(wz), 1);
}

// Guards the circumpolar refusal.
TEST(FrmStarFixWizard, NoSunriseRefused) {
    PlatformScript script;
    Wizard wz(MakeDateTime(2026, 6, 21, 12, 0, 0));
    test::TypeInto(wz, "mskLat", "70000n");
    test::TypeInto(wz, "mskLong", "020000e");
    test::TypeInto(wz, "mskHeightM", "050");
    wz.Click("cmdNav_3");
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, "No rise/set times");
    EXPECT_EQ(script.messages[0].text,
              "At your latitude, the Sun is now circumpolar.\r\nThere is neither sunrise, nor "
              "sunset.");
    EXPECT_EQ(test::WizardStep(wz), 1);
}

// The wizard at step 4 with its proposed stars.
void ToStep4(Wizard& wz) {
    FillStep1(wz);
    wz.Click("cmdNav_3");
    wz.Click("optTime_1");
    wz.Click("cmdNav_3");
    wz.Click("cmdNav_3");
    ASSERT_EQ(test::WizardStep(wz), 4);
}

// Guards the live display: it starts with a tick at once (not 15 s later),
// follows the PC clock in UT, can be stopped, and a typed time stops it.
TEST(FrmStarFixWizard, LiveTableOnItsClock) {
    PlatformScript script;
    Wizard wz(Now());
    ToStep4(wz);
    EXPECT_FALSE(wz.Timer()->isActive());
    EXPECT_EQ(wz.Timer()->interval(), 15000);
    const double evening = MakeDateTime(2026, 3, 20, 19, 31, 10);
    test::SetClock(*wz.clock, evening);
    wz.Click("bthStartTimer");
    EXPECT_TRUE(wz.Timer()->isActive());
    EXPECT_EQ(test::Shown(wz, "bthStartTimer"), "Stop real time display");
    QWidget* time = test::OwnNamed<QWidget>(wz, "dtpRealTime");
    EXPECT_EQ(time->toolTip(), "Computer clock (updated every 15s)");
    EXPECT_DOUBLE_EQ(test::TableTime(wz), evening);
    const auto check = [&](double when) {
        for (int r = 1; r <= test::StarRows(wz); ++r) {
            const BodyPlace p =
                ComputeBodyPlace(test::Cell(wz, r, 0).toStdString(), when, kLat, kLon, 12.0);
            EXPECT_EQ(test::Cell(wz, r, 1).toStdString(), FormatWizardAzimuth(p.az));
            EXPECT_EQ(test::Cell(wz, r, 2).toStdString(), FormatWizardAltitude(p.hs));
            if (r > 1) {
                const BodyPlace q = ComputeBodyPlace(test::Cell(wz, r - 1, 0).toStdString(), when,
                                                     kLat, kLon, 12.0);
                EXPECT_LE(q.az, p.az);
            }
        }
    };
    check(evening);

    // Fifteen seconds on: one tick, delivered by hand.
    wz.clock->utcMs += 15000;
    test::Tick(wz, "tmrRealTime");
    EXPECT_DOUBLE_EQ(test::TableTime(wz), evening + 15.0 / 86400);
    check(evening + 15.0 / 86400);

    wz.Click("bthStartTimer");
    EXPECT_FALSE(wz.Timer()->isActive());
    EXPECT_EQ(test::Shown(wz, "bthStartTimer"), "Start real time display");
    EXPECT_EQ(time->toolTip(), "Computer clock (stopped)");

    // A typed time stops a running display and recomputes the table.
    wz.Click("bthStartTimer");
    test::ClickOnWord(time, 0);
    test::Type("20 Mar 2026 20:00:00\t");
    EXPECT_FALSE(wz.Timer()->isActive());
    EXPECT_EQ(time->toolTip(), "Time entered by user");
    EXPECT_DOUBLE_EQ(test::TableTime(wz), MakeDateTime(2026, 3, 20, 20, 0, 0));
    check(MakeDateTime(2026, 3, 20, 20, 0, 0));

    // Leaving step 4 stops the clock.
    wz.Click("bthStartTimer");
    wz.Click("cmdNav_2");
    EXPECT_FALSE(wz.Timer()->isActive());
}

// Guards the header drag: a column dragged to the first place sorts the
// table by it (numerically for the magnitude), and the ticks keep that.
TEST(FrmStarFixWizard, HeaderDragSorts) {
    PlatformScript script;
    Wizard wz(Now());
    ToStep4(wz);
    test::DragHeader(wz, 3, 0);
    EXPECT_EQ(test::Cell(wz, 0, 0), "Magn. ");
    EXPECT_EQ(test::Cell(wz, 0, 1), "Name of the Star  ");
    const auto magnitudesAscend = [&] {
        for (int r = 2; r <= test::StarRows(wz); ++r)
            EXPECT_LE(test::Cell(wz, r - 1, 0).replace(',', '.').toDouble(),
                      test::Cell(wz, r, 0).replace(',', '.').toDouble());
    };
    magnitudesAscend();
    wz.clock->utcMs += 15000;
    wz.Click("bthStartTimer");  // the live display ticks at once
    EXPECT_EQ(test::Cell(wz, 0, 0), "Magn. ");
    magnitudesAscend();
    // The name column first: alphabetical.
    test::DragHeader(wz, 1, 0);
    for (int r = 2; r <= test::StarRows(wz); ++r)
        EXPECT_LT(test::Cell(wz, r - 1, 0), test::Cell(wz, r, 0));
    // A click on the body of the table only marks the user's order.
    auto* table = test::OwnNamed<QTableWidget>(wz, "grdStars");
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                      table->visualItemRect(table->item(0, 2)).center());
    EXPECT_EQ(test::Cell(wz, 0, 0), "Name of the Star  ");
    wz.Click("bthStartTimer");
}

// Guards the exits: every one stops the clock and tells the main window.
TEST(FrmStarFixWizard, ExitsStopTheClock) {
    PlatformScript script;
    {
        Wizard wz(Now());
        ToStep4(wz);
        wz.Click("bthStartTimer");
        wz.Click("cmdNav_1");  // Cancel
        EXPECT_FALSE(wz.Timer()->isActive());
        EXPECT_TRUE(wz->isHidden());
        EXPECT_EQ(wz.closed.calls, 1);
        EXPECT_TRUE(wz.closed.picture);
    }
    {
        Wizard wz(Now());
        ToStep4(wz);
        wz.Click("bthStartTimer");
        wz.Click("cmdNav_4");  // End
        EXPECT_FALSE(wz.Timer()->isActive());
        EXPECT_EQ(wz.closed.calls, 1);
        EXPECT_FALSE(wz.closed.picture);
    }
    {
        Wizard wz(Now());
        ToStep4(wz);
        wz.Click("bthStartTimer");
        wz->close();  // the close box
        EXPECT_FALSE(wz.Timer()->isActive());
        EXPECT_TRUE(wz->Unloaded());
        EXPECT_EQ(wz.closed.calls, 1);
        wz.w.release();  // the window deletes itself
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Guards the deactivation rule: the first loss minimises, a second within
// half a second unloads; and F5 minimises before the time-store dialog.
TEST(FrmStarFixWizard, DeactivationAndF5) {
    PlatformScript script;
    ManualClock seconds(1000.0);
    Wizard wz(Now());
    QWidget other;  // another window of the program
    other.setObjectName("other");
    const auto elsewhere = [&] {
        test::Activate(&other);
        QCoreApplication::processEvents();  // the wizard hears of it at the next turn
    };
    elsewhere();
    EXPECT_TRUE(wz->isMinimized());
    EXPECT_FALSE(wz->Unloaded());
    seconds.seconds = 1000.6;
    test::Activate(wz.w.get());
    elsewhere();
    EXPECT_TRUE(wz->isMinimized());
    EXPECT_FALSE(wz->Unloaded());
    seconds.seconds = 1000.9;
    test::Activate(wz.w.get());
    // The unloaded window deletes itself, possibly within the same turn of
    // events: watch it through a guard rather than touching it afterwards.
    QPointer<FrmStarFixWizard> guard(wz.w.release());
    elsewhere();
    EXPECT_TRUE(guard.isNull() || guard->Unloaded());
    EXPECT_EQ(wz.closed.calls, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());

    Wizard next(Now());
    test::Press(Qt::Key_F5);
    EXPECT_TRUE(next->isMinimized());
    EXPECT_EQ(next.timeStores, 1);
}

// Guards the main window's side: the wizard opens reset at step 1, the
// flag and the menu follow it, a second start only brings it forward, and
// the quit sequence unloads it.
TEST(FrmStarFixWizard, OpenedByTheMainWindow) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto main = test::StartedWindow(settings);
    test::GiveClock(*main, test::ClockAt(Now(), 1));
    test::Trigger(main.get(), "mnuStarFixWizardStart");
    FrmStarFixWizard* w = test::WizardOf(main.get());
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(main->State().WizardOpen);
    EXPECT_FALSE(test::ActionEnabled(main.get(), "mnuStarFixWizard"));
    EXPECT_EQ(w->Tag(), "FromOther");
    EXPECT_EQ(test::WizardStep(w), 1);
    EXPECT_DOUBLE_EQ(w->Inputs().date, MakeDateTime(2026, 3, 20));
    test::Activate(w);
    test::TypeInto(w, "mskLat", "45300n");
    test::Trigger(main.get(), "bthStarFixWizard");  // open: brought forward, nothing reset
    EXPECT_EQ(test::WizardOf(main.get()), w);
    EXPECT_TRUE(w->Inputs().entered[1]);
    test::ClickOn(w, "cmdNav_1");
    EXPECT_FALSE(main->State().WizardOpen);
    EXPECT_TRUE(test::ActionEnabled(main.get(), "mnuStarFixWizard"));
    // The next start resets the same window.
    test::Trigger(main.get(), "bthStarFixWizard");
    EXPECT_EQ(test::WizardOf(main.get()), w);
    EXPECT_FALSE(w->Inputs().entered[1]);
    EXPECT_TRUE(main->State().WizardOpen);
    w->hide();
}

// Pictures of the four steps and the live table.
TEST(FrmStarFixWizard, Screenshots) {
    PlatformScript script;
    Wizard wz(Now());
    FillStep1(wz);
    const auto save = [&](const QString& name) {
        const QPixmap pm = wz->grab();
        EXPECT_TRUE(pm.save(test::TestOutputFolder() + "/" + name + ".png"));
    };
    save("wizard-step1");
    wz.Click("cmdNav_3");
    wz.Click("optTime_1");
    save("wizard-step2");
    wz.Click("cmdNav_3");
    save("wizard-step3");
    wz.Click("cmdNav_3");
    save("wizard-step4");
    wz.clock->utcMs += 5 * 3600000;  // 19:00 UT
    wz.Click("bthStartTimer");
    save("wizard-step4-live");
    wz.Click("bthStartTimer");
    wz->hide();
}

}  // namespace
}  // namespace orvex
