// Opens a web page or a mail link with the user's own programs (the
// browser, the mail program), through the same seam as the message boxes:
// a test's PlatformScript records the address instead of opening it.
#pragma once

#include <QString>

namespace orvex {

// Opens an address such as "https://..." or "mailto:...?Subject=...".
// Returns false when no program could take it (the user is then told in a
// message box titled " Shell error"). With a PlatformScript installed the
// address is recorded in openedUrls and the script's shellOpenSucceeds is
// returned (and the message shown through the script when false).
bool ShellOpen(const QString& address);

}  // namespace orvex
