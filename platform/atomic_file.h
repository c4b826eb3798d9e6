// Writing a file whole or not at all.
//
// The bytes go first into a temporary file in the target's own folder and
// take the target's name (a rename) only once all of them are written and
// flushed to the disk, so the target holds either its old bytes or the new
// ones, whatever stops the program on the way (a kill, a full disk). A
// file-size limit makes the write fail and be reported, as a full disk
// does: it never ends the program.
//
// Where the file system allows it (Linux, O_TMPFILE) the temporary file has
// no name while it is written: a new file is linked under its own name
// whole, and an existing one is replaced by a rename from a temporary name
// given just before. Elsewhere the temporary file is named from the start.
// Temporary names are the file's name followed by ".orvextmp" and six
// letters or digits; their writer holds a lock on them. A save killed on the
// way may leave one: each save removes those of its folder that no writer
// holds any more.
//
// Only what an open for output would be allowed is written: when the
// target, or the file its symbolic links lead to, exists and is anything but
// a regular file (a FIFO, a device, a folder), or the user running the
// program may not write it, or it has other names (hard links, which a
// rename would part from it), nothing is opened nor written. A symbolic
// link to a regular file stays a link: the file it points to is replaced.
// A replaced file keeps its permission bits, ACL, extended attributes,
// owner and group, as far as the user may set them, and never gains a
// permission: where the owner or group cannot be kept, the new owner's
// permissions are at most what the user had, and the new group's at most
// what everybody had.
#pragma once

#include <QByteArray>
#include <QString>

namespace orvex {

struct FileWriteResult {
    bool Ok = false;
    bool Refused = false;  // nothing was tried: the target may not be replaced
    int SystemError = 0;   // errno of the step that failed; 0 when Ok
    QString Error;         // the reason for the user (a refusal names the
                           // file); empty when Ok
};

// Whether `path` may be written as said above: a result with Refused set
// (and its reason) when not, else Ok (a failure the write itself would meet
// is left to it).
FileWriteResult CheckFileReplaceable(const QString& path);

// Writes `bytes` to `path` as said above.
FileWriteResult WriteFileAtomically(const QString& path, const QByteArray& bytes);

// For tests: called in the writing process when an existing file is about
// to be replaced, between the naming of the temporary file and the rename
// over the target.
extern void (*gNamingStarted)();

// The name of the temporary file beside a file named `fileName` (the last
// part of its path, in the file system's bytes) in a folder whose names are
// at most `nameMax` bytes long (255 on the usual file systems): fileName,
// "." and `suffix`, with the end of fileName cut (between two UTF-8
// characters) as far as needed to stay within nameMax.
QByteArray TemporaryNameBeside(const QByteArray& fileName, const QByteArray& suffix, int nameMax);

}  // namespace orvex
