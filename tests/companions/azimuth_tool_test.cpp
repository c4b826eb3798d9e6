// The azimuth tool: the true bearing of a body against ERFA, the gyro and
// compass errors as shown, the refusals byte for byte, the list of bodies
// above the horizon handed to a wizard window, and the tool's life under
// the main window.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <cmath>

#include "companion_driver.h"
#include "companions/core/wizard_star_choice.h"
#include "erfa_places.h"
#include "navlib/number_format.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

// The tool as the main window makes it, shown and active, on a PC five
// hours west of Greenwich (the tool works in UT).
struct Tool {
    std::shared_ptr<ManualSystemClock> clock;
    int ended = 0;
    int wizardClosed = 0;
    std::unique_ptr<FrmAzimuth> w;
    explicit Tool(double now) : clock(test::ClockAt(now, -5)) {
        CompanionLinks l;
        l.Clock = clock;
        l.AzimuthEnded = [this] { ++ended; };
        l.WizardClosed = [this](bool) { ++wizardClosed; };
        w = std::make_unique<FrmAzimuth>(l);
        test::Activate(w.get());
    }
    FrmAzimuth* operator->() { return w.get(); }
    operator const QWidget*() const { return w.get(); }
    void Click(const QString& name) { test::ClickOn(w.get(), name); }
    QString Shown(const QString& name) const { return test::Shown(w.get(), name); }
};

// "+ 12°.5", "- 3°.0", "170°.3" back to degrees.
double LabelDegrees(const QString& text) {
    QString t = text;
    const bool negative = t.startsWith("- ");
    t.remove("+ ").remove("- ").remove(QChar(0x00B0));
    return (negative ? -1 : 1) * t.toDouble();
}

double Evening() {
    return MakeDateTime(2026, 3, 20, 19, 0, 0);
}

// Sirius at 19:00 UT from 45°30' N 10°15' W: the gyro reads its bearing
// 170°.0 and the heading 045°.0, the compass 050°.0, the variation 5° W.
void TypeTheKnownCase(Tool& t) {
    ASSERT_TRUE(test::Enter(test::OwnNamed<QWidget>(t, "cboBody"), test::Way::Tab));
    test::Type("SIRIUS\t");
    test::ClickOnWord(test::OwnNamed<QWidget>(t, "dtpTime"), 0);
    test::Type("20 Mar 2026 19:00:00\t");
    test::TypeInto(t, "mskLat", "45300n");
    test::TypeInto(t, "mskLong", "010150w");
    test::TypeInto(t, "mskCourse_0", "1700");
    test::TypeInto(t, "mskCourse_1", "0450");
    test::TypeInto(t, "mskCourse_2", "0500");
    t.Click("optEW_1");  // west
    test::TypeInto(t, "mskVariation", "0050");
}

