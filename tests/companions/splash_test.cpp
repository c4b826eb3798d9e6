// The splash at start-up and as the about box, and the introduction window.
#include "companions/splash.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include "companions/intro.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

// Guards a splash that never goes (start-up would hang) and a timer left
// running that would later hide the about box.
TEST(FrmSplash, ClosesOnItsTimer) {
    FrmSplash splash;
    splash.SetVersionText("1.21");
    EXPECT_EQ(splash.Tag(), "FromStart");
    EXPECT_EQ(splash.tmrSplash->interval(), 4400);
    EXPECT_FALSE(splash.tmrSplash->isActive());  // off until shown
    splash.show();
    EXPECT_TRUE(splash.tmrSplash->isActive());
    EXPECT_TRUE(splash.lblSplash->text().contains("program version 1.21"));
    EXPECT_TRUE(splash.lblSplash->text().endsWith(" release - May 2004."));
    EXPECT_FALSE(splash.lblReadAbout->isHidden());
    splash.tmrSplash_Timer();
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(splash.tmrSplash->isActive());
    EXPECT_EQ(splash.Tag(), "FromMenu");
    EXPECT_TRUE(splash.picSplash->isHidden());
    EXPECT_TRUE(splash.picSplashFix->isHidden());
}

TEST(FrmSplash, ClosesOnAClickAndTheTimerNeverFiresLater) {
    FrmSplash splash;
    splash.show();
    QTest::mouseClick(splash.picSplash, Qt::LeftButton);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(splash.tmrSplash->isActive());
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
        EXPECT_FALSE(splash.tmrSplash->isActive());
        EXPECT_FALSE(splash.rtfAboutProg->isHidden());
        EXPECT_TRUE(splash.lblReadAbout->isHidden());
        EXPECT_TRUE(splash.picSplash->isHidden());
        EXPECT_EQ(splash.lblSplash->text(),
                  FrmSplash::ProgramLine("1.21") + "\n" + FrmSplash::MakerName());
        QTest::keyClick(splash.rtfAboutProg, Qt::Key_Space);
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
            timerStarted = s->tmrSplash->isActive();
            EXPECT_FALSE(s->rtfAboutProg->isHidden());
            EXPECT_FALSE(s->rtfAboutProg->toPlainText().isEmpty());
            s->CloseStep();
        }
        if (auto* intro = qobject_cast<FrmIntro*>(&d)) {
            EXPECT_EQ(intro->windowTitle(), " You got mail !");
            EXPECT_FALSE(intro->rtfIntroLetter->toPlainText().isEmpty());
            intro->cmdWeb->click();
            intro->cmdMail->click();
            intro->cmdContinue->click();
        }
        return int(QDialog::Accepted);
    };
    w->mnuHelpAbout_Click();
    w->mnuHelpAbout_Click();
    EXPECT_FALSE(timerStarted);
    w->mnuHelpIntro_Click();
    EXPECT_EQ(script.dialogs, (std::vector<QString>{"frmSplash", "frmSplash", "frmIntro"}));
    EXPECT_FALSE(w->Dialogs()->Exists("frmIntro"));  // made anew at each showing
    w->mnuViewWebBrowser_Click();
    ASSERT_EQ(script.openedUrls.size(), 3u);
    EXPECT_EQ(script.openedUrls[0], FrmIntro::WebAddress());
    EXPECT_TRUE(script.openedUrls[1].startsWith("mailto:"));
    EXPECT_TRUE(script.openedUrls[1].endsWith("?Subject=Orvex comments"));
    EXPECT_EQ(script.openedUrls[2], FrmWorking::WebPageAddress());
    EXPECT_TRUE(script.messages.empty());
}

}  // namespace
}  // namespace orvex
