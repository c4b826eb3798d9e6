// The program folder: where the executable lies and, beside it, Planet.dat,
// the documents, the help and the Observations folder.
#pragma once

#include <string>

namespace orvex {

// The program folder, without a trailing separator. By default the folder of
// the running executable; SetAppPath overrides it (tests, or a program that
// keeps its data elsewhere). An empty path restores the default.
std::string AppPath();
void SetAppPath(const std::string& path);

}  // namespace orvex
