// The azimuth tool: the true bearing of a body against ERFA, the gyro and
// compass errors as shown, the refusals byte for byte, the list of bodies
// above the horizon handed to a wizard window, and the tool's life under
// the main window.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolBar>
#include <cmath>

#include "companions/core/wizard_star_choice.h"
#include "companions/frm_azimuth.h"
#include "companions/frm_star_fix_wizard.h"
#include "erfa_places.h"
#include "navlib/date_time.h"
#include "navlib/number_format.h"
#include "platform/masked_field.h"
#include "platform/pc_clock.h"
#include "workbench/window_art.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

constexpr double kUnixEpochDays = 25569.0;

std::shared_ptr<ManualSystemClock> ClockAt(double utDays) {
    auto c = std::make_shared<ManualSystemClock>();
    c->utcMs = static_cast<std::int64_t>(std::llround((utDays - kUnixEpochDays) * 86400000.0));
    c->localOffsetSeconds = -5 * 3600;  // a PC five hours west: the tool works in UT
    c->standardBiasMinutes = 300;
    return c;
}

struct Tool {
    std::shared_ptr<ManualSystemClock> clock;
    int ended = 0;
    int wizardClosed = 0;
    std::unique_ptr<FrmAzimuth> w;
    explicit Tool(double now) : clock(ClockAt(now)) {
        CompanionLinks l;
        l.Clock = clock;
        l.AzimuthEnded = [this] { ++ended; };
        l.WizardClosed = [this](bool) { ++wizardClosed; };
        w = std::make_unique<FrmAzimuth>(l);
    }
    FrmAzimuth* operator->() { return w.get(); }
};

bool Enter(MaskedField* f, const QString& text) {
    f->SetMaskedText(text);
    return f->Commit();
}

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

// Guards a true bearing from a wrong hour angle (longitude sign, GHA and
// LHA confused) and errors of the wrong sign: Sirius's bearing agrees with
// ERFA, and the gyro error, true heading, compass error and deviation
// follow from it as a navigator works them.
TEST(FrmAzimuth, BearingAndErrorsOfAKnownCase) {
    PlatformScript script;
    Tool t(MakeDateTime(2026, 3, 20, 14, 37, 12));
    // Erase all put the UT cut down to the hour.
    EXPECT_DOUBLE_EQ(t->ObsTime(), MakeDateTime(2026, 3, 20, 14, 0, 0));
    t->cboBody->setCurrentText("SIRIUS");
    t->cboBody_LostFocus();
    t->SetTime(Evening());
    t->dtpTime_LostFocus();
    ASSERT_TRUE(Enter(t->mskLat, "45°30'.0 N"));
    ASSERT_TRUE(Enter(t->mskLong, "010°15'.0 W"));
    ASSERT_TRUE(Enter(t->mskCourse[0], "170°.0"));
    ASSERT_TRUE(Enter(t->mskCourse[1], "045°.0"));
    ASSERT_TRUE(Enter(t->mskCourse[2], "050°.0"));
    t->optEW_Click(1);  // west
    ASSERT_TRUE(Enter(t->mskVariation, "005°.0"));
    EXPECT_DOUBLE_EQ(t->Variation(), -5.0);
    EXPECT_TRUE(t->lblTrueBearing->isHidden());
    t->cmdCompute_Click();
    EXPECT_TRUE(script.messages.empty());
    EXPECT_FALSE(t->lblTrueBearing->isHidden());

    double az = 0, alt = 0;
    testing::ErfaStarAzAlt(StarCatalogue("SIRIUS"), Evening(), 45.5, -10.25, az, alt);
    const double zn = LabelDegrees(t->lblTrueBearing->text());
    EXPECT_NEAR(zn, az, 0.051);
    const double gyroError = LabelDegrees(t->lblErrg[0]->text());
    EXPECT_NEAR(gyroError, az - 170.0, 0.051);
    EXPECT_EQ(t->lblErrg[1]->text(), t->lblErrg[0]->text());
    // True heading = gyro heading + gyro error; compass error = true heading
    // - compass heading; deviation = compass error - (-5).
    const double trueHeading = LabelDegrees(t->lblTrueCourse[0]->text());
    EXPECT_NEAR(trueHeading, 45.0 + gyroError, 0.051);
    EXPECT_EQ(t->lblTrueCourse[1]->text(), t->lblTrueCourse[0]->text());
    EXPECT_NEAR(LabelDegrees(t->lblErrc[0]->text()), trueHeading - 50.0, 0.051);
    EXPECT_NEAR(LabelDegrees(t->lblDev->text()), trueHeading - 50.0 + 5.0, 0.051);
    EXPECT_EQ(t->mskVariation->MaskedText(), "005°.0");
    // The shown texts are the patterns' own: "+ " or "- " then the figure.
    EXPECT_TRUE(t->lblErrg[0]->text().startsWith("+ ")) << t->lblErrg[0]->text().toStdString();
    EXPECT_TRUE(t->lblErrc[0]->text().startsWith("- ")) << t->lblErrc[0]->text().toStdString();
    EXPECT_EQ(t->lblDev->text().toStdString(), FormatNumber(t->Deviation(), "+ ##0°.0;- ##0°.0"));
    // Hour angles and declination as degrees and minutes.
    EXPECT_EQ(t->lblDecl->text().right(2), " S");
    EXPECT_EQ(t->lblGHA->text().size(), 9);
    EXPECT_TRUE(t->lblLHA->text().contains("'."));
}

