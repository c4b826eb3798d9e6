// The companion windows as a navigator meets them from the main window:
// the wizard typed through its steps, the azimuth tool opened and closed,
// where each window appears, and whose message boxes lie above which window.
#include <gtest/gtest.h>

#include <QFile>
#include <QHeaderView>
#include <QPointer>
#include <QScreen>
#include <QWindow>

#include "companion_driver.h"
#include "ephemeris/saturn_series.h"
#include "platform/help_window.h"
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
    std::shared_ptr<ManualSystemClock> clock;

    explicit Companions(double ut, bool withPlanetFile = true) {
        if (withPlanetFile)
            QFile::copy(QString(ORVEX_PROGRAM_DIR) + "/Planet.dat", folder.Path() + "/Planet.dat");
        main = test::StartedWindow(settings);
        clock = test::GiveClock(*main, test::ClockAt(ut));
        main->resize(1000, 700);
        test::Activate(main.get());
    }
    FrmStarFixWizard* OpenWizard() {
        test::Trigger(main.get(), "mnuStarFixWizardStart");
        FrmStarFixWizard* w = test::WizardOf(main.get());
        if (w) test::Activate(w);
        return w;
    }
    // The azimuth tool from the menu, with a position typed.
    FrmAzimuth* OpenTool() {
        test::Trigger(main.get(), "mnuAziGo");
        FrmAzimuth* tool = test::AzimuthToolOf(main.get());
        test::Activate(tool);
        test::TypeInto(tool, "mskLat", "45300n");
        test::TypeInto(tool, "mskLong", "010150w");
        return tool;
    }
    // Step 1 typed, then Next.
    static void TypeStep1(FrmStarFixWizard* w, const QString& lat, const QString& lon) {
        test::TypeInto(w, "mskLat", lat);
        test::TypeInto(w, "mskLong", lon);
        test::TypeInto(w, "mskHeightM", "120");
        test::ClickOn(w, "cmdNav_3");
    }
};

// Guards UT made of two clock readings: on the second of a daylight-saving
// step (01:00 UTC, local 01:59:59 CET -> 03:00:00 CEST) the azimuth tool's
// erase proposed 23:00 of the day before for the present hour, 00:00.
TEST(CompanionWindows, PresentHourFromOneClockReading) {
    Companions c(MakeDateTime(2026, 3, 29, 0, 0, 0));
    FrmAzimuth* tool = c.OpenTool();
    ASSERT_NE(tool, nullptr);
    c.clock->SecondBeforeSpringChange();
    test::ClickOn(tool, "cmdErase");
    EXPECT_EQ(test::Shown(tool, "dtpTime"), "29 Mar 2026 00:00:00");
}

