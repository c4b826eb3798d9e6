// The print system's answer to a finished job. Qt hands a job for a system
// printer to CUPS when the painter ends, but does not pass on whether CUPS
// took it: a queue that rejects jobs, or a printer that is gone, loses the
// job while the painter reports success. The answer is read here from the
// CUPS library already loaded by Qt's printing, never loaded by us.
#pragma once

#include <QString>

namespace orvex {

// Empty when the last job this thread handed to a system printer was taken
// (or when no CUPS library is loaded, so no job went through it); else the
// print system's reason for refusing it. Meaningful only right after a
// job to a system printer ended.
QString LastPrintJobRefusal();

}  // namespace orvex
