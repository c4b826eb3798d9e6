// Entry point of the GUI test executables: one QApplication on the offscreen
// platform for the whole run, then GoogleTest. The locale comes from the
// environment, as the program's does (app/main.cpp). The run gets a home of
// its own, so that no test reads or writes the real one (settings, the
// navigator's observation folder, caches), and no test may set this
// machine's clock, even when the suite runs as root.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <clocale>

#include "platform/pc_clock.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::setlocale(LC_ALL, "");
    orvex::AllowSettingHostClock(false);
    QTemporaryDir home;
    if (!home.isValid()) return 1;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/.local/share").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (home.path() + "/.cache").toLocal8Bit());
    qputenv("XDG_STATE_HOME", (home.path() + "/.local/state").toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setApplicationName("Orvex");
    QApplication::setOrganizationName("OrvexTests");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
