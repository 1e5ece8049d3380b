#include "OutputGuard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <sys/stat.h>

namespace {

QString CleanPath(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

bool IsLink(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

}  // namespace

void OutputGuard::Protect(const QString& path, const QString& what) {
    if (path.isEmpty()) return;
    if (const std::optional<FileIdentity> identity = IdentityOfFile(path))
        m_protected.emplace(*identity, what);
    else
        m_missing.insert(CleanPath(path), what);
}

std::optional<QString> OutputGuard::Protected(const QString& path) const {
    if (path.isEmpty()) return std::nullopt;
    if (const std::optional<FileIdentity> identity = IdentityOfFile(path)) {
        const auto it = m_protected.find(*identity);
        if (it != m_protected.end()) return it->second;
    }
    const auto missing = m_missing.constFind(CleanPath(path));
    return missing == m_missing.constEnd() ? std::nullopt : std::optional<QString>(*missing);
}

QString OutputGuard::WriteRefusal(const QString& path) const {
    const std::optional<QString> what = Protected(path);
    return what ? OutputRefusal(path, *what) : QString();
}

QString OutputGuard::RemoveRefusal(const QString& folder, const QString& name) const {
    const QString path = folder + QLatin1Char('/') + name;
    if (EscapesFolder(folder, name)) return OutputRefusal(path, QStringLiteral("outside the folder or a symbolic link"));
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return OutputRefusal(path, QStringLiteral("no regular file"));
    return WriteRefusal(path);
}

std::optional<FileIdentity> IdentityOfFile(const QString& path) {
    return path.isEmpty() ? std::nullopt : IdentityOf(QFile::encodeName(path).constData());
}

QString OutputRefusal(const QString& path, const QString& what) {
    return QStringLiteral("Error:\n%1 is %2: it is left as it is.").arg(path, what);
}

bool EscapesFolder(const QString& folder, const QString& name) {
    QString path = folder;
    for (const QString& part : name.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path += QLatin1Char('/') + part;
        if (part == QLatin1String("..") || IsLink(path)) return true;
    }
    return false;
}
