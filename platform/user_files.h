// The navigator's own files, kept apart from the program's: the program
// folder (AppPath) may be read-only (an installed tree) and is replaced by an
// update, so saved observation files live in a folder of the user's.
#pragma once

#include <QString>

namespace orvex {

// $XDG_DATA_HOME/Orvex/Observations, or ~/.local/share/Orvex/Observations
// when XDG_DATA_HOME is unset or not an absolute path. Only names it: nothing
// is made.
QString UserObservationsFolderPath();

// The folder the observation file dialogs start in: UserObservationsFolderPath,
// made when it does not exist and given, that once, a copy of the sample
// files (*.obs) of programFolder + "/Observations", which stay where they are
// as read-only references. A folder that exists is never written here again:
// files the navigator changed, deleted or saved there stay as they are,
// whatever a later start, build or update of the program brings. The folder
// appears whole or not at all (filled under another name, then renamed).
// When it cannot be made (no home, a read-only disk) the program folder's
// samples folder is answered instead.
QString ObservationsFolder(const QString& programFolder);

}  // namespace orvex