// Guards a true bearing from a wrong hour angle (longitude sign, GHA and
// LHA confused) and errors of the wrong sign: Sirius's bearing agrees with
// ERFA, and the gyro error, true heading, compass error and deviation
// follow from it as a navigator works them.
TEST(FrmAzimuth, BearingAndErrorsOfAKnownCase) {
    PlatformScript script;
    Tool t(MakeDateTime(2026, 3, 20, 14, 37, 12));
    // Erase all put the UT cut down to the hour.
    EXPECT_EQ(t.Shown("dtpTime"), "20 Mar 2026 14:00:00");
    EXPECT_DOUBLE_EQ(t->Inputs().obsTime, MakeDateTime(2026, 3, 20, 14, 0, 0));
    TypeTheKnownCase(t);
    EXPECT_EQ(test::OwnNamed<QComboBox>(t, "cboBody")->currentText(), "SIRIUS");
    EXPECT_DOUBLE_EQ(t->Inputs().obsTime, Evening());
    EXPECT_DOUBLE_EQ(t->Inputs().variation, -5.0);
    EXPECT_TRUE(test::HiddenIn(t, "lblTrueBearing"));
    t.Click("cmdCompute");
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    EXPECT_FALSE(test::HiddenIn(t, "lblTrueBearing"));

    double az = 0, alt = 0;
    testing::ErfaStarAzAlt(StarCatalogue("SIRIUS"), Evening(), 45.5, -10.25, az, alt);
    const double zn = LabelDegrees(t.Shown("lblTrueBearing"));
    EXPECT_NEAR(zn, az, 0.051);
    const double gyroError = LabelDegrees(t.Shown("lblErrg_0"));
    EXPECT_NEAR(gyroError, az - 170.0, 0.051);
    EXPECT_EQ(t.Shown("lblErrg_1"), t.Shown("lblErrg_0"));
    // True heading = gyro heading + gyro error; compass error = true heading
    // - compass heading; deviation = compass error - (-5).
    const double trueHeading = LabelDegrees(t.Shown("lblTrueCourse_0"));
    EXPECT_NEAR(trueHeading, 45.0 + gyroError, 0.051);
    EXPECT_EQ(t.Shown("lblTrueCourse_1"), t.Shown("lblTrueCourse_0"));
    EXPECT_NEAR(LabelDegrees(t.Shown("lblErrc_0")), trueHeading - 50.0, 0.051);
    EXPECT_NEAR(LabelDegrees(t.Shown("lblDev")), trueHeading - 50.0 + 5.0, 0.051);
    EXPECT_EQ(t.Shown("mskVariation"), "005°.0");
    // The shown texts are the patterns' own: "+ " or "- " then the figure.
    EXPECT_TRUE(t.Shown("lblErrg_0").startsWith("+ ")) << t.Shown("lblErrg_0").toStdString();
    EXPECT_TRUE(t.Shown("lblErrc_0").startsWith("- ")) << t.Shown("lblErrc_0").toStdString();
    EXPECT_EQ(t.Shown("lblDev").toStdString(),
              FormatNumber(LabelDegrees(t.Shown("lblDev")), "+ ##0°.0;- ##0°.0"));
    // Hour angles and declination as degrees and minutes.
    EXPECT_EQ(t.Shown("lblDecl").right(2), " S");
    EXPECT_EQ(t.Shown("lblGHA").size(), 9);
    EXPECT_TRUE(t.Shown("lblLHA").contains("'."));
}

// Guards the refusals, byte for byte, and that a refused entry never
// becomes the stored value.
TEST(FrmAzimuth, Refusals) {
    PlatformScript script;
    Tool t(Evening());
    t.Click("cmdCompute");
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, "Missing latitude/longitude");
    EXPECT_EQ(script.messages[0].text, "Please enter the latitude and/or longitude.");
    EXPECT_EQ(script.messages[0].style, kIconExclamation);
    EXPECT_TRUE(test::HiddenIn(t, "lblTrueBearing"));

    const struct {
        const char* field;
        QString text;
        QString message;
        QString after;
    } cases[] = {
        {"mskLat", "91°00'.0 N", "Latitude > 90°.", "91°00'.0 N"},
        {"mskLat", "45°60'.0 N", "The latitude has more than 59'.", "45°60'.0 N"},
        {"mskLat", "45°00'.0 W", "A latitude can only be N (North) or S (South).", "45°00'.0 W"},
        {"mskLong", "181°00'.0 E", "Longitude > 180°.", "181°00'.0 E"},
        {"mskLong", "010°60'.0 E", "The longitude has more than 59'.", "010°60'.0 E"},
        {"mskLong", "010°00'.0 S", "A longitude can only be W (West) or E (East).", "010°00'.0 S"},
        {"mskCourse_0", "400°.0", "Bearing or heading > 360°", "400°._"},
        {"mskCourse_2", "361°.0", "Bearing or heading > 360°", "361°._"},
        {"mskVariation", "500°.0", "The variation cannot be over 360°.", "500°._"},
    };
    for (const auto& c : cases) {
        script.Clear();
        EXPECT_FALSE(test::EnterText(t, c.field, c.text));
        ASSERT_EQ(script.messages.size(), 1u) << c.text.toStdString();
        EXPECT_EQ(script.messages[0].title, " Error in input data");
        EXPECT_EQ(script.messages[0].style, kIconExclamation);
        EXPECT_EQ(script.messages[0].text, c.message);
        EXPECT_EQ(t.Shown(c.field), c.after);
    }
    const AzimuthInputs& in = t->Inputs();
    EXPECT_DOUBLE_EQ(in.lat, 0.0);
    EXPECT_DOUBLE_EQ(in.lon, 0.0);
    EXPECT_DOUBLE_EQ(in.direction[0], 0.0);
    EXPECT_DOUBLE_EQ(in.variation, 0.0);

    // The option buttons carry the sign of the variation.
    script.Clear();
    test::TypeInto(t, "mskVariation", "0075");  // the refused field put right
    EXPECT_DOUBLE_EQ(in.variation, 7.5);
    t.Click("optEW_1");
    EXPECT_DOUBLE_EQ(in.variation, -7.5);
    t.Click("optEW_0");
    EXPECT_DOUBLE_EQ(in.variation, 7.5);
    // Keys: "n" becomes "N", "w" becomes "W".
    t.Click("cmdEraseObsPos_0");
    EXPECT_EQ(t.Shown("mskLat"), "__°__'._ _");
    test::TypeInto(t, "mskLat", "12345n");
    EXPECT_EQ(t.Shown("mskLat"), "12°34'.5 N");
    t.Click("cmdEraseObsPos_1");
    test::TypeInto(t, "mskLong", "0123456w");
    EXPECT_EQ(t.Shown("mskLong"), "012°34'.5 W");
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
}

