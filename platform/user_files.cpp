#include "platform/user_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace orvex {

QString UserObservationsFolderPath() {
    // The XDG rule: a relative XDG_DATA_HOME is ignored.
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty() || QDir::isRelativePath(data)) data = QDir::homePath() + "/.local/share";
    return QDir::cleanPath(data + "/Orvex/Observations");
}

namespace {
// Fills a fresh folder with copies of the samples, writable by the user
// whatever the installed files' modes.
bool CopySamples(const QString& from, const QString& to) {
    const QDir samples(from);
    for (const QFileInfo& f : samples.entryInfoList({"*.obs"}, QDir::Files | QDir::Readable)) {
        const QString target = to + "/" + f.fileName();
        if (!QFile::copy(f.absoluteFilePath(), target)) return false;
        QFile::setPermissions(
            target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    return true;
}
}  // namespace

QString ObservationsFolder(const QString& programFolder) {
    const QString samples = programFolder + "/Observations";
    const QString folder = UserObservationsFolderPath();
    if (QFileInfo(folder).isDir()) return folder;
    const QString parent = QFileInfo(folder).path();
    if (!QDir().mkpath(parent)) return samples;
    QTemporaryDir fresh(parent + "/.Observations-XXXXXX");
    if (!fresh.isValid() || !CopySamples(samples, fresh.path())) return samples;
    QFile::setPermissions(fresh.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                            QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                            QFile::ExeOther);
    if (QDir().rename(fresh.path(), folder)) {
        fresh.setAutoRemove(false);
        return folder;
    }
    // Another start of the program made it meanwhile.
    return QFileInfo(folder).isDir() ? folder : samples;
}

}  // namespace orvex
