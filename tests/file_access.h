// Files as a user of a shared machine meets them, for the tests of saving:
// another (unprivileged) user running part of a test, an access ACL and a
// user attribute on a file, and the processes a process has started.
#pragma once

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orvex::test {

// The user and group "nobody" of the usual Linux systems.
constexpr uid_t kNobody = 65534;

// Runs `part` in a child process, as user and group kNobody when asked and
// this process runs as root (otherwise as this user), and returns what it
// returned, or how the child ended when it did not end by itself.
inline std::string RunInChild(const std::function<std::string()>& part, bool asNobody = false) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(pipeFds[0]);
        if (asNobody && geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
            _exit(3);
        const std::string said = part();
        (void)!write(pipeFds[1], said.data(), said.size());
        _exit(0);
    }
    close(pipeFds[1]);
    std::string said;
    char buffer[4096];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) said.append(buffer, n);
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFSIGNALED(status)) return "killed by signal " + std::to_string(WTERMSIG(status));
    if (WEXITSTATUS(status) != 0) return "exit " + std::to_string(WEXITSTATUS(status));
    return said;
}

// The access ACL "user::rw- user:nobody:rw- group::r-- mask::rw-
// other::r--", as the system stores it (version 2, then tag, permissions
// and id of each entry, little-endian).
inline QByteArray NobodyMayWriteAcl() {
    QByteArray acl("\x02\0\0\0", 4);
    const struct {
        int tag, perm;
        uint32_t id;
    } entries[] = {{0x01, 6, 0xFFFFFFFF},
                   {0x02, 6, kNobody},
                   {0x04, 4, 0xFFFFFFFF},
                   {0x10, 6, 0xFFFFFFFF},
                   {0x20, 4, 0xFFFFFFFF}};
    for (const auto& e : entries) {
        const unsigned char b[8] = {
            static_cast<unsigned char>(e.tag),      0,
            static_cast<unsigned char>(e.perm),     0,
            static_cast<unsigned char>(e.id),       static_cast<unsigned char>(e.id >> 8),
            static_cast<unsigned char>(e.id >> 16), static_cast<unsigned char>(e.id >> 24)};
        acl.append(reinterpret_cast<const char*>(b), 8);
    }
    return acl;
}

// An extended attribute of `path`, or empty.
inline QByteArray Attribute(const QString& path, const char* name) {
    char value[256];
    const ssize_t n = getxattr(QFile::encodeName(path).constData(), name, value, sizeof value);
    return n > 0 ? QByteArray(value, n) : QByteArray();
}

// Gives `path` the ACL above and the attribute user.comment; false where
// the file system has no ACLs or user attributes.
inline bool SetAclAndComment(const QString& path) {
    const QByteArray p = QFile::encodeName(path);
    const QByteArray acl = NobodyMayWriteAcl();
    return setxattr(p.constData(), "system.posix_acl_access", acl.constData(), acl.size(), 0) ==
               0 &&
           setxattr(p.constData(), "user.comment", "sights of 8 Dec", 15, 0) == 0;
}

// The processes whose parent is `parent`, from /proc.
inline std::vector<pid_t> ChildrenOf(pid_t parent) {
    std::vector<pid_t> found;
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
        bool number = false;
        const pid_t pid = entry.toInt(&number);
        QFile stat("/proc/" + entry + "/stat");
        if (!number || !stat.open(QIODevice::ReadOnly)) continue;
        // "pid (name) state ppid ...": the name may hold blanks and ')'.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> after = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (after.size() > 1 && after[1].toInt() == parent) found.push_back(pid);
    }
    return found;
}

}  // namespace orvex::test
