// Orvex: celestial navigation at sea. Creates the main window, runs its
// start-up (splash, lists, command-line file) and the event loop; the
// process ends when the quit sequence has closed the last window.
#include <QApplication>
#include <clocale>

#include "platform/message_box.h"
#include "platform/platform_hooks.h"
#include "workbench/main_window.h"

int main(int argc, char** argv) {
    // The user's locale, as QApplication would set it on its own: the
    // decimal separator and month names shown are the user's, and no number
    // is read or written through the C library (navlib/number_format.h).
    std::setlocale(LC_ALL, "");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Orvex");
    QApplication::setOrganizationName("Orvex");
    // The desktop entry of the installed program (its icon on Wayland).
    QApplication::setDesktopFileName("org.orvex.orvex");
    // Message boxes for the library, and events handled during its short pauses.
    orvex::InstallPlatformHooks();

    orvex::FrmWorking main;
    QStringList arguments = QApplication::arguments();
    if (!arguments.isEmpty()) arguments.removeFirst();
    main.Form_Load(arguments);
    main.show();
    return app.exec();
}
