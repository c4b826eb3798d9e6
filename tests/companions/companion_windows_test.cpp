// The companion windows as a navigator meets them from the main window:
// the wizard typed through its steps, the azimuth tool opened and closed,
// where each window appears, and whose message boxes lie above which window.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QWindow>

#include "companions/frm_azimuth.h"
#include "companions/frm_star_fix_wizard.h"
#include "ephemeris/saturn_series.h"
#include "navlib/date_time.h"
#include "platform/help_window.h"
#include "platform/masked_field.h"
#include "platform/pc_clock.h"
#include "tests/keyboard.h"
#include "workbench/window_art.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

// A started main window, shown and active, whose companions read a PC clock
// set to `ut`.
struct Companions {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    std::unique_ptr<FrmWorking> main;

    explicit Companions(double ut, bool withPlanetFile = true) {
        if (withPlanetFile)
            QFile::copy(QString(ORVEX_PROGRAM_DIR) + "/Planet.dat", folder.Path() + "/Planet.dat");
        main = test::StartedWindow(settings);
        auto clock = std::make_shared<ManualSystemClock>();
        clock->utcMs = std::llround((ut - 25569.0) * 86400000.0);  // from 1 Jan 1970
        main->Companions()->Clock = clock;
        main->resize(1000, 700);
        main->show();
        QApplication::setActiveWindow(main.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(main.get()));
    }
    void Activate(QWidget* w) {
        QApplication::setActiveWindow(w);
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
    }
    FrmStarFixWizard* OpenWizard() {
        main->Action("mnuStarFixWizardStart")->trigger();
        FrmStarFixWizard* w = main->Companions()->StarFixWizard();
        if (w) Activate(w);
        return w;
    }
    static void TypeAndTab(MaskedField* f, const QString& keys) {
        f->setFocus(Qt::TabFocusReason);
        f->SetMaskedText(QString());
        f->setCursorPosition(0);
        test::Type(keys);
        test::Tab();
    }
    // The azimuth tool from the menu, with a position typed.
    FrmAzimuth* OpenTool() {
        main->Action("mnuAziGo")->trigger();
        FrmAzimuth* tool = main->Companions()->AzimuthTool();
        Activate(tool);
        TypeAndTab(tool->mskLat, "45300n");
        TypeAndTab(tool->mskLong, "010150w");
        return tool;
    }
    // Step 1 typed, then Next.
    static void TypeStep1(FrmStarFixWizard* w, const QString& lat, const QString& lon) {
        TypeAndTab(w->mskLat, lat);
        TypeAndTab(w->mskLong, lon);
        TypeAndTab(w->mskHeightM, "120");
        QTest::mouseClick(w->cmdNav[3], Qt::LeftButton);
    }
};

// Guards UT made of two clock readings: on the second of a daylight-saving
// step (01:00 UTC, local 01:59:59 CET -> 03:00:00 CEST) the azimuth tool's
// erase proposed 23:00 of the day before for the present hour, 00:00.
TEST(CompanionWindows, PresentHourFromOneClockReading) {
    Companions c(MakeDateTime(2026, 3, 29, 0, 0, 0));
    FrmAzimuth* tool = c.OpenTool();
    ASSERT_NE(tool, nullptr);
    auto clock = std::static_pointer_cast<ManualSystemClock>(c.main->Companions()->Clock);
    clock->SecondBeforeSpringChange();
    QTest::mouseClick(tool->cmdErase, Qt::LeftButton);
    EXPECT_EQ(tool->dtpTime->dateTime().date(), QDate(2026, 3, 29));
    EXPECT_EQ(tool->dtpTime->dateTime().time(), QTime(0, 0));
}

// Guards a star table laid out while its step was hidden: on its first
// showing every column is wide enough for its heading.
TEST(CompanionWindows, WizardStarTableReadableAtOnce) {
    Companions c(MakeDateTime(2026, 3, 20, 14, 0, 0));
    FrmStarFixWizard* w = c.OpenWizard();
    ASSERT_NE(w, nullptr);
    Companions::TypeStep1(w, "45300n", "010150w");
    QTest::mouseClick(w->cmdNav[3], Qt::LeftButton);
    QTest::mouseClick(w->cmdNav[3], Qt::LeftButton);
    ASSERT_EQ(w->WizStep(), 4) << c.script.LastText().toStdString();
    QHeaderView* header = w->grdStars->horizontalHeader();
    for (int col = 0; col < 4; ++col) {
        const QString text = w->grdStars->horizontalHeaderItem(col)->text().trimmed();
        EXPECT_GE(header->sectionSize(col), header->fontMetrics().horizontalAdvance(text) + 18)
            << text.toStdString();
    }
}

