#include "platform/shell_open.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

#include "platform/message_box.h"

namespace orvex {

bool ShellOpen(const QString& address) {
    bool ok = false;
    if (PlatformScript* script = PlatformScript::Current()) {
        script->openedUrls.push_back(address);
        ok = script->shellOpenSucceeds;
    } else if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        ok = false;  // nothing to open with on a headless run
    } else {
        ok = QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
    }
    if (!ok) {
        ShowMessage(kIconExclamation + kButtonsOk, QStringLiteral(" Shell error"),
                    QStringLiteral("No program of this computer could open\r\n") + address);
    }
    return ok;
}

}  // namespace orvex
