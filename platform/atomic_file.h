// Writing a file whole or not at all.
//
// The bytes go first into a temporary file in the target's own folder and
// take the target's name only once all of them are written and flushed to
// the disk, so the target holds either its old bytes or the new ones,
// whatever stops the program on the way (a kill, a full disk, a file-size
// limit).
//
// Where the file system allows it (Linux, O_TMPFILE) the temporary file has
// no name while it is written: a save killed half-way leaves nothing behind.
// A new file is then linked under its name whole. An existing one is
// replaced by a rename from a temporary name that lives between two system
// calls; those two run in a short-lived process of their own (out of the
// program's process group, every signal blocked), which finishes them even
// when the program is killed in between. Elsewhere the temporary file is a
// named one beside the target ("name.XXXXXX"), removed when the write fails.
//
// Only regular files are written: when the target, or the file its symbolic
// links lead to, exists and is anything else (a FIFO, a device, a folder),
// nothing is opened nor written. A symbolic link to a regular file stays a
// link: the file it points to is replaced. An existing file keeps its
// permission bits.
#pragma once

#include <QByteArray>
#include <QString>

namespace orvex {

struct FileWriteResult {
    bool Ok = false;
    bool NotRegular = false;  // refused: the target is not a regular file
    int SystemError = 0;      // errno of the step that failed; 0 when Ok
    QString Error;            // the system's reason, for the user; empty when Ok
};

// Writes `bytes` to `path` as said above.
FileWriteResult WriteFileAtomically(const QString& path, const QByteArray& bytes);

// For tests: called in the writing process once the helper process runs
// the replacing step (see above); a test kills the writing process there to
// show that the step finishes without it.
extern void (*gNamingStarted)();

// The name of the temporary file beside a file named `fileName` (the last
// part of its path, in the file system's bytes) in a folder whose names are
// at most `nameMax` bytes long (255 on the usual file systems): fileName,
// "." and `suffix`, with the end of fileName cut (between two UTF-8
// characters) as far as needed to stay within nameMax.
QByteArray TemporaryNameBeside(const QByteArray& fileName, const QByteArray& suffix, int nameMax);

}  // namespace orvex
