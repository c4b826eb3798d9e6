// The print system's answer to a finished job. Qt hands a job for a system
// printer to CUPS when the painter ends, but does not pass on whether CUPS
// took it: a queue that rejects jobs, or a printer that is gone, loses the
// job while the painter reports success. The answer is read here from the
// CUPS library already loaded by Qt's printing, never loaded by us.
//
// CUPS keeps only the status of this thread's last call of any kind, so the
// status is read before the job ends and again after: only a status that
// the end of the job changed is the job's own.
#pragma once

#include <QString>

namespace orvex {

// This thread's last CUPS status: its IPP status code and message (both
// empty, code 0, when no CUPS library is loaded).
struct PrintSystemStatus {
    int code = 0;
    QString message;
    bool operator==(const PrintSystemStatus&) const = default;
};
PrintSystemStatus LastPrintSystemStatus();

// Empty when the job that ended between the two readings was taken (or
// when no CUPS call changed the status meanwhile, so no job went through
// it); else the print system's reason for refusing it.
QString PrintJobRefusal(const PrintSystemStatus& beforeEnd, const PrintSystemStatus& afterEnd);

}  // namespace orvex
