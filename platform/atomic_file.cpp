#include "platform/atomic_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>

#ifdef Q_OS_WIN
#include <QSaveFile>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#endif

namespace orvex {

void (*gNamingStarted)() = nullptr;

QByteArray TemporaryNameBeside(const QByteArray& fileName, const QByteArray& suffix, int nameMax) {
    const qsizetype room = std::max<qsizetype>(0, nameMax - 1 - suffix.size());
    qsizetype keep = std::min(fileName.size(), room);
    // Never half a character: back up over UTF-8 continuation bytes.
    while (keep > 0 && keep < fileName.size() &&
           (static_cast<unsigned char>(fileName[keep]) & 0xC0) == 0x80)
        --keep;
    return fileName.left(keep) + '.' + suffix;
}

namespace {

FileWriteResult Failure(int err, const QString& why = QString()) {
    FileWriteResult r;
    r.SystemError = err;
    r.Error = why.isEmpty() ? qt_error_string(err) : why;
    return r;
}

FileWriteResult Success() {
    FileWriteResult r;
    r.Ok = true;
    return r;
}

FileWriteResult Refusal(int err, const QString& why) {
    FileWriteResult r = Failure(err, why);
    r.Refused = true;
    return r;
}

FileWriteResult NotRegular(const QString& path) {
    return Refusal(EINVAL, QFileInfo(path).fileName() + " is not a regular file.");
}

}  // namespace

#ifdef Q_OS_WIN

FileWriteResult CheckFileReplaceable(const QString& path) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) return NotRegular(path);
    if (info.exists() && !info.isWritable())
        return Refusal(EACCES,
                       info.fileName() + " may not be written (" + qt_error_string(EACCES) + ").");
    return Success();
}

FileWriteResult WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    const FileWriteResult allowed = CheckFileReplaceable(path);
    if (!allowed.Ok) return allowed;
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    for (qint64 done = 0, n = 0; written && done < bytes.size(); done += n) {
        n = file.write(bytes.constData() + done, bytes.size() - done);
        written = n > 0;
    }
    if (written && file.commit()) return Success();
    const QString why = file.errorString();
    file.cancelWriting();
    return Failure(EIO, why);
}

#else

namespace {

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

// SIGXFSZ ignored while it lives: a write past the file-size limit then
// fails with EFBIG instead of ending the program.
class FileSizeSignalIgnored {
  public:
    FileSizeSignalIgnored() {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        ::sigaction(SIGXFSZ, &ignore, &old_);
    }
    ~FileSizeSignalIgnored() { ::sigaction(SIGXFSZ, &old_, nullptr); }
    FileSizeSignalIgnored(const FileSizeSignalIgnored&) = delete;
    FileSizeSignalIgnored& operator=(const FileSizeSignalIgnored&) = delete;

  private:
    struct sigaction old_ {};
};

constexpr char kTemporaryMark[] = "orvextmp";
constexpr int kRandomLength = 6;

QByteArray FolderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) return ".";
    if (slash == 0) return "/";
    return path.left(slash);
}