// Guards a star table laid out while its step was hidden: on its first
// showing every column is wide enough for its heading.
TEST(CompanionWindows, WizardStarTableReadableAtOnce) {
    Companions c(MakeDateTime(2026, 3, 20, 14, 0, 0));
    FrmStarFixWizard* w = c.OpenWizard();
    ASSERT_NE(w, nullptr);
    Companions::TypeStep1(w, "45300n", "010150w");
    test::ClickOn(w, "cmdNav_3");
    test::ClickOn(w, "cmdNav_3");
    ASSERT_EQ(test::WizardStep(w), 4) << c.script.LastText().toStdString();
    QHeaderView* header = test::OwnNamed<QTableWidget>(w, "grdStars")->horizontalHeader();
    for (int col = 0; col < 4; ++col) {
        const QString text = test::Cell(w, 0, col).trimmed();
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
    ASSERT_EQ(test::WizardStep(w), 2);
    ASSERT_EQ(c.script.messages.size(), 1u) << c.script.LastText().toStdString();
    EXPECT_EQ(c.script.messages[0].style, kIconInformation);
    EXPECT_TRUE(c.script.messages[0].text.startsWith(
        "At this date and place the Sun does not reach 9° below the horizon."));
    EXPECT_EQ(test::Shown(w, "lblTimes_0"), QString("—"));
    EXPECT_EQ(test::Shown(w, "lblTimes_8"), QString("—"));

    // Sunrise has no start of observations: its time is typed instead.
    auto* typed = test::OwnNamed<QDateTimeEdit>(w, "dtpObsTime");
    ASSERT_NE(typed, nullptr);
    EXPECT_TRUE(typed->isVisible());
    test::ClickOn(w, "optTime_1");
    EXPECT_FALSE(typed->isVisible());  // the evening one exists
    test::ClickOn(w, "optTime_0");
    ASSERT_TRUE(typed->isVisible());
    ASSERT_TRUE(test::Enter(typed, test::Way::Tab));
    test::Type("9 Jun20260130");  // a full section moves on by itself
    test::ClickOn(w, "cmdNav_3");
    ASSERT_EQ(test::WizardStep(w), 3);
    test::ClickOn(w, "cmdNav_2");  // back: the typed time stays
    test::ClickOn(w, "cmdNav_3");
    EXPECT_TRUE(test::Shown(w, "lblStep_2").contains("from 9 Jun 2026 01:30"))
        << test::Shown(w, "lblStep_2").toStdString();
    test::ClickOn(w, "cmdNav_3");
    ASSERT_EQ(test::WizardStep(w), 4);
    EXPECT_DOUBLE_EQ(test::TableTime(w), MakeDateTime(2026, 6, 9, 1, 30, 0));
    EXPECT_EQ(c.script.messages.size(), 1u) << c.script.LastText().toStdString();

    for (auto* l : w->findChildren<QLabel*>()) EXPECT_FALSE(l->text().contains("1899"));
    for (auto* d : w->findChildren<QDateTimeEdit*>()) EXPECT_FALSE(d->text().contains("1899"));
}

// The Sun time of step 2 from which step 3 proposes its stars: one of the
// morning times (rows 0 to 3) for Sunrise, of the evening times (5 to 8)
// for Sunset; -1 when the caption shows none of them.
int ProposedFromRow(FrmStarFixWizard* w, bool morning) {
    test::ClickOn(w, "cmdNav_3");
    EXPECT_EQ(test::WizardStep(w), 3);
    const QString caption = test::Shown(w, "lblStep_2");
    test::ClickOn(w, "cmdNav_2");
    for (int i = morning ? 0 : 5; i <= (morning ? 3 : 8); ++i)
        if (caption == "Select the stars you want to observe from " +
                           test::Shown(w, QString("lblTimes_%1").arg(i)) + ".")
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
        ASSERT_EQ(test::WizardStep(w), 2);
        test::ClickOn(w, "optTime_1");
        test::ClickOn(w, "cmdNav_2");
        test::TypeInto(w, "mskHeightM", "150");
        test::ClickOn(w, "cmdNav_3");
        ASSERT_EQ(test::WizardStep(w), 2);
        EXPECT_GE(ProposedFromRow(w, false), 5);
        test::ClickOn(w, "optTime_0");
        EXPECT_GE(ProposedFromRow(w, true), 0);
    }
    Companions c(MakeDateTime(2026, 6, 21, 12, 0, 0));
    FrmStarFixWizard* w = c.OpenWizard();
    ASSERT_NE(w, nullptr);
    Companions::TypeStep1(w, "66000n", "000000e");
    ASSERT_EQ(test::WizardStep(w), 2);
    test::ClickOn(w, "optTime_1");
    EXPECT_GE(ProposedFromRow(w, false), 5);
    test::ClickOn(w, "optTime_0");
    EXPECT_GE(ProposedFromRow(w, true), 0);
}

