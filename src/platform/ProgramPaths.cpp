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

// Whether the running program is one of the build tree's, where the source tree's files are the
// ones to use, not those of an older installation.
bool RunsFromBuildTree() {
    const QString build = QFileInfo(QStringLiteral(ALBORA_BUILD_DIR)).canonicalFilePath();
    const QString program = QFileInfo(QCoreApplication::applicationDirPath()).canonicalFilePath();
    return !build.isEmpty() && !program.isEmpty() && (program + '/').startsWith(build + '/');
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
    QStringList folders;
    if (RunsFromBuildTree()) folders << QStringLiteral(ALBORA_SOURCE_DATADIR) << QStringLiteral(ALBORA_SOURCE_DOCDIR);
    folders << QCoreApplication::applicationDirPath() + QStringLiteral("/" ALBORA_DATADIR_FROM_BINDIR)
            << QStringLiteral(ALBORA_DATADIR);
    for (const QString& folder : folders)
        if (const QString path = folder + '/' + name; QFileInfo::exists(path)) return path;
    return {};
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