QByteArray NameOf(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

bool IsLetterOrDigit(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

QByteArray TemporaryPath(const QByteArray& target, long nameMax) {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray suffix = kTemporaryMark;
    for (int i = 0; i < kRandomLength; ++i)
        suffix += kLetters[QRandomGenerator::global()->bounded(62)];
    return FolderOf(target) + '/' +
           TemporaryNameBeside(NameOf(target), suffix, static_cast<int>(nameMax));
}

// Whether `name` is one of our temporary names: ".orvextmp" and six letters
// or digits at its end.
bool IsTemporaryName(const QByteArray& name) {
    const QByteArray mark = QByteArray(".") + kTemporaryMark;
    if (name.size() < mark.size() + kRandomLength) return false;
    const qsizetype at = name.size() - kRandomLength - mark.size();
    if (name.mid(at, mark.size()) != mark) return false;
    const QByteArray tail = name.right(kRandomLength);
    return std::all_of(tail.begin(), tail.end(), IsLetterOrDigit);
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Takes the lock a writer holds on its temporary file; false when another
// holds it. A file system without locks lets nobody remove the file.
bool Lock(int fd, bool& lockable) {
    lockable = true;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    lockable = errno == EWOULDBLOCK || errno == EINTR;
    return false;
}

// Removes from `folder` the temporary files of saves that did not end (a
// save killed on the way): ours by their name, and held by no writer.
void RemoveLeftovers(const QByteArray& folder) {
    DIR* dir = ::opendir(folder.constData());
    if (!dir) return;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        struct stat named {};
        // (A device is never opened: opening some has effects.)
        if (!IsTemporaryName(entry->d_name) ||
            ::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(named.st_mode))
            continue;
        const int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
        int opened = ::openat(dirFd, entry->d_name, O_RDONLY | flags);
        if (opened < 0 && errno == EACCES)
            opened = ::openat(dirFd, entry->d_name, O_WRONLY | flags);
        const Descriptor fd(opened);
        struct stat held {};
        bool lockable = false;
        if (fd.get() < 0 || ::fstat(fd.get(), &held) != 0 || !S_ISREG(held.st_mode) ||
            !Lock(fd.get(), lockable))
            continue;
        if (::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            SameFile(held, named))
            ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

// Follows symbolic links to the name they end at: a regular file, something
// else, or a name not taken yet (which the write creates).
bool FollowLinks(QByteArray& path, int& err) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0) {
            if (errno == ENOENT) return true;
            err = errno;
            return false;
        }
        if (!S_ISLNK(st.st_mode)) return true;
        QByteArray target(PATH_MAX, '\0');
        const ssize_t n =
            ::readlink(path.constData(), target.data(), static_cast<size_t>(target.size()));
        if (n < 0 || n >= target.size()) {
            err = n < 0 ? errno : ENAMETOOLONG;
            return false;
        }
        target.truncate(n);
        path = target.startsWith('/') ? target : FolderOf(path) + '/' + target;
    }
    err = ELOOP;
    return false;
}

// The file a save of `path` writes (its links followed), and the refusals
// before anything is written. `exists` tells whether `old` holds its state.
FileWriteResult Inspect(const QString& path, QByteArray& target, struct stat& old, bool& exists) {
    target = QFile::encodeName(path);
    exists = false;
    if (target.isEmpty()) return Failure(ENOENT);
    int err = 0;
    if (!FollowLinks(target, err)) return Failure(err);
    exists = ::stat(target.constData(), &old) == 0;
    if (!exists) return errno == ENOENT ? Success() : Failure(errno);
    const QString name = QFileInfo(path).fileName();
    if (!S_ISREG(old.st_mode)) return NotRegular(path);
    // As an open for output would be: checked for the user who runs the
    // program (a rename needs only the folder's permission).
    if (::access(target.constData(), W_OK) != 0) {
        err = errno;
        return Refusal(err, name + " may not be written (" + qt_error_string(err) + ").");
    }
    if (old.st_nlink > 1)
        return Refusal(EMLINK, name +
                                   " has other names (hard links), which would keep its old "
                                   "contents: save it under another name.");
    return Success();
}

// All the bytes, then flushed to the disk: what is renamed over the old
// file is complete.
bool WriteAll(int fd, const QByteArray& bytes, int& err) {
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            err = n < 0 ? errno : EIO;
            return false;
        }
        p += n;
        left -= n;
    }
    if (::fsync(fd) != 0) {
        err = errno;
        return false;
    }
    return true;
}

void SyncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

QByteArray Attribute(const QByteArray& path, const char* name) {
    const ssize_t size = ::getxattr(path.constData(), name, nullptr, 0);
    if (size <= 0) return {};
    QByteArray value(size, '\0');
    const ssize_t n =
        ::getxattr(path.constData(), name, value.data(), static_cast<size_t>(value.size()));
    return n > 0 ? value.left(n) : QByteArray();
}

// The entries of an access ACL as the system stores it in its extended
// attribute: a 4-byte version, then 8 bytes each, little-endian: tag (2),
// permission bits rwx (2), user or group id (4).
constexpr char kAclName[] = "system.posix_acl_access";
constexpr uint16_t kAclOwner = 0x01, kAclGroup = 0x04, kAclMask = 0x10, kAclOther = 0x20;

