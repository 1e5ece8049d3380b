#include "ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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
    const QString candidates[] = {ProgramDirectory() + name,
                                  QCoreApplication::applicationDirPath() + QStringLiteral("/" ALBORA_DATADIR_FROM_BINDIR "/") + name,
                                  QStringLiteral(ALBORA_DATADIR "/") + name,
                                  QStringLiteral(ALBORA_SOURCE_DATADIR "/") + name,
                                  QStringLiteral(ALBORA_SOURCE_DOCDIR "/") + name};
    for (const QString& path : candidates)
        if (QFileInfo::exists(path)) return path;
    return {};
}

}  // namespace ProgramPaths
