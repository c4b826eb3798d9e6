// The splash at start-up and as the about box, and the introduction window.
#include "companions/splash.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

#include "companion_driver.h"
#include "companions/intro.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

// Guards a splash that never goes (start-up would hang) and a timer left
// running that would later hide the about box.
TEST(FrmSplash, ClosesOnItsTimer) {
    FrmSplash splash;
    const QTimer* timer = test::OwnNamed<QTimer>(&splash, "tmrSplash");
    splash.SetVersionText("1.21");
    EXPECT_EQ(splash.Tag(), "FromStart");
    EXPECT_EQ(timer->interval(), 4400);
    EXPECT_FALSE(timer->isActive());  // off until shown
    splash.show();
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(test::Shown(&splash, "lblSplash").contains("program version 1.21"));
    EXPECT_TRUE(test::Shown(&splash, "lblSplash").endsWith(" release - May 2004."));
    EXPECT_FALSE(test::HiddenIn(&splash, "lblReadAbout"));
    test::Tick(&splash, "tmrSplash");
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(splash.Tag(), "FromMenu");
    EXPECT_TRUE(test::HiddenIn(&splash, "picSplash"));
    EXPECT_TRUE(test::HiddenIn(&splash, "picSplashFix"));
}

TEST(FrmSplash, ClosesOnAClickAndTheTimerNeverFiresLater) {
    FrmSplash splash;
    splash.show();
    QTest::mouseClick(test::OwnNamed(&splash, "picSplash"), Qt::LeftButton);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(test::OwnNamed<QTimer>(&splash, "tmrSplash")->isActive());
    EXPECT_EQ(splash.Tag(), "FromMenu");

    FrmSplash other;
    other.show();
    QTest::keyClick(&other, Qt::Key_A);
    EXPECT_FALSE(other.isVisible());
    EXPECT_EQ(other.Tag(), "FromMenu");
}

// The about box, twice in a row: the about text both times, no timer, and
// a key in the text closes it.
TEST(FrmSplash, AboutBoxNeverStartsTheTimer) {
    FrmSplash splash;
    splash.SetVersionText("1.21");
    splash.show();
    splash.CloseStep();
    for (int i = 0; i < 2; ++i) {
        splash.show();
        EXPECT_FALSE(test::OwnNamed<QTimer>(&splash, "tmrSplash")->isActive());
        EXPECT_FALSE(test::HiddenIn(&splash, "rtfAboutProg"));
        EXPECT_TRUE(test::HiddenIn(&splash, "lblReadAbout"));
        EXPECT_TRUE(test::HiddenIn(&splash, "picSplash"));
        EXPECT_EQ(test::Shown(&splash, "lblSplash"),
                  FrmSplash::ProgramLine("1.21") + "\n" + FrmSplash::MakerName());
        QTest::keyClick(test::OwnNamed(&splash, "rtfAboutProg"), Qt::Key_Space);
        EXPECT_FALSE(splash.isVisible());
        EXPECT_EQ(splash.Tag(), "FromMenu");
    }
}

// The Help menu's about command shows the splash as about box, never as a
// splash, and the introduction window's buttons open their links.
TEST(HelpCommands, AboutIntroAndWebPage) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto w = test::StartedWindow(settings);
    script.dialogs.clear();
    bool timerStarted = false;
    script.dialogHandler = [&](QDialog& d) {
        if (auto* s = qobject_cast<FrmSplash*>(&d)) {
            s->Form_Activate();
            timerStarted = test::OwnNamed<QTimer>(s, "tmrSplash")->isActive();
            auto* about = test::OwnNamed<QTextEdit>(s, "rtfAboutProg");
            EXPECT_FALSE(about->isHidden());
            EXPECT_FALSE(about->toPlainText().isEmpty());
            s->CloseStep();
        }
        if (qobject_cast<FrmIntro*>(&d)) {
            EXPECT_EQ(d.windowTitle(), " You got mail !");
            EXPECT_FALSE(test::OwnNamed<QTextEdit>(&d, "rtfIntroLetter")->toPlainText().isEmpty());
            for (const char* button : {"cmdWeb", "cmdMail", "cmdContinue"})
                test::OwnNamed<QPushButton>(&d, button)->click();
        }
        return int(QDialog::Accepted);
    };
    test::Trigger(w.get(), "mnuHelpAbout");
    test::Trigger(w.get(), "mnuHelpAbout");
    EXPECT_FALSE(timerStarted);
    // The letter's menu item is greyed in the program; its command, once
    // the item is on, shows the letter.
    w->Action("mnuHelpIntro")->setEnabled(true);
    test::Trigger(w.get(), "mnuHelpIntro");
    EXPECT_EQ(script.dialogs, (std::vector<QString>{"frmSplash", "frmSplash", "frmIntro"}));
    EXPECT_EQ(test::Named(w.get(), "frmIntro"), nullptr);  // made anew at each showing
    test::Trigger(w.get(), "mnuViewWebBrowser");
    ASSERT_EQ(script.openedUrls.size(), 3u);
    EXPECT_EQ(script.openedUrls[0], FrmIntro::WebAddress());
    EXPECT_TRUE(script.openedUrls[1].startsWith("mailto:"));
    EXPECT_TRUE(script.openedUrls[1].endsWith("?Subject=Orvex comments"));
    EXPECT_EQ(script.openedUrls[2], FrmWorking::WebPageAddress());
    EXPECT_TRUE(script.messages.empty());
}

}  // namespace
}  // namespace orvex
