#include "platform/print_queue.h"

#include <dlfcn.h>

namespace orvex {

QString LastPrintJobRefusal() {
    // Loaded by Qt's printing when it prints through CUPS; not loaded here.
    void* cups = dlopen("libcups.so.2", RTLD_LAZY | RTLD_NOLOAD);
    if (!cups) return QString();
    using Status = int (*)();
    using StatusText = const char* (*)();
    const auto status = reinterpret_cast<Status>(dlsym(cups, "cupsLastError"));
    const auto text = reinterpret_cast<StatusText>(dlsym(cups, "cupsLastErrorString"));
    // IPP status codes below 0x400 are the successful ones.
    const int code = status ? status() : 0;
    QString reason;
    if (code >= 0x400) {
        const char* why = text ? text() : nullptr;
        reason = why && *why ? QString::fromLocal8Bit(why) : QString("The print job was refused");
    }
    dlclose(cups);
    return reason;
}

}  // namespace orvex
