#include "ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString& StoredProgramDirectory() {
    static QString directory;
    return directory;
}

}  // namespace

namespace ProgramPaths {

QString WithTrailingSlash(const QString& dir) { return dir.endsWith('/') ? dir : dir + '/'; }

void CaptureProgramDirectory() { StoredProgramDirectory() = WithTrailingSlash(QDir::currentPath()); }

QString ProgramDirectory() {
    if (StoredProgramDirectory().isEmpty()) CaptureProgramDirectory();
    return StoredProgramDirectory();
}

QString FindShippedFile(const QString& name) {
    const QString path =
        QCoreApplication::applicationDirPath() + QStringLiteral("/" ALBORA_DATADIR_FROM_BINDIR "/") + name;
    return QFileInfo::exists(path) ? path : QString();
}

QString UserDataDirectory() {
    const QString folder =
        WithTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)) + QStringLiteral("albora/");
    QDir().mkpath(folder);
    return folder;
}

QString ScratchDirectory() {
    const QString folder =
        WithTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)) + QStringLiteral("albora/");
    return QDir().mkpath(folder) ? folder : WithTrailingSlash(QDir::tempPath());
}

}  // namespace ProgramPaths
