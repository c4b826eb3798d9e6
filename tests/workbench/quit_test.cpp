// Quitting: the confirmation, what a "No" keeps, what a "Yes" closes and
// saves, and a close asked by the system.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

#include "companions/splash.h"
#include "platform/help_window.h"
#include "workbench/frm_end.h"
#include "workbench/frm_proba.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

// Answers the quit confirmation with one of its buttons.
std::function<int(QDialog&)> Answer(bool yes) {
    return [yes](QDialog& d) {
        if (auto* end = qobject_cast<FrmEnd*>(&d)) test::ClickIn(*end, yes ? "cmdYes" : "cmdNo");
        return int(QDialog::Accepted);
    };
}

// "Cancel" keeps everything: no window closed, no geometry written.
TEST(Quit, MenuAnsweredNoChangesNothing) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto w = test::StartedWindow(settings);
    w->show();
    test::RunAction(*w, "mnuAstroEnter");
    script.dialogs.clear();
    script.dialogHandler = Answer(false);
    test::RunAction(*w, "mnuFileQuit");
    ASSERT_EQ(script.dialogs.size(), 1u);
    EXPECT_EQ(script.dialogs[0], "frmEnd");
    EXPECT_EQ(w->Dialogs()->End()->Tag(), "NO");
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->Unloaded());
    EXPECT_FALSE(test::TabSet(*w, "tabIn")->isHidden());  // the page stays as it was
    EXPECT_TRUE(w->Dialogs()->Exists("frmSplash"));
    EXPECT_TRUE(settings.writes.empty());
}

// "Yes" closes the dialogs, saves the geometry in its order and closes the
// main window without asking a second time.
TEST(Quit, MenuAnsweredYesSavesGeometryAndCloses) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    folder.Write("help/index.html", "<html><body><h1>Manual</h1></body></html>");
    auto w = test::StartedWindow(settings);
    w->show();
    w->resize(800, 650);  // no wider than the test screen
    w->Dialogs()->Proba();
    test::RunAction(*w, "mnuHelpManual");
    EXPECT_EQ(OpenHelpWindowCount(), 1);
    script.dialogs.clear();
    script.dialogHandler = Answer(true);
    test::RunAction(*w, "mnuFileQuit");
    EXPECT_EQ(script.dialogs.size(), 1u);  // asked once only
    EXPECT_EQ(OpenHelpWindowCount(), 0);   // the manual closed too
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(w->Unloaded());
    EXPECT_FALSE(w->Dialogs()->Exists("frmEnd"));
    EXPECT_FALSE(w->Dialogs()->Exists("frmProba"));
    EXPECT_FALSE(w->Dialogs()->Exists("frmSplash"));
    EXPECT_EQ(settings.writes,
              (std::vector<std::string>{"MainLeft", "MainTop", "MainWidth", "MainHeight"}));
    const double tpp = 1440.0 / QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    EXPECT_DOUBLE_EQ(QString::fromStdString(settings.values["MainWidth"]).toDouble(), 800 * tpp);
    EXPECT_DOUBLE_EQ(QString::fromStdString(settings.values["MainHeight"]).toDouble(), 650 * tpp);

    // The saved geometry is what the next start restores.
    PlatformScript again;
    auto next = test::StartedWindow(settings);
    EXPECT_EQ(next->width(), 800);
    EXPECT_EQ(next->height(), 650);
}

// Guards a start after quitting maximised: a maximised frame reaches past
// the screen by its borders where the platform puts them there, and the
// next window, in its normal state, opened past the screen's bottom. The
// window that fills the screen's area is stored: the next one lies wholly
// on the screen, as large as the maximised one showed.
TEST(Quit, MaximisedWindowStartsOnTheScreen) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto w = test::StartedWindow(settings);
    w->showMaximized();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    script.dialogHandler = Answer(true);
    test::RunAction(*w, "mnuFileQuit");
    ASSERT_TRUE(w->Unloaded());

    PlatformScript again;
    auto next = test::StartedWindow(settings);
    next->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(next.get()));
    const QRect screen = next->screen()->availableGeometry();
    const QRect frame = next->frameGeometry();
    EXPECT_TRUE(screen.contains(frame))
        << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
    EXPECT_EQ(frame.size(), screen.size());
}

// The close box asks; "No" cancels the close, any other answer quits. A
// confirmation closed by its close box answers "NO", never the previous
// answer.
TEST(Quit, CloseBoxAsksAndOnlyNoCancels) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto w = test::StartedWindow(settings);
    w->show();
    script.dialogs.clear();
    const auto cancelled = [&w] {
        test::ClickCloseBox(w.get());
        return !w->Unloaded() && w->isVisible();
    };
    script.dialogHandler = Answer(false);
    EXPECT_TRUE(cancelled());
    script.dialogHandler = [](QDialog& d) {
        d.close();  // the confirmation's own close box
        return int(QDialog::Rejected);
    };
    EXPECT_TRUE(cancelled());
    EXPECT_EQ(script.dialogs.size(), 2u);
    // Escape is Cancel too.
    script.dialogHandler = [](QDialog& d) {
        d.reject();
        return int(QDialog::Rejected);
    };
    EXPECT_TRUE(cancelled());
    EXPECT_TRUE(settings.writes.empty());

    script.dialogHandler = Answer(true);
    EXPECT_FALSE(cancelled());
    EXPECT_FALSE(w->Dialogs()->Exists("frmEnd"));
}

// A close asked by the system (session end) or by code never asks.
TEST(Quit, SystemCloseDoesNotAsk) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto byCode = test::StartedWindow(settings);
    byCode->show();
    script.dialogs.clear();
    byCode->close();
    EXPECT_TRUE(byCode->Unloaded());
    EXPECT_TRUE(script.dialogs.empty());
    auto w = test::StartedWindow(settings);
    w->show();
    script.dialogs.clear();
    settings.writes.clear();
    w->RequestSystemClose();
    EXPECT_TRUE(script.dialogs.empty());
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(settings.writes.size(), 4u);  // geometry still saved
}

// A minimised window writes no key, so the last normal geometry stays.
TEST(Quit, MinimisedWindowKeepsTheStoredGeometry) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto w = test::StartedWindow(settings);
    w->show();
    w->setWindowState(Qt::WindowMinimized);
    w->RequestSystemClose();
    EXPECT_TRUE(settings.writes.empty());
}

}  // namespace
}  // namespace orvex
