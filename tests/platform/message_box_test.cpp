// The message-box seam: every box of the program and of the library must
// reach the script, so that no test can ever hang on a modal window.
#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QTimer>

#include "navlib/hooks.h"
#include "platform/platform_hooks.h"
#include "platform/shell_open.h"

namespace orvex {
namespace {

// Guards a library message bypassing the seam (it would block a GUI test or
// be lost on the user's screen).
TEST(MessageBox, LibraryReportsReachTheScript) {
    PlatformScript script;
    script.answers = {kAnswerNo};
    const int a = ReportMessage(kIconQuestion + kButtonsYesNo, " Error in nautical routine",
                                "Pole crossed\r\nSecond line");
    EXPECT_EQ(a, kAnswerNo);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].style, kIconQuestion + kButtonsYesNo);
    EXPECT_EQ(script.messages[0].title, QString(" Error in nautical routine"));  // blank kept
    EXPECT_EQ(script.messages[0].text, QString("Pole crossed\r\nSecond line"));
}

// Guards a wrong default when the script runs out: a yes/no box must not
// answer OK, which no caller of a yes/no box tests for.
TEST(MessageBox, DefaultAnswerIsTheFirstButtonOfTheSet) {
    PlatformScript script;
    EXPECT_EQ(ShowMessage(kIconCritical + kButtonsOk, QString("t"), QString("x")), kAnswerOk);
    EXPECT_EQ(ShowMessage(kIconQuestion + kButtonsYesNo, QString("t"), QString("x")), kAnswerYes);
    EXPECT_EQ(ShowMessage(kButtonsRetryCancel, QString("t"), QString("x")), kAnswerRetry);
    EXPECT_EQ(ShowMessage(kButtonsAbortRetryIgnore, QString("t"), QString("x")), kAnswerAbort);
    EXPECT_EQ(ShowMessage(kIconExclamation, " Error in input data", "Course > 360°"), kAnswerOk);
    ASSERT_EQ(script.messages.size(), 5u);
    EXPECT_EQ(script.messages[4].text, QString::fromUtf8("Course > 360\u00b0"));
}

// Guards the script leaking past its scope: later tests would be answered
// by a dead object.
TEST(MessageBox, ScriptUninstallsItself) {
    {
        PlatformScript script;
        EXPECT_EQ(PlatformScript::Current(), &script);
    }
    EXPECT_EQ(PlatformScript::Current(), nullptr);
    // Offscreen without a script: never blocks, answers the default.
    EXPECT_EQ(ShowMessage(kIconQuestion + kButtonsYesNo, QString("t"), QString("x")), kAnswerYes);
}

// Guards a modal dialog or a file dialog run for real in a test.
TEST(MessageBox, DialogsAndFileDialogsAreScripted) {
    PlatformScript script;
    QDialog dlg;
    dlg.setObjectName("frmProba");
    EXPECT_EQ(ExecDialog(dlg), QDialog::Rejected);
    script.dialogHandler = [](QDialog& d) {
        d.setProperty("answer", 950);
        return int(QDialog::Accepted);
    };
    EXPECT_EQ(ExecDialog(dlg), QDialog::Accepted);
    EXPECT_EQ(dlg.property("answer").toInt(), 950);
    ASSERT_EQ(script.dialogs.size(), 2u);
    EXPECT_EQ(script.dialogs[0], QString("frmProba"));

    script.fileNames = {"/tmp/a.obs"};
    EXPECT_EQ(AskOpenFileName(nullptr, "Open", "", "*.obs"), QString("/tmp/a.obs"));
    EXPECT_TRUE(AskSaveFileName(nullptr, "Save", "", "*.obs").isEmpty());  // cancelled
    EXPECT_EQ(script.fileDialogs.size(), 2u);
}

// Guards a pause that freezes the windows: the library's event pump must
// let Qt run its pending events; its messages must become message boxes.
TEST(PlatformHooks, PumpRunsQtEventsAndReportsBecomeBoxes) {
    InstallPlatformHooks();
    bool fired = false;
    QTimer::singleShot(0, [&] { fired = true; });
    PumpEvents();
    EXPECT_TRUE(fired);
    {
        PlatformScript script;
        ReportMessage(kIconCritical + kButtonsOk, " Error in mathematical routine", "x");
        EXPECT_EQ(script.messages.size(), 1u);
    }
    SetEventPump(nullptr);
}

// Guards a link opened for real, and a failed open passing silently.
TEST(ShellOpen, RecordedAndFailureIsReported) {
    PlatformScript script;
    EXPECT_TRUE(ShellOpen("mailto:someone@example.org?Subject=Orvex comments"));
    ASSERT_EQ(script.openedUrls.size(), 1u);
    EXPECT_TRUE(script.messages.empty());
    script.shellOpenSucceeds = false;
    EXPECT_FALSE(ShellOpen("https://example.org"));
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].style, kIconExclamation + kButtonsOk);
}

}  // namespace
}  // namespace orvex
