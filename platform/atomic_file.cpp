#include "platform/atomic_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <utility>

#ifdef Q_OS_WIN
#include <QSaveFile>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <vector>
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

FileWriteResult NotRegular(const QString& path) {
    FileWriteResult r = Failure(EINVAL, QFileInfo(path).fileName() + " is not a regular file.");
    r.NotRegular = true;
    return r;
}

}  // namespace

#ifdef Q_OS_WIN

FileWriteResult WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) return NotRegular(path);
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
    int release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

QByteArray FolderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) return ".";
    if (slash == 0) return "/";
    return path.left(slash);
}

QByteArray NameOf(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
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
        const ssize_t n = ::readlink(path.constData(), target.data(), target.size());
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

QByteArray RandomSuffix() {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray s(6, 'X');
    for (char& c : s) c = kLetters[QRandomGenerator::global()->bounded(62)];
    return s;
}

void SyncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

#ifdef O_TMPFILE
// Gives the unnamed file open on fd the name `name` (which must be free).
// Only system calls, and no memory allocated: safe in a forked process.
bool NameUnnamedFile(const char* self, int fd, const char* name, int& err) {
    if (::linkat(AT_FDCWD, self, AT_FDCWD, name, AT_SYMLINK_FOLLOW) == 0) return true;
    err = errno;
    if (err == EEXIST) return false;
    // Without /proc: the direct form, which some systems allow.
    if (::linkat(fd, "", AT_FDCWD, name, AT_EMPTY_PATH) == 0) return true;
    if (errno == EEXIST) err = EEXIST;
    return false;
}

// Links the unnamed file under the first free one of `temps` and renames
// that over the target. Returns 0, ENOENT when it could not be named at all
// (nothing changed), or the errno of the failed rename (the temporary name
// removed again). Same restrictions as above.
int LinkAndRename(const char* self, int fd, const std::vector<QByteArray>& temps,
                  const char* target) {
    int err = EEXIST;
    for (const QByteArray& temp : temps) {
        if (!NameUnnamedFile(self, fd, temp.constData(), err)) {
            if (err == EEXIST) continue;
            return ENOENT;
        }
        if (::rename(temp.constData(), target) != 0) {
            err = errno;
            ::unlink(temp.constData());
            return err;
        }
        return 0;
    }
    return ENOENT;
}

// The replacing step, whose temporary name lives between two system calls:
// run in a short-lived process of its own, out of the program's process
// group and deaf to every signal, it finishes even when the program is
// killed between them, so no temporary copy is left beside the target.
// Without a process to spare it runs here.
int ReplaceByUnnamedFile(int fd, const QByteArray& target, const std::vector<QByteArray>& temps) {
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    const pid_t helper = ::fork();
    if (helper == 0) {
        ::setpgid(0, 0);
        sigset_t all;
        sigfillset(&all);
        sigprocmask(SIG_BLOCK, &all, nullptr);
        ::_exit(LinkAndRename(self.constData(), fd, temps, target.constData()));
    }
    if (helper < 0) return LinkAndRename(self.constData(), fd, temps, target.constData());
    if (gNamingStarted) gNamingStarted();
    int status = 0;
    pid_t waited = -1;
    do {
        waited = ::waitpid(helper, &status, 0);
    } while (waited < 0 && errno == EINTR);
    if (waited == helper && WIFEXITED(status)) return WEXITSTATUS(status);
    // Reaped by someone else: the target tells whether it is ours now.
    struct stat mine {};
    struct stat now {};
    if (::fstat(fd, &mine) == 0 && ::stat(target.constData(), &now) == 0 &&
        mine.st_dev == now.st_dev && mine.st_ino == now.st_ino)
        return 0;
    return EIO;
}

// The unnamed way. Returns false, with nothing left behind, when the file
// system offers no unnamed file or it cannot be named; the caller then goes
// the named way. `done` is set when the answer is final.
bool WriteUnnamed(const QByteArray& target, bool exists, mode_t mode, const QByteArray& bytes,
                  long nameMax, FileWriteResult& done) {
    const QByteArray folder = FolderOf(target);
    const Descriptor fd(::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (fd.get() < 0) return false;
    int err = 0;
    if (exists && ::fchmod(fd.get(), mode) != 0) return false;
    if (!WriteAll(fd.get(), bytes, err)) {
        done = Failure(err);
        return true;
    }
    // A new file is linked at once and whole under its name; an existing
    // one can only be replaced by a rename from a temporary name.
    if (!exists) {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd.get());
        if (NameUnnamedFile(self.constData(), fd.get(), target.constData(), err)) {
            SyncFolder(folder);
            done = Success();
            return true;
        }
        if (err != EEXIST) return false;
    }
    std::vector<QByteArray> temps;
    for (int i = 0; i < 16; ++i)
        temps.push_back(folder + '/' +
                        TemporaryNameBeside(NameOf(target), RandomSuffix(), nameMax));
    err = ReplaceByUnnamedFile(fd.get(), target, temps);
    if (err == ENOENT) return false;
    if (err == 0) SyncFolder(folder);
    done = err == 0 ? Success() : Failure(err);
    return true;
}
#endif

FileWriteResult WriteNamed(const QByteArray& target, bool exists, mode_t mode,
                           const QByteArray& bytes, long nameMax) {
    const QByteArray folder = FolderOf(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray temp =
            folder + '/' + TemporaryNameBeside(NameOf(target), RandomSuffix(), nameMax);
        Descriptor fd(::open(temp.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666));
        if (fd.get() < 0) {
            if (errno == EEXIST) continue;
            return Failure(errno);
        }
        int err = 0;
        bool ok = !exists || ::fchmod(fd.get(), mode) == 0;
        if (!ok) err = errno;
        ok = ok && WriteAll(fd.get(), bytes, err);
        if (ok && ::close(fd.release()) != 0) {
            err = errno;
            ok = false;
        }
        if (ok && ::rename(temp.constData(), target.constData()) != 0) {
            err = errno;
            ok = false;
        }
        if (!ok) {
            ::unlink(temp.constData());
            return Failure(err);
        }
        SyncFolder(folder);
        return Success();
    }
    return Failure(EEXIST);
}

}  // namespace

FileWriteResult WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    QByteArray target = QFile::encodeName(path);
    if (target.isEmpty()) return Failure(ENOENT);
    int err = 0;
    if (!FollowLinks(target, err)) return Failure(err);
    struct stat st {};
    const bool exists = ::stat(target.constData(), &st) == 0;
    if (!exists && errno != ENOENT) return Failure(errno);
    if (exists && !S_ISREG(st.st_mode)) return NotRegular(path);
    const mode_t mode = st.st_mode & 0777;
    long nameMax = ::pathconf(FolderOf(target).constData(), _PC_NAME_MAX);
    if (nameMax <= 0) nameMax = NAME_MAX;
#ifdef O_TMPFILE
    FileWriteResult done;
    if (WriteUnnamed(target, exists, mode, bytes, nameMax, done)) return done;
#endif
    return WriteNamed(target, exists, mode, bytes, nameMax);
}

#endif

}  // namespace orvex
