#include "platform/platform_hooks.h"

#include <QCoreApplication>

#include "navlib/hooks.h"
#include "platform/message_box.h"

namespace orvex {

void InstallPlatformHooks() {
    InstallPlatformReporter();
    SetEventPump([] {
        if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
    });
}

}  // namespace orvex
