// The program folder: where the program's own files lie (Planet.dat, the
// documents, the help, the logo and the sample observations). In the build
// tree that is the executable's folder; in an installed tree it is
// ../share/orvex from the executable's folder (bin/). The navigator's own
// observation files live elsewhere, in a folder of the user's
// (platform/user_files.h).
#pragma once

#include <string>

namespace orvex {

// The program folder, without a trailing separator. By default
// ProgramFilesFolder of the running executable's folder; SetAppPath
// overrides it (tests, or a program that keeps its data elsewhere). An empty
// path restores the default.
std::string AppPath();
void SetAppPath(const std::string& path);

// The program folder of an executable lying in `executableFolder` (an
// absolute path): the installed data folder, kInstalledDataFromBin from it,
// when that is a folder; otherwise `executableFolder` itself. Only the
// relative path is used, so an installed tree moved elsewhere as a whole
// still finds its files.
std::string ProgramFilesFolder(const std::string& executableFolder);

// Where an installed tree keeps the program's files, relative to the folder
// of the executable ("../share/orvex" for bin/ and share/orvex).
extern const char* const kInstalledDataFromBin;

}  // namespace orvex
