// Entry point of the GUI test executables: one QApplication on the offscreen
// platform for the whole run, then GoogleTest. The locale comes from the
// environment, as the program's does (app/main.cpp). No test may set this
// machine's clock, even when the suite runs as root.
#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>

#include "platform/pc_clock.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::setlocale(LC_ALL, "");
    orvex::AllowSettingHostClock(false);
    QApplication app(argc, argv);
    QApplication::setApplicationName("Orvex");
    QApplication::setOrganizationName("OrvexTests");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
