// Files written whole or not at all: the temporary name beside them, and
// what a save may replace and keeps of the file it replaces. (Kills and a
// full disk during a save are tested through the save command, in
// tests/workbench/observation_file_test.cpp.)
#include "platform/atomic_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>

#include "tests/file_access.h"

namespace orvex {
namespace {

// Guards a file with a name of 249 to 255 bytes that could not be replaced:
// its temporary name was longer than the system's limit. The name is cut,
// never inside a UTF-8 character, and a short name is kept whole.
TEST(AtomicFile, TemporaryNameStaysWithinTheLimit) {
    EXPECT_EQ(TemporaryNameBeside("fix.obs", "a1B2c3", 255), QByteArray("fix.obs.a1B2c3"));
    const QByteArray full = QByteArray(251, 'x') + ".obs";
    const QByteArray t = TemporaryNameBeside(full, "a1B2c3", 255);
    EXPECT_EQ(t.size(), 255);
    EXPECT_TRUE(t.startsWith(QByteArray(248, 'x')));
    // "°" is two bytes: the cut falls before it, not between its bytes.
    const QByteArray degrees = QByteArray(247, 'x') + "\xC2\xB0" + "12.obs";
    const QByteArray d = TemporaryNameBeside(degrees, "a1B2c3", 255);
    EXPECT_EQ(d, QByteArray(247, 'x') + ".a1B2c3");
}

QString Make(const QTemporaryDir& dir, const char* name, mode_t mode, uid_t owner = -1) {
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("old");
    f.close();
    chmod(QFile::encodeName(path).constData(), mode);
    if (owner != static_cast<uid_t>(-1)) chown(QFile::encodeName(path).constData(), owner, owner);
    return path;
}

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

struct stat Stat(const QString& path) {
    struct stat st {};
    stat(QFile::encodeName(path).constData(), &st);
    return st;
}

// Guards files the user may not write, which a rename (it needs only the
// folder's permission) replaced and called saved: a read-only file of the
// user's own and root's file in a folder everybody may write are refused,
// named in the reason, and keep their bytes and owner. Another user's file
// the user may write is replaced, and the user gets no permission more than
// before (here write only), nor does the user's group.
TEST(AtomicFile, RefusesWhatTheUserMayNotWrite) {
    const bool root = geteuid() == 0;
    QTemporaryDir dir;
    chmod(QFile::encodeName(dir.path()).constData(), 0777);
    const QString mine = Make(dir, "mine.obs", 0444, root ? test::kNobody : -1);
    const QString roots = Make(dir, "roots.obs", 0644);
    const QString shared = Make(dir, "shared.obs", 0662);
    const std::string said = test::RunInChild(
        [&] {
            std::string out;
            for (const QString& path :
                 root ? QStringList{mine, roots, shared} : QStringList{mine}) {
                const FileWriteResult r = WriteFileAtomically(path, "new");
                out += (r.Ok ? "Ok " : "refused ") + r.Error.toStdString() + "\n";
            }
            return out;
        },
        true);
    EXPECT_EQ(said.substr(0, said.find('\n')),
              "refused mine.obs may not be written (Permission denied).");
    EXPECT_EQ(Bytes(mine), "old");
    if (!root) GTEST_SKIP() << "another user's file: the test must run as root to make one";
    EXPECT_NE(said.find("refused roots.obs may not be written (Permission denied)."),
              std::string::npos)
        << said;
    EXPECT_EQ(Bytes(roots), "old");
    EXPECT_EQ(Stat(roots).st_uid, 0u);
    EXPECT_EQ(Stat(mine).st_uid, test::kNobody);
    EXPECT_EQ(Bytes(shared), "new");
    EXPECT_EQ(Stat(shared).st_mode & 0777, 0222u);
}

// Guards what a replaced file had: its ACL (a named user's entry, and a
// mask that an ACL-less copy turned into write permission for the whole
// group), an extended attribute, and its owner and group where the user
// may set them (root here).
TEST(AtomicFile, KeepsAclAttributesOwnerAndGroup) {
    QTemporaryDir dir;
    const QString path = Make(dir, "acl.obs", 0644, geteuid() == 0 ? test::kNobody : -1);
    if (!test::SetAclAndComment(path))
        GTEST_SKIP() << "the file system of " << dir.path().toStdString()
                     << " has no ACLs or user attributes";
    const struct stat before = Stat(path);
    ASSERT_TRUE(WriteFileAtomically(path, "new").Ok);
    const struct stat after = Stat(path);
    EXPECT_EQ(Bytes(path), "new");
    EXPECT_EQ(test::Attribute(path, "system.posix_acl_access"), test::NobodyMayWriteAcl());
    EXPECT_EQ(test::Attribute(path, "user.comment"), "sights of 8 Dec");
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
}

// Guards a file with a second name, which a save parted from it (the other
// name kept the old bytes): it is refused and both names keep one content.
TEST(AtomicFile, HardLinkedFileIsRefused) {
    QTemporaryDir dir;
    const QString path = Make(dir, "fix.obs", 0644);
    ASSERT_EQ(link(QFile::encodeName(path).constData(),
                   QFile::encodeName(dir.filePath("copy.obs")).constData()),
              0);
    const FileWriteResult r = WriteFileAtomically(path, "new");
    EXPECT_FALSE(r.Ok);
    EXPECT_TRUE(r.Error.startsWith("fix.obs has other names")) << r.Error.toStdString();
    EXPECT_EQ(Bytes(path), "old");
    EXPECT_EQ(Bytes(dir.filePath("copy.obs")), "old");
}

// Guards a file-size limit below the file's size, which ended the program
// (SIGXFSZ): the write fails with EFBIG, the program goes on, and the old
// file stays, alone.
TEST(AtomicFile, FileSizeLimitIsReported) {
    QTemporaryDir dir;
    const QString path = Make(dir, "fix.obs", 0644);
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit low{10, 10};
        setrlimit(RLIMIT_FSIZE, &low);
        const FileWriteResult r = WriteFileAtomically(path, QByteArray(100, 'n'));
        _exit(r.Ok ? 1 : r.SystemError == EFBIG ? 0 : 2);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_EQ(Bytes(path), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"fix.obs"});
}

// Guards temporary files left by killed saves, which stayed for ever: the
// next save into the folder removes those of the program's own pattern
// that no save under way holds, and nothing else.
TEST(AtomicFile, LeftoversAreRemovedByTheNextSave) {
    QTemporaryDir dir;
    const QString path = Make(dir, "fix.obs", 0644);
    for (const char* left : {"fix.obs.orvextmpAb12Cd", "log.obs.orvextmp0a1B2c", ".orvextmpZZZZZZ"})
        Make(dir, left, 0444);
    QStringList kept{"fix.obs", "fix.obs.Ab12Cd", "fix.obs.orvextmp", "notes.orvextmp-12345",
                     "fix.obs.orvextmpLOCKED"};
    for (const QString& name : kept.mid(1)) Make(dir, name.toLatin1().constData(), 0644);
    const int underWay = open(QFile::encodeName(dir.filePath(kept.last())).constData(), O_RDONLY);
    ASSERT_EQ(flock(underWay, LOCK_EX), 0);
    EXPECT_TRUE(WriteFileAtomically(path, "new").Ok);
    close(underWay);
    kept.sort();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), kept);
}

}  // namespace
}  // namespace orvex