// Guards the list of visible bodies: asked first at 0°/0°, handed the
// tool's time and position, every body above the horizon (Sun included by
// day) in azimuth order at a height of eye of 10 m, and closed with End.
TEST(FrmAzimuth, WhatIsUp) {
    PlatformScript script;
    const double day = MakeDateTime(2026, 6, 21, 12, 0, 0);
    Tool t(day);
    script.answers = {kAnswerNo};
    t.Click("cmdWhatIsUp");
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, "Missing latitude and longitude");
    EXPECT_EQ(script.messages[0].text,
              "The latitude and longitude are equal to zero.\r\nDo you want to display the "
              "visible stars for\r\na latitude of 0° and a longitude of 0° ?");
    EXPECT_EQ(script.messages[0].style, kIconQuestion + kButtonsYesNo + kDefaultButton2);
    EXPECT_EQ(DefaultAnswer(script.messages[0].style), kAnswerNo);
    EXPECT_EQ(test::WizardOf(t), nullptr);

    // Only one of them zero: no question.
    script.Clear();
    test::TypeInto(t, "mskLat", "45300n");
    t.Click("cmdWhatIsUp");
    EXPECT_TRUE(script.messages.empty());
    FrmStarFixWizard* first = test::WizardOf(t);
    ASSERT_NE(first, nullptr);

    test::Activate(t.w.get());
    test::TypeInto(t, "mskLong", "010150w");
    t.Click("cmdWhatIsUp");
    FrmStarFixWizard* w = test::WizardOf(t);
    ASSERT_NE(w, nullptr);
    EXPECT_NE(w, first);  // each click a further window
    EXPECT_EQ(w->Tag(), "FromAzi");
    EXPECT_EQ(w->windowTitle(), " What is up?");
    EXPECT_DOUBLE_EQ(w->Inputs().heightEye, 10.0);
    EXPECT_DOUBLE_EQ(w->Inputs().date, day);
    EXPECT_DOUBLE_EQ(test::TableTime(w), day);
    auto* time = test::OwnNamed<QDateTimeEdit>(w, "dtpRealTime");
    EXPECT_EQ(time->toolTip(), "Time of azimuth observation");
    EXPECT_TRUE(time->isReadOnly());
    EXPECT_EQ(test::Shown(w, "lblStep_3"), "Position of the stars on");
    for (const char* n : {"cmdNav_1", "cmdNav_2", "cmdNav_3", "bthStartTimer"})
        EXPECT_TRUE(test::HiddenIn(w, n)) << n;
    EXPECT_TRUE(test::EnabledIn(w, "cmdNav_4"));
    EXPECT_FALSE(test::HiddenIn(w, "fraStep_3"));
    const StarCandidates c = VisibleBodies(day, 45.5, -10.25, 10.0);
    EXPECT_EQ(test::StarRows(w), c.Count());
    bool sun = false;
    for (int r = 1; r <= test::StarRows(w); ++r) {
        sun |= test::Cell(w, r, 0) == "SUNLOW";
        if (r > 1) {
            EXPECT_LE(test::Cell(w, r - 1, 1), test::Cell(w, r, 1));
        }
    }
    EXPECT_TRUE(sun);

    // End on that window: the main window hears of it; the buttons return.
    test::Activate(w);
    test::ClickOn(w, "cmdNav_4");
    EXPECT_EQ(t.wizardClosed, 1);
    EXPECT_TRUE(w->isHidden());
    EXPECT_EQ(w->Tag(), "");

    // The tool's End unloads its latest window and gives the controls back.
    QPointer<FrmStarFixWizard> latest = w;
    test::Activate(t.w.get());
    t.Click("cmdEnd");
    EXPECT_EQ(t.ended, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(latest.isNull());
    EXPECT_EQ(t.Shown("mskLat"), "__°__'._ _");
}