// Guards the twilight that does not exist (60 N in June, the Sun never at
// -9 degrees): one plain message instead of the search's technical boxes,
// the missing times shown as not available, the stars proposed for the
// time the user types, and never the date value 0 (30 Dec 1899) as a time.
TEST(CompanionWindows, WizardWithoutTheMorningTwilight) {
    Companions c(MakeDateTime(2026, 6, 9, 12, 0, 0));
    FrmStarFixWizard* w = c.OpenWizard();
    ASSERT_NE(w, nullptr);
    Companions::TypeStep1(w, "60000n", "005000e");
    ASSERT_EQ(w->WizStep(), 2);
    ASSERT_EQ(c.script.messages.size(), 1u) << c.script.LastText().toStdString();
    EXPECT_EQ(c.script.messages[0].style, kIconInformation);
    EXPECT_TRUE(c.script.messages[0].text.startsWith(
        "At this date and place the Sun does not reach 9° below the horizon."));
    EXPECT_EQ(w->lblTimes[0]->text(), QString("—"));
    EXPECT_EQ(w->lblTimes[8]->text(), QString("—"));

    // Sunrise has no start of observations: its time is typed instead.
    auto* typed = w->findChild<QDateTimeEdit*>("dtpObsTime");
    ASSERT_NE(typed, nullptr);
    EXPECT_TRUE(typed->isVisible());
    QTest::mouseClick(w->optTime[1], Qt::LeftButton);
    EXPECT_FALSE(typed->isVisible());  // the evening one exists
    QTest::mouseClick(w->optTime[0], Qt::LeftButton);
    ASSERT_TRUE(typed->isVisible());
    typed->setFocus(Qt::TabFocusReason);
    test::Type("9 Jun20260130");  // a full section moves on by itself
    QTest::mouseClick(w->cmdNav[3], Qt::LeftButton);
    ASSERT_EQ(w->WizStep(), 3);
    QTest::mouseClick(w->cmdNav[2], Qt::LeftButton);  // back: the typed time stays
    QTest::mouseClick(w->cmdNav[3], Qt::LeftButton);
    EXPECT_TRUE(w->lblStep[2]->text().contains("from 9 Jun 2026 01:30"))
        << w->lblStep[2]->text().toStdString();
    QTest::mouseClick(w->cmdNav[3], Qt::LeftButton);
    ASSERT_EQ(w->WizStep(), 4);
    EXPECT_DOUBLE_EQ(w->RealTime(), MakeDateTime(2026, 6, 9, 1, 30, 0));
    EXPECT_EQ(c.script.messages.size(), 1u) << c.script.LastText().toStdString();

    for (auto* l : w->findChildren<QLabel*>()) EXPECT_FALSE(l->text().contains("1899"));
    for (auto* d : w->findChildren<QDateTimeEdit*>()) EXPECT_FALSE(d->text().contains("1899"));
}

// The Sun time of step 2 from which step 3 proposes its stars: one of the
// morning times (rows 0 to 3) for Sunrise, of the evening times (5 to 8)
// for Sunset; -1 when the caption shows none of them.
int ProposedFromRow(FrmStarFixWizard* w, bool morning) {
    QTest::mouseClick(w->cmdNav[3], Qt::LeftButton);
    EXPECT_EQ(w->WizStep(), 3);
    const QString caption = w->lblStep[2]->text();
    QTest::mouseClick(w->cmdNav[2], Qt::LeftButton);
    for (int i = morning ? 0 : 5; i <= (morning ? 3 : 8); ++i)
        if (caption == "Select the stars you want to observe from " + w->lblTimes[i]->text() + ".")
            return i;
    ADD_FAILURE() << caption.toStdString();
    return -1;
}