// Guards the refusals, byte for byte, and that a refused entry never
// becomes the stored value.
TEST(FrmAzimuth, Refusals) {
    PlatformScript script;
    Tool t(Evening());
    t->cmdCompute_Click();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, "Missing latitude/longitude");
    EXPECT_EQ(script.messages[0].text, "Please enter the latitude and/or longitude.");
    EXPECT_EQ(script.messages[0].style, kIconExclamation);
    EXPECT_TRUE(t->lblTrueBearing->isHidden());

    const struct {
        MaskedField* field;
        QString text;
        QString message;
        QString after;
    } cases[] = {
        {t->mskLat, "91°00'.0 N", "Latitude > 90°.", "91°00'.0 N"},
        {t->mskLat, "45°60'.0 N", "The latitude has more than 59'.", "45°60'.0 N"},
        {t->mskLat, "45°00'.0 W", "A latitude can only be N (North) or S (South).", "45°00'.0 W"},
        {t->mskLong, "181°00'.0 E", "Longitude > 180°.", "181°00'.0 E"},
        {t->mskLong, "010°60'.0 E", "The longitude has more than 59'.", "010°60'.0 E"},
        {t->mskLong, "010°00'.0 S", "A longitude can only be W (West) or E (East).", "010°00'.0 S"},
        {t->mskCourse[0], "400°.0", "Bearing or heading > 360°", "400°._"},
        {t->mskCourse[2], "361°.0", "Bearing or heading > 360°", "361°._"},
        {t->mskVariation, "500°.0", "The variation cannot be over 360°.", "500°._"},
    };
    for (const auto& c : cases) {
        script.Clear();
        EXPECT_FALSE(Enter(c.field, c.text));
        ASSERT_EQ(script.messages.size(), 1u) << c.text.toStdString();
        EXPECT_EQ(script.messages[0].title, " Error in input data");
        EXPECT_EQ(script.messages[0].style, kIconExclamation);
        EXPECT_EQ(script.messages[0].text, c.message);
        EXPECT_EQ(c.field->MaskedText(), c.after);
    }
    EXPECT_DOUBLE_EQ(t->Latitude(), 0.0);
    EXPECT_DOUBLE_EQ(t->Longitude(), 0.0);
    EXPECT_DOUBLE_EQ(t->Direction(0), 0.0);
    EXPECT_DOUBLE_EQ(t->Variation(), 0.0);

    // Keys: "n" becomes "N", "N" passes; "w" becomes "W".
    t->cmdEraseObsPos_Click(0);
    EXPECT_EQ(t->mskLat->MaskedText(), "__°__'._ _");
    t->mskLat->setCursorPosition(0);
    for (QChar c : QString("12345n")) t->mskLat->TypeChar(c);
    EXPECT_EQ(t->mskLat->MaskedText(), "12°34'.5 N");
    t->cmdEraseObsPos_Click(1);
    t->mskLong->setCursorPosition(0);
    for (QChar c : QString("0123456w")) t->mskLong->TypeChar(c);
    EXPECT_EQ(t->mskLong->MaskedText(), "012°34'.5 W");
    // The option buttons carry the sign of the variation.
    ASSERT_TRUE(Enter(t->mskVariation, "007°.5"));
    EXPECT_DOUBLE_EQ(t->Variation(), 7.5);
    t->optEW_Click(1);
    EXPECT_DOUBLE_EQ(t->Variation(), -7.5);
    t->optEW_Click(0);
    EXPECT_DOUBLE_EQ(t->Variation(), 7.5);
}

