// Links the library's hooks (navlib/hooks.h) to this platform at start-up:
// its messages become message boxes (ShowMessage) and its event pump lets
// Qt handle pending events (timers, repaints) during a pause.
#pragma once

namespace orvex {

// Installs the platform reporter and the Qt event pump. The clock hook keeps
// its default (the system clock).
void InstallPlatformHooks();

}  // namespace orvex