// Guards the suggested time of observation, which stayed that of the
// twilight chosen when the Sun's times were computed: Sunset, Back, a new
// height, Next and Sunrise proposed the stars of 22:02 for the morning at
// 60 N in June; a fresh wizard at 66 N on midsummer's day with Sunset
// proposed those of the sunrise. Each choice now proposes its own twilight.
TEST(CompanionWindows, WizardTimeFollowsTheTwilightChosen) {
    {
        Companions c(MakeDateTime(2026, 6, 10, 12, 0, 0));
        FrmStarFixWizard* w = c.OpenWizard();
        ASSERT_NE(w, nullptr);
        Companions::TypeStep1(w, "60000n", "010000w");
        ASSERT_EQ(w->WizStep(), 2);
        QTest::mouseClick(w->optTime[1], Qt::LeftButton);
        QTest::mouseClick(w->cmdNav[2], Qt::LeftButton);
        Companions::TypeAndTab(w->mskHeightM, "150");
        QTest::mouseClick(w->cmdNav[3], Qt::LeftButton);
        ASSERT_EQ(w->WizStep(), 2);
        EXPECT_GE(ProposedFromRow(w, false), 5);
        QTest::mouseClick(w->optTime[0], Qt::LeftButton);
        EXPECT_GE(ProposedFromRow(w, true), 0);
    }
    Companions c(MakeDateTime(2026, 6, 21, 12, 0, 0));
    FrmStarFixWizard* w = c.OpenWizard();
    ASSERT_NE(w, nullptr);
    Companions::TypeStep1(w, "66000n", "000000e");
    ASSERT_EQ(w->WizStep(), 2);
    QTest::mouseClick(w->optTime[1], Qt::LeftButton);
    EXPECT_GE(ProposedFromRow(w, false), 5);
    QTest::mouseClick(w->optTime[0], Qt::LeftButton);
    EXPECT_GE(ProposedFromRow(w, true), 0);
}

// The names of the controls Tab reaches from `from`, `count` keys.
QStringList TabWalk(QWidget* from, int count) {
    from->setFocus(Qt::TabFocusReason);
    QStringList names;
    for (int i = 0; i < count; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        names << QApplication::focusWidget()->objectName();
    }
    return names;
}

// Guards Tab in the wizard and the azimuth tool, which went down a column
// (latitude, longitude, then the erase buttons): it follows the rows.
TEST(CompanionWindows, TabFollowsTheRows) {
    Companions c(MakeDateTime(2026, 3, 20, 19, 0, 0));
    FrmStarFixWizard* w = c.OpenWizard();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(TabWalk(w->mskLat, 6), QStringList({"cmdEraseObsPos_0", "mskLong", "cmdEraseObsPos_1",
                                                  "mskHeightM", "mskHeightF", "cmdErase"}));
    QTest::keyClick(w, Qt::Key_Escape);
    FrmAzimuth* tool = c.OpenTool();
    EXPECT_EQ(TabWalk(tool->mskLat, 5),
              QStringList({"cmdEraseObsPos_0", "mskLong", "cmdEraseObsPos_1", "mskCourse_0",
                           "mskCourse_1"}));
    EXPECT_TRUE(c.script.messages.empty()) << c.script.LastText().toStdString();
    tool->cmdEnd_Click();
}

// Guards the azimuth tool's close box, which left the main window's start
// pictures, toolbar and four menus disabled until the program was started
// again: it now acts as End.
TEST(CompanionWindows, AzimuthCloseBoxActsAsEnd) {
    Companions c(MakeDateTime(2026, 3, 20, 19, 0, 0));
    FrmAzimuth* tool = c.OpenTool();
    QTest::mouseClick(tool->cmdWhatIsUp, Qt::LeftButton);
    QPointer<FrmStarFixWizard> up = tool->WhatIsUpWindow();
    ASSERT_FALSE(up.isNull());
    EXPECT_FALSE(c.main->tlhWorking->isEnabled());

    tool->close();  // the close box
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(tool->isHidden());
    EXPECT_TRUE(up.isNull());
    EXPECT_TRUE(tool->mskLat->IsEmptyEntry());
    EXPECT_TRUE(c.main->tlhWorking->isEnabled());
    for (QWidget* p : {c.main->picStarFix, c.main->picRLGC, c.main->picAzimuth})
        EXPECT_TRUE(p->isEnabled()) << p->objectName().toStdString();
    for (const char* n : {"mnuAstro", "mnuAzi", "mnuUtil", "mnuOptions"})
        EXPECT_TRUE(c.main->Action(n)->isEnabled()) << n;
}

