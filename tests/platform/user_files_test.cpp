// The navigator's own observation folder: made and seeded from the program's
// samples once, then never written by the program again.
#include "platform/user_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '"' << l.join(' ').toStdString() << '"';
}

namespace orvex {
namespace {

// Sets an environment variable for the life of the object.
struct ScopedEnv {
    QByteArray name, old;
    bool had;
    ScopedEnv(const char* n, const QString& value)
        : name(n), old(qgetenv(n)), had(qEnvironmentVariableIsSet(n)) {
        qputenv(n, value.toLocal8Bit());
    }
    ~ScopedEnv() { had ? (void)qputenv(name, old) : (void)qunsetenv(name); }
};

void Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

QStringList Names(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                                  QDir::Name);
}

// Guards the navigator's saved sets against the program's samples: a build
// once copied the samples over them. The folder is seeded at its first use
// only; a later start, and a rebuild or update that brings new samples,
// leave what the navigator changed, deleted or saved there as it is.
TEST(UserObservationsFolder, SeededOnceThenLeftAlone) {
    QTemporaryDir program, data;
    const ScopedEnv xdg("XDG_DATA_HOME", data.path());
    Write(program.filePath("Observations/08Dec26A.obs"), "sample 8");
    Write(program.filePath("Observations/09Dec26A.obs"), "sample 9");
    Write(program.filePath("Observations/notes.txt"), "not a set of sights");

    const QString folder = ObservationsFolder(program.path());
    EXPECT_EQ(folder, data.path() + "/Orvex/Observations");
    EXPECT_EQ(Names(data.path() + "/Orvex"), QStringList{"Observations"});  // nothing left aside
    EXPECT_EQ(Names(folder), QStringList({"08Dec26A.obs", "09Dec26A.obs"}));
    EXPECT_EQ(Read(folder + "/08Dec26A.obs"), "sample 8");
    EXPECT_TRUE(QFile::permissions(folder + "/09Dec26A.obs") & QFile::WriteOwner);

    Write(folder + "/08Dec26A.obs", "changed by the navigator");
    QFile::remove(folder + "/09Dec26A.obs");
    Write(folder + "/10Dec26A.obs", "saved by the navigator");
    // A rebuild or an update brings other samples.
    Write(program.filePath("Observations/08Dec26A.obs"), "new sample 8");
    Write(program.filePath("Observations/11Dec26A.obs"), "new sample 11");

    EXPECT_EQ(ObservationsFolder(program.path()), folder);
    EXPECT_EQ(Names(folder), QStringList({"08Dec26A.obs", "10Dec26A.obs"}));
    EXPECT_EQ(Read(folder + "/08Dec26A.obs"), "changed by the navigator");
    EXPECT_EQ(Read(folder + "/10Dec26A.obs"), "saved by the navigator");
    EXPECT_EQ(Read(program.filePath("Observations/08Dec26A.obs")), "new sample 8");

    // An emptied folder stays empty.
    for (const QString& n : Names(folder)) QFile::remove(folder + "/" + n);
    EXPECT_EQ(ObservationsFolder(program.path()), folder);
    EXPECT_TRUE(Names(folder).isEmpty());
}

// Guards the place of the folder (the XDG rules: a relative XDG_DATA_HOME is
// ignored) and a home where it cannot be made: the dialogs then start at the
// program's samples, and nothing is half made.
TEST(UserObservationsFolder, FollowsTheXdgRulesAndFallsBack) {
    QTemporaryDir program, home;
    Write(program.filePath("Observations/08Dec26A.obs"), "sample 8");
    const ScopedEnv h("HOME", home.path());
    {
        const ScopedEnv xdg("XDG_DATA_HOME", "relative/share");
        EXPECT_EQ(UserObservationsFolderPath(), home.path() + "/.local/share/Orvex/Observations");
    }
    Write(home.filePath("blocked"), "a file where a folder should be");
    const ScopedEnv xdg("XDG_DATA_HOME", home.filePath("blocked"));
    EXPECT_EQ(ObservationsFolder(program.path()), program.path() + "/Observations");
    EXPECT_EQ(Names(home.path()), QStringList{"blocked"});
}

}  // namespace
}  // namespace orvex