// Guards the list of visible bodies: asked first at 0°/0°, handed the
// tool's time and position, every body above the horizon (Sun included by
// day) in azimuth order at a height of eye of 10 m, and closed with End.
TEST(FrmAzimuth, WhatIsUp) {
    PlatformScript script;
    const double day = MakeDateTime(2026, 6, 21, 12, 0, 0);
    Tool t(day);
    script.answers = {kAnswerNo};
    t->cmdWhatIsUp_Click();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, "Missing latitude and longitude");
    EXPECT_EQ(script.messages[0].text,
              "The latitude and longitude are equal to zero.\r\nDo you want to display the "
              "visible stars for\r\na latitude of 0° and a longitude of 0° ?");
    EXPECT_EQ(script.messages[0].style, kIconQuestion + kButtonsYesNo + kDefaultButton2);
    EXPECT_EQ(DefaultAnswer(script.messages[0].style), kAnswerNo);
    EXPECT_EQ(t->WhatIsUpWindow(), nullptr);

    // Only one of them zero: no question.
    script.Clear();
    ASSERT_TRUE(Enter(t->mskLat, "45°30'.0 N"));
    t->cmdWhatIsUp_Click();
    EXPECT_TRUE(script.messages.empty());
    FrmStarFixWizard* first = t->WhatIsUpWindow();
    ASSERT_NE(first, nullptr);

    ASSERT_TRUE(Enter(t->mskLong, "010°15'.0 W"));
    t->cmdWhatIsUp_Click();
    FrmStarFixWizard* w = t->WhatIsUpWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_NE(w, first);  // each click a further window
    EXPECT_EQ(w->Tag(), "FromAzi");
    EXPECT_EQ(w->windowTitle(), " What is up?");
    EXPECT_DOUBLE_EQ(w->WizHeightEye(), 10.0);
    EXPECT_DOUBLE_EQ(w->WizDate(), day);
    EXPECT_DOUBLE_EQ(w->RealTime(), day);
    EXPECT_EQ(w->dtpRealTime->toolTip(), "Time of azimuth observation");
    EXPECT_TRUE(w->dtpRealTime->isReadOnly());
    EXPECT_EQ(w->lblStep[3]->text(), "Position of the stars on");
    for (int i : {1, 2, 3}) EXPECT_TRUE(w->cmdNav[i]->isHidden());
    EXPECT_TRUE(w->bthStartTimer->isHidden());
    EXPECT_TRUE(w->cmdNav[4]->isEnabled());
    EXPECT_FALSE(w->fraStep[3]->isHidden());
    const StarCandidates c = VisibleBodies(day, 45.5, -10.25, 10.0);
    EXPECT_EQ(w->WizRowCount(), c.Count());
    bool sun = false;
    for (int r = 1; r <= w->WizRowCount(); ++r) {
        sun |= w->Cell(r, 0) == "SUNLOW";
        if (r > 1) {
            EXPECT_LE(w->Cell(r - 1, 1), w->Cell(r, 1));
        }
    }
    EXPECT_TRUE(sun);

    // End on that window: the main window hears of it; the buttons return.
    w->cmdNav_Click(4);
    EXPECT_EQ(t.wizardClosed, 1);
    EXPECT_TRUE(w->isHidden());
    EXPECT_EQ(w->Tag(), "");

    // The tool's End unloads its latest window and gives the controls back.
    t->cmdEnd_Click();
    EXPECT_EQ(t.ended, 1);
    EXPECT_EQ(t->WhatIsUpWindow(), nullptr);
    EXPECT_TRUE(t->mskLat->IsEmptyEntry());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Guards the main window's side: eight controls off while the tool is up,