uint16_t AclPermission(const QByteArray& acl, uint16_t tag) {
    for (qsizetype at = 4; at + 8 <= acl.size(); at += 8) {
        const auto* e = reinterpret_cast<const unsigned char*>(acl.constData() + at);
        if ((e[0] | e[1] << 8) == tag) return static_cast<uint16_t>(e[2] | e[3] << 8);
    }
    return 7;
}

void CutAclPermission(QByteArray& acl, uint16_t tag, uint16_t allowed) {
    for (qsizetype at = 4; at + 8 <= acl.size(); at += 8) {
        auto* e = reinterpret_cast<unsigned char*>(acl.data() + at);
        if ((e[0] | e[1] << 8) == tag) e[2] &= static_cast<unsigned char>(allowed);
    }
}

// Gives the new file open on fd what the old one (at `oldPath`) had: owner
// and group as far as the user may set them, permission bits, ACL (none
// the folder would give by default) and extended attributes. Never a
// permission more than the old file gave: where the owner changes, the new
// owner has at most what this user had; where the group changes, the new
// group at most what everybody had. Fails only when the permissions could
// not be set.
bool TakeOver(int fd, const QByteArray& oldPath, const struct stat& old, int& err) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    struct stat now {};
    if (::fstat(fd, &now) != 0) {
        err = errno;
        return false;
    }
    const uint16_t userHad = (::access(oldPath.constData(), R_OK) == 0 ? 4 : 0) | 2 |
                             (::access(oldPath.constData(), X_OK) == 0 ? 1 : 0);
    mode_t mode = old.st_mode & 0777;
    QByteArray acl = Attribute(oldPath, kAclName);
    if (now.st_uid != old.st_uid) {
        mode &= ~static_cast<mode_t>(0700) | static_cast<mode_t>(userHad << 6);
        CutAclPermission(acl, kAclOwner, userHad);
    }
    if (now.st_gid != old.st_gid) {
        mode &= ~static_cast<mode_t>(0070) | ((mode & 07) << 3);
        CutAclPermission(acl, kAclGroup, AclPermission(acl, kAclOther));
    }
    // With an ACL the group bits are its mask: until the ACL is set, and if
    // it cannot be, the group has what the ACL gave it through the mask.
    if (!acl.isEmpty()) {
        const mode_t group = AclPermission(acl, kAclGroup) & AclPermission(acl, kAclMask);
        mode = (mode & ~static_cast<mode_t>(0070)) | (group << 3);
    }
    ::fremovexattr(fd, kAclName);
    if (::fchmod(fd, mode) != 0) {
        err = errno;
        return false;
    }
    if (!acl.isEmpty())
        ::fsetxattr(fd, kAclName, acl.constData(), static_cast<size_t>(acl.size()), 0);
    // The other attributes (user.*, and whatever else the user may set).
    const ssize_t size = ::listxattr(oldPath.constData(), nullptr, 0);
    QByteArray names(std::max<ssize_t>(size, 0), '\0');
    const ssize_t n =
        size > 0 ? ::listxattr(oldPath.constData(), names.data(), static_cast<size_t>(names.size()))
                 : 0;
    for (const QByteArray& name : names.left(std::max<ssize_t>(n, 0)).split('\0')) {
        if (name.isEmpty() || name == kAclName) continue;
        const QByteArray value = Attribute(oldPath, name.constData());
        ::fsetxattr(fd, name.constData(), value.constData(), static_cast<size_t>(value.size()), 0);
    }
    return true;
}

// Renames `temp` over `target`, or removes it again.
FileWriteResult RenameOver(const QByteArray& temp, const QByteArray& target) {
    if (gNamingStarted) gNamingStarted();
    if (::rename(temp.constData(), target.constData()) != 0) {
        const int err = errno;
        ::unlink(temp.constData());
        return Failure(err);
    }
    SyncFolder(FolderOf(target));
    return Success();
}