// Guards the main window's side: eight controls off while the tool is up,
// back on after End.
TEST(FrmAzimuth, OpenedByTheMainWindow) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto main = test::StartedWindow(settings);
    const QWidget* m = main.get();
    test::GiveClock(*main, test::ClockAt(Evening(), -5));
    test::Trigger(m, "mnuAziGo");
    FrmAzimuth* tool = test::AzimuthToolOf(m);
    ASSERT_NE(tool, nullptr);
    EXPECT_FALSE(test::EnabledIn(m, "tlhWorking"));
    EXPECT_FALSE(test::EnabledIn(m, "picStarFix"));
    EXPECT_FALSE(test::ActionEnabled(m, "mnuAstro"));
    EXPECT_FALSE(test::ActionEnabled(m, "mnuAzi"));
    EXPECT_EQ(test::OwnNamed<QComboBox>(tool, "cboBody")->count(), 66);
    EXPECT_EQ(test::OwnNamed<MaskedField>(tool, "mskLat")->Mask().toStdString(),
              "9#°##'" + main->State().DecSep + "# ?");
    test::Activate(tool);
    test::ClickOn(tool, "cmdEnd");
    EXPECT_TRUE(tool->isHidden());
    for (const char* n : {"tlhWorking", "picStarFix", "picRLGC", "picAzimuth"})
        EXPECT_TRUE(test::EnabledIn(m, n)) << n;
    for (const char* n : {"mnuAstro", "mnuAzi", "mnuUtil", "mnuOptions"})
        EXPECT_TRUE(test::ActionEnabled(m, n)) << n;
    // Shown again: the same window.
    test::Trigger(m, "mnuAziGo");
    EXPECT_EQ(test::AzimuthToolOf(m), tool);
    tool->close();
}

// Guards the loss of the navigator's wizard inputs: a window of the tool
// that ends clears the wizard flag (as every wizard window does), but the
// next wizard command only brings the open wizard forward, unreset.
TEST(FrmAzimuth, WhatIsUpEndKeepsTheOpenWizard) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto main = test::StartedWindow(settings);
    const QWidget* m = main.get();
    test::GiveClock(*main, test::ClockAt(Evening(), -5));
    test::Trigger(m, "mnuStarFixWizardStart");
    FrmStarFixWizard* wizard = test::WizardOf(m);
    ASSERT_NE(wizard, nullptr);
    test::Activate(wizard);
    test::TypeInto(wizard, "mskLat", "45300n");
    test::Trigger(m, "mnuAziGo");
    FrmAzimuth* tool = test::AzimuthToolOf(m);
    test::Activate(tool);
    test::TypeInto(tool, "mskLat", "45300n");
    test::ClickOn(tool, "cmdWhatIsUp");
    FrmStarFixWizard* up = test::WizardOf(tool);
    ASSERT_NE(up, nullptr);
    test::ClickOn(up, "cmdNav_4");
    EXPECT_FALSE(main->State().WizardOpen);
    test::Trigger(m, "bthStarFixWizard");
    EXPECT_EQ(test::WizardOf(m), wizard);
    EXPECT_TRUE(wizard->Inputs().entered[1]);
    EXPECT_DOUBLE_EQ(wizard->Inputs().lat, 45.5);
    EXPECT_TRUE(main->State().WizardOpen);
    tool->close();
    wizard->close();
}

TEST(FrmAzimuth, Screenshots) {
    PlatformScript script;
    Tool t(Evening());
    const auto save = [](QWidget* w, const QString& name) {
        EXPECT_TRUE(w->grab().save(test::TestOutputFolder() + "/" + name + ".png"));
    };
    save(t.w.get(), "azimuth-empty");
    TypeTheKnownCase(t);
    t.Click("cmdCompute");
    save(t.w.get(), "azimuth-computed");
    t.Click("cmdWhatIsUp");
    ASSERT_NE(test::WizardOf(t), nullptr);
    save(test::WizardOf(t), "azimuth-what-is-up");
    t->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace orvex
