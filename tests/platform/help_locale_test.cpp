// Help windows and the locale's decimal separator.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include "navlib/app_path.h"
#include "platform/help_window.h"
#include "platform/locale_info.h"
#include "platform/message_box.h"

namespace orvex {
namespace {

// Guards help windows left open after quitting, a second window per
// request, and the manual's first page missing from the program folder.
TEST(HelpWindow, OpensTheManualAndClosesAllOnQuit) {
    PlatformScript script;
    SetAppPath(ORVEX_SOURCE_DIR "/data/files");
    QWidget main;
    HelpWindow* w = ShowHelp(&main);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(OpenHelpWindowCount(), 1);
    EXPECT_TRUE(w->Browser().toPlainText().contains("How to take your first star fix"));
    EXPECT_EQ(ShowHelp(&main), w);  // the same window is reused
    EXPECT_EQ(OpenHelpWindowCount(), 1);
    QWidget other;
    HelpWindow* w2 = ShowHelp(&other);
    ASSERT_NE(w2, nullptr);
    EXPECT_EQ(OpenHelpWindowCount(), 2);
    CloseAllHelpWindows();
    QApplication::processEvents();
    EXPECT_EQ(OpenHelpWindowCount(), 0);
    EXPECT_TRUE(script.messages.empty());
    // Web links go to the user's browser through the seam.
    w = ShowHelp(&main);
    ASSERT_NE(w, nullptr);
    emit w->Browser().anchorClicked(QUrl("https://orvex.example.org/"));
    ASSERT_EQ(script.openedUrls.size(), 1u);
    CloseAllHelpWindows();

    QTemporaryDir empty;
    SetAppPath(empty.path().toStdString());
    EXPECT_EQ(ShowHelp(&main), nullptr);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, QString(" Help"));
    SetAppPath("");
}

// Guards the decimal separator read from the locale: a comma locale gives
// ",", a point locale ".", never an empty text.
TEST(LocaleInfo, DecimalSeparator) {
    EXPECT_EQ(DecimalSeparatorOf(QLocale(QLocale::French, QLocale::France)), QString(","));
    EXPECT_EQ(DecimalSeparatorOf(QLocale(QLocale::English, QLocale::UnitedStates)), QString("."));
    EXPECT_EQ(DecimalSeparatorOf(QLocale::c()), QString("."));
    EXPECT_EQ(SystemDecimalSeparator().size(), 1);
}

}  // namespace
}  // namespace orvex