// Guards the companions falling behind the main window: each stays above
// it, and the boxes raised while the navigator works in one (here the
// library's report of the missing Saturn file) lie above that window, not
// above the main window.
TEST(CompanionWindows, CompanionsAndTheirBoxesStayAboveTheMainWindow) {
    ResetSaturnSeries();
    Companions c(MakeDateTime(2026, 3, 20, 14, 0, 0), false);
    std::vector<QWidget*> owners;
    c.script.onMessage = [&](const PlatformScript::Message& m) { owners.push_back(m.owner); };
    FrmStarFixWizard* w = c.OpenWizard();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowHandle()->transientParent(), c.main->windowHandle());
    Companions::TypeStep1(w, "45300n", "010150w");
    QTest::mouseClick(w->cmdNav[3], Qt::LeftButton);
    ASSERT_EQ(w->WizStep(), 3);
    ASSERT_FALSE(owners.empty());
    for (QWidget* o : owners) EXPECT_EQ(o, w);
    QTest::mouseClick(w->cmdNav[1], Qt::LeftButton);  // Cancel

    ResetSaturnSeries();
    owners.clear();
    FrmAzimuth* tool = c.OpenTool();
    EXPECT_EQ(tool->windowHandle()->transientParent(), c.main->windowHandle());
    tool->cboBody->setFocus();
    QTest::keyClicks(tool->cboBody, "SATURN");
    QTest::mouseClick(tool->cmdCompute, Qt::LeftButton);
    QTest::mouseClick(tool->cmdWhatIsUp, Qt::LeftButton);
    ASSERT_FALSE(owners.empty());
    for (QWidget* o : owners) EXPECT_EQ(o, tool);
    FrmStarFixWizard* up = tool->WhatIsUpWindow();
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(up->windowHandle()->transientParent(), tool->windowHandle());
    tool->cmdEnd_Click();
    ResetSaturnSeries();
}

// Whether `w` lies wholly on the main window's screen, and centred on the
// main window as far as the screen allows.
void ExpectPlaced(QWidget* w, const FrmWorking& main, bool centred) {
    ASSERT_TRUE(w->isVisible()) << w->objectName().toStdString();
    const QRect frame = w->frameGeometry();
    EXPECT_TRUE(main.screen()->availableGeometry().contains(frame)) << frame.bottom();
    if (centred) {
        EXPECT_LE((frame.center() - main.frameGeometry().center()).manhattanLength(), 4);
    }
}

// Guards windows opened off the screen or in a corner (the wizard below
// the screen's bottom, the azimuth tool grown past it after Compute, the
// manual in a corner): each opens wholly on the main window's screen,
// centred on the main window, and the wizard and the manual close with
// Escape as with their close box.
TEST(CompanionWindows, WindowsOpenOnTheScreenCentredOnTheMainWindow) {
    Companions c(MakeDateTime(2026, 3, 20, 19, 0, 0));
    c.folder.Write("help/index.html", "<html><body><h1>Manual</h1></body></html>");
    const QRect screen = c.main->screen()->availableGeometry();
    c.main->resize(screen.width() * 3 / 4, screen.height() * 3 / 4);
    c.main->move(screen.center() - c.main->rect().center());

    FrmStarFixWizard* wizard = c.OpenWizard();
    ExpectPlaced(wizard, *c.main, true);
    QTest::keyClick(wizard, Qt::Key_Escape);
    EXPECT_TRUE(c.main->Action("mnuStarFixWizard")->isEnabled());
    EXPECT_FALSE(c.main->State().WizardOpen);

    c.main->Action("mnuHelpManual")->trigger();
    QWidget* manual = c.main->findChild<QWidget*>("frmHelp");
    ASSERT_NE(manual, nullptr);
    c.Activate(manual);
    ExpectPlaced(manual, *c.main, true);
    QTest::keyClick(manual, Qt::Key_Escape);
    EXPECT_EQ(OpenHelpWindowCount(), 0);

    // The main window half past the screen's bottom right corner: the
    // windows shown there for the first time were placed without their
    // frame and opened past the bottom.
    c.main->move(screen.center());
    c.main->Companions()->UnloadWizard();
    wizard = c.OpenWizard();
    ExpectPlaced(wizard, *c.main, false);
    QTest::keyClick(wizard, Qt::Key_Escape);
    c.main->Action("mnuHelpManual")->trigger();
    manual = c.main->findChild<QWidget*>("frmHelp");
    ExpectPlaced(manual, *c.main, false);
    QTest::keyClick(manual, Qt::Key_Escape);
    FrmAzimuth* tool = c.OpenTool();
    ExpectPlaced(tool, *c.main, false);
    QTest::mouseClick(tool->cmdCompute, Qt::LeftButton);
    ExpectPlaced(tool, *c.main, false);
    QTest::mouseClick(tool->cmdWhatIsUp, Qt::LeftButton);
    ASSERT_NE(tool->WhatIsUpWindow(), nullptr) << c.script.LastText().toStdString();
    ExpectPlaced(tool->WhatIsUpWindow(), *c.main, false);
    tool->cmdEnd_Click();
}

}  // namespace
}  // namespace orvex