// The names of the controls Tab reaches from the field `from` of `window`,
// `count` keys.
QStringList TabWalk(const QWidget* window, const char* from, int count) {
    test::Click(test::OwnNamed(window, from), test::Place::LeftEnd);
    QStringList names;
    for (int i = 0; i < count; ++i) {
        test::Tab();
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
    EXPECT_EQ(TabWalk(w, "mskLat", 6),
              QStringList({"cmdEraseObsPos_0", "mskLong", "cmdEraseObsPos_1", "mskHeightM",
                           "mskHeightF", "cmdErase"}));
    test::Press(Qt::Key_Escape);
    FrmAzimuth* tool = c.OpenTool();
    EXPECT_EQ(TabWalk(tool, "mskLat", 5),
              QStringList({"cmdEraseObsPos_0", "mskLong", "cmdEraseObsPos_1", "mskCourse_0",
                           "mskCourse_1"}));
    EXPECT_TRUE(c.script.messages.empty()) << c.script.LastText().toStdString();
    test::ClickOn(tool, "cmdEnd");
}

// Guards the azimuth tool's close box, which left the main window's start
// pictures, toolbar and four menus disabled until the program was started
// again: it now acts as End.
TEST(CompanionWindows, AzimuthCloseBoxActsAsEnd) {
    Companions c(MakeDateTime(2026, 3, 20, 19, 0, 0));
    const QWidget* main = c.main.get();
    FrmAzimuth* tool = c.OpenTool();
    test::ClickOn(tool, "cmdWhatIsUp");
    QPointer<FrmStarFixWizard> up = test::WizardOf(tool);
    ASSERT_FALSE(up.isNull());
    EXPECT_FALSE(test::EnabledIn(main, "tlhWorking"));

    tool->close();  // the close box
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(tool->isHidden());
    EXPECT_TRUE(up.isNull());
    EXPECT_TRUE(test::OwnNamed<MaskedField>(tool, "mskLat")->IsEmptyEntry());
    for (const char* n : {"tlhWorking", "picStarFix", "picRLGC", "picAzimuth"})
        EXPECT_TRUE(test::EnabledIn(main, n)) << n;
    for (const char* n : {"mnuAstro", "mnuAzi", "mnuUtil", "mnuOptions"})
        EXPECT_TRUE(test::ActionEnabled(main, n)) << n;
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
    test::ClickOn(w, "cmdNav_3");
    ASSERT_EQ(test::WizardStep(w), 3);
    ASSERT_FALSE(owners.empty());
    for (QWidget* o : owners) EXPECT_EQ(o, w);
    test::ClickOn(w, "cmdNav_1");  // Cancel

    ResetSaturnSeries();
    owners.clear();
    FrmAzimuth* tool = c.OpenTool();
    EXPECT_EQ(tool->windowHandle()->transientParent(), c.main->windowHandle());
    ASSERT_TRUE(test::Enter(test::OwnNamed(tool, "cboBody"), test::Way::Tab));
    test::Type("SATURN");
    test::ClickOn(tool, "cmdCompute");
    ASSERT_FALSE(owners.empty());
    for (QWidget* o : owners) EXPECT_EQ(o, tool);
    owners.clear();
    test::ClickOn(tool, "cmdWhatIsUp");
    FrmStarFixWizard* up = test::WizardOf(tool);
    ASSERT_NE(up, nullptr);
    ASSERT_FALSE(owners.empty());
    for (QWidget* o : owners) EXPECT_TRUE(o == tool || o == up) << o->objectName().toStdString();
    EXPECT_EQ(up->windowHandle()->transientParent(), tool->windowHandle());
    test::ClickOn(tool, "cmdEnd");
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
    test::Press(Qt::Key_Escape);
    EXPECT_TRUE(test::ActionEnabled(c.main.get(), "mnuStarFixWizard"));
    EXPECT_FALSE(c.main->State().WizardOpen);

    test::Trigger(c.main.get(), "mnuHelpManual");
    QWidget* manual = test::Named(c.main.get(), "frmHelp");
    ASSERT_NE(manual, nullptr);
    test::Activate(manual);
    ExpectPlaced(manual, *c.main, true);
    test::Press(Qt::Key_Escape);
    EXPECT_EQ(OpenHelpWindowCount(), 0);

    // The main window half past the screen's bottom right corner: the
    // windows shown there for the first time were placed without their
    // frame and opened past the bottom. (Escape unloaded the wizard: the
    // next one is a new window.)
    c.main->move(screen.center());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    wizard = c.OpenWizard();
    ExpectPlaced(wizard, *c.main, false);
    test::Press(Qt::Key_Escape);
    test::Trigger(c.main.get(), "mnuHelpManual");
    manual = test::Named(c.main.get(), "frmHelp");
    ExpectPlaced(manual, *c.main, false);
    test::Activate(manual);
    test::Press(Qt::Key_Escape);
    FrmAzimuth* tool = c.OpenTool();
    ExpectPlaced(tool, *c.main, false);
    test::ClickOn(tool, "cmdCompute");
    ExpectPlaced(tool, *c.main, false);
    test::ClickOn(tool, "cmdWhatIsUp");
    ASSERT_NE(test::WizardOf(tool), nullptr) << c.script.LastText().toStdString();
    ExpectPlaced(test::WizardOf(tool), *c.main, false);
    test::ClickOn(tool, "cmdEnd");
}

}  // namespace
}  // namespace orvex
