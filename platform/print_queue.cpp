#include "platform/print_queue.h"

#include <dlfcn.h>

namespace orvex {

PrintSystemStatus LastPrintSystemStatus() {
    // Loaded by Qt's printing when it prints through CUPS; not loaded here.
    void* cups = dlopen("libcups.so.2", RTLD_LAZY | RTLD_NOLOAD);
    if (!cups) return {};
    using Status = int (*)();
    using StatusText = const char* (*)();
    const auto status = reinterpret_cast<Status>(dlsym(cups, "cupsLastError"));
    const auto text = reinterpret_cast<StatusText>(dlsym(cups, "cupsLastErrorString"));
    PrintSystemStatus s;
    s.code = status ? status() : 0;
    const char* why = text ? text() : nullptr;
    if (why) s.message = QString::fromLocal8Bit(why);
    dlclose(cups);
    return s;
}

QString PrintJobRefusal(const PrintSystemStatus& beforeEnd, const PrintSystemStatus& afterEnd) {
    // An unchanged status is left from an earlier call, not the job's.
    // IPP status codes below 0x400 are the successful ones.
    if (afterEnd == beforeEnd || afterEnd.code < 0x400) return QString();
    return afterEnd.message.isEmpty() ? QString("The print job was refused") : afterEnd.message;
}

}  // namespace orvex