// back on after End.
TEST(FrmAzimuth, OpenedByTheMainWindow) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto main = test::StartedWindow(settings);
    main->Companions()->Clock = ClockAt(Evening());
    main->mnuAziGo_Click();
    FrmAzimuth* tool = main->Companions()->AzimuthTool();
    ASSERT_NE(tool, nullptr);
    EXPECT_FALSE(main->tlhWorking->isEnabled());
    EXPECT_FALSE(main->picStarFix->isEnabled());
    EXPECT_FALSE(main->Action("mnuAstro")->isEnabled());
    EXPECT_FALSE(main->Action("mnuAzi")->isEnabled());
    EXPECT_EQ(tool->cboBody->count(), 66);
    EXPECT_EQ(tool->mskLat->Mask().toStdString(), "9#°##'" + main->State().DecSep + "# ?");
    tool->cmdEnd_Click();
    EXPECT_TRUE(tool->isHidden());
    EXPECT_TRUE(main->tlhWorking->isEnabled());
    EXPECT_TRUE(main->picStarFix->isEnabled());
    EXPECT_TRUE(main->picRLGC->isEnabled());
    EXPECT_TRUE(main->picAzimuth->isEnabled());
    for (const char* n : {"mnuAstro", "mnuAzi", "mnuUtil", "mnuOptions"})
        EXPECT_TRUE(main->Action(n)->isEnabled()) << n;
    // Shown again: the same window.
    main->mnuAziGo_Click();
    EXPECT_EQ(main->Companions()->AzimuthTool(), tool);
    tool->cmdEnd_Click();
}

// Guards the loss of the navigator's wizard inputs: a window of the tool
// that ends clears the wizard flag (as every wizard window does), but the
// next wizard command only brings the open wizard forward, unreset.
TEST(FrmAzimuth, WhatIsUpEndKeepsTheOpenWizard) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto main = test::StartedWindow(settings);
    main->Companions()->Clock = ClockAt(Evening());
    main->mnuStarFixWizardStart_Click();
    FrmStarFixWizard* wizard = main->Companions()->StarFixWizard();
    ASSERT_NE(wizard, nullptr);
    ASSERT_TRUE(Enter(wizard->mskLat, "45°30'.0 N"));
    main->mnuAziGo_Click();
    FrmAzimuth* tool = main->Companions()->AzimuthTool();
    ASSERT_TRUE(Enter(tool->mskLat, "45°30'.0 N"));
    tool->cmdWhatIsUp_Click();
    ASSERT_NE(tool->WhatIsUpWindow(), nullptr);
    tool->WhatIsUpWindow()->cmdNav_Click(4);
    EXPECT_FALSE(main->State().WizardOpen);
    main->picStarFixWizard_Click();
    EXPECT_EQ(main->Companions()->StarFixWizard(), wizard);
    EXPECT_TRUE(wizard->WizEntered(1));
    EXPECT_DOUBLE_EQ(wizard->WizLat(), 45.5);
    EXPECT_TRUE(main->State().WizardOpen);
    tool->cmdEnd_Click();
    wizard->cmdNav_Click(1);
}

TEST(FrmAzimuth, Screenshots) {
    PlatformScript script;
    Tool t(Evening());
    t->show();
    const auto save = [](QWidget* w, const QString& name) {
        EXPECT_TRUE(w->grab().save(test::TestOutputFolder() + "/" + name + ".png"));
    };
    save(t.w.get(), "azimuth-empty");
    t->cboBody->setCurrentText("SIRIUS");
    t->cboBody_LostFocus();
    t->SetTime(Evening());
    t->dtpTime_LostFocus();
    Enter(t->mskLat, "45°30'.0 N");
    Enter(t->mskLong, "010°15'.0 W");
    Enter(t->mskCourse[0], "170°.0");
    Enter(t->mskCourse[1], "045°.0");
    Enter(t->mskCourse[2], "050°.0");
    t->optEW_Click(1);
    Enter(t->mskVariation, "005°.0");
    t->cmdCompute_Click();
    save(t.w.get(), "azimuth-computed");
    t->cmdWhatIsUp_Click();
    ASSERT_NE(t->WhatIsUpWindow(), nullptr);
    save(t->WhatIsUpWindow(), "azimuth-what-is-up");
    t->cmdEnd_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace orvex