#ifdef O_TMPFILE
// Gives the unnamed file open on fd the name `name` (which must be free).
bool NameUnnamedFile(int fd, const QByteArray& name, int& err) {
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    err = errno;
    if (err == EEXIST) return false;
    // Without /proc: the direct form, which some systems allow.
    if (::linkat(fd, "", AT_FDCWD, name.constData(), AT_EMPTY_PATH) == 0) return true;
    if (errno == EEXIST) err = EEXIST;
    return false;
}

// The unnamed way. Returns false, with nothing left behind, when the file
// system offers no unnamed file or it cannot be named; the caller then goes
// the named way. `done` is set when the answer is final.
bool WriteUnnamed(const QByteArray& target, const struct stat* old, const QByteArray& bytes,
                  long nameMax, FileWriteResult& done) {
    const Descriptor fd(
        ::open(FolderOf(target).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, old ? 0600 : 0666));
    if (fd.get() < 0) return false;
    int err = 0;
    if ((old && !TakeOver(fd.get(), target, *old, err)) || !WriteAll(fd.get(), bytes, err)) {
        done = Failure(err);
        return true;
    }
    // A new file is linked at once and whole under its name; an existing
    // one can only be replaced by a rename from a temporary name, locked
    // from its first moment so that no other save takes it for a leftover.
    if (!old) {
        if (NameUnnamedFile(fd.get(), target, err)) {
            SyncFolder(FolderOf(target));
            done = Success();
            return true;
        }
        if (err != EEXIST) return false;
    }
    ::flock(fd.get(), LOCK_EX | LOCK_NB);
    for (int i = 0; i < 16; ++i) {
        const QByteArray temp = TemporaryPath(target, nameMax);
        if (!NameUnnamedFile(fd.get(), temp, err)) {
            if (err == EEXIST) continue;
            return false;
        }
        done = RenameOver(temp, target);
        return true;
    }
    return false;
}
#endif

FileWriteResult WriteNamed(const QByteArray& target, const struct stat* old,
                           const QByteArray& bytes, long nameMax) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray temp = TemporaryPath(target, nameMax);
        Descriptor fd(
            ::open(temp.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, old ? 0600 : 0666));
        if (fd.get() < 0) {
            if (errno == EEXIST) continue;
            return Failure(errno);
        }
        // Locked before anything else; a save that removed it as a
        // leftover in between leaves the name to another try.
        bool lockable = false;
        struct stat mine {};
        struct stat named {};
        if (!Lock(fd.get(), lockable) && lockable) continue;
        if (::fstat(fd.get(), &mine) != 0 || ::lstat(temp.constData(), &named) != 0 ||
            !SameFile(mine, named))
            continue;
        int err = 0;
        bool ok = (!old || TakeOver(fd.get(), target, *old, err)) && WriteAll(fd.get(), bytes, err);
        if (!ok) {
            ::unlink(temp.constData());
            return Failure(err);
        }
        // (The lock holds until the rename is done.)
        return RenameOver(temp, target);
    }
    return Failure(EEXIST);
}

}  // namespace

FileWriteResult CheckFileReplaceable(const QString& path) {
    QByteArray target;
    struct stat old {};
    bool exists = false;
    const FileWriteResult checked = Inspect(path, target, old, exists);
    return checked.Refused ? checked : Success();
}

FileWriteResult WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    QByteArray target;
    struct stat old {};
    bool exists = false;
    const FileWriteResult checked = Inspect(path, target, old, exists);
    if (!checked.Ok) return checked;
    RemoveLeftovers(FolderOf(target));
    long nameMax = ::pathconf(FolderOf(target).constData(), _PC_NAME_MAX);
    if (nameMax <= 0) nameMax = NAME_MAX;
    const FileSizeSignalIgnored sizeLimitReported;
#ifdef O_TMPFILE
    FileWriteResult done;
    if (WriteUnnamed(target, exists ? &old : nullptr, bytes, nameMax, done)) return done;
#endif
    return WriteNamed(target, exists ? &old : nullptr, bytes, nameMax);
}

#endif

}  // namespace orvex
