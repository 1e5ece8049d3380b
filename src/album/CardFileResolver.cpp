#include "CardFileResolver.h"

#include <QDir>
#include <QFileInfo>
#include <utility>
#include <vector>

namespace {

bool HasDriveLetter(const QString& path) {
    return path.size() >= 2 && path[1] == ':' && path[0].isLetter() && path[0].unicode() < 128;
}

// A Windows path with "/" separators and no drive letter ("C:\A\b.jpg" gives "/A/b.jpg").
QString WithoutDrive(const QString& path) {
    QString normal = path;
    normal.replace('\\', '/');
    return HasDriveLetter(normal) ? normal.mid(2) : normal;
}

QString Join(const QString& base, const QString& relative) {
    return base.isEmpty() ? relative : QDir(base).filePath(relative);
}

}  // namespace

void CardFileResolver::SetAlbum(const QString& albumFile, const QString& directory) {
    m_albumFolder = albumFile.isEmpty() ? QString() : QFileInfo(albumFile).absolutePath();
    m_storedDirectory = directory;
    const bool exists = !directory.isEmpty() && !HasDriveLetter(directory) && !directory.contains('\\') &&
                        QFileInfo(directory).isDir();
    m_fallsBack = !directory.isEmpty() && !exists && !m_albumFolder.isEmpty();
    m_directory = m_fallsBack ? m_albumFolder : directory;
}

QString CardFileResolver::Directory() const { return m_directory; }

bool CardFileResolver::DirectoryFallsBack() const { return m_fallsBack; }

QString CardFileResolver::Resolve(const QString& stored) const {
    if (stored.isEmpty()) return stored;
    const bool windows = HasDriveLetter(stored) || stored.contains('\\');
    const bool absolute = !windows && QDir::isAbsolutePath(stored);
    const QString asWritten = absolute ? stored : Join(m_directory, stored);

    // Each candidate is a base folder and a path below it, tried in this order.
    std::vector<std::pair<QString, QString>> candidates;
    candidates.emplace_back(absolute ? QStringLiteral("/") : m_directory, absolute ? stored.mid(1) : stored);
    const QString normal = WithoutDrive(stored);
    if (windows && !normal.startsWith('/')) candidates.emplace_back(m_directory, normal);
    if (!m_albumFolder.isEmpty()) {
        QString directory = WithoutDrive(m_storedDirectory);
        while (directory.endsWith('/')) directory.chop(1);
        if (!directory.isEmpty() && normal.startsWith(directory + '/', Qt::CaseInsensitive))
            candidates.emplace_back(m_albumFolder, normal.mid(directory.size() + 1));
    }
    const QString name = normal.section('/', -1);
    if (!name.isEmpty()) {
        candidates.emplace_back(m_directory, name);
        if (!m_albumFolder.isEmpty()) candidates.emplace_back(m_albumFolder, name);
    }

    for (const auto& [base, relative] : candidates) {
        const QString path = Join(base, relative);
        if (QFileInfo::exists(path)) return path;
    }
    for (const auto& [base, relative] : candidates) {
        const QString path = FindIgnoringCase(base, relative);
        if (!path.isEmpty()) return path;
    }
    return windows ? stored : asWritten;
}

QString CardFileResolver::FindIgnoringCase(const QString& base, const QString& relative) const {
    QString folder = base.isEmpty() ? QStringLiteral(".") : base;
    const QStringList parts = relative.split('/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const QString exact = QDir(folder).filePath(part);
        if (QFileInfo::exists(exact)) {
            folder = exact;
            continue;
        }
        const QString entry = EntryIgnoringCase(folder, part);
        if (entry.isEmpty()) return {};
        folder = QDir(folder).filePath(entry);
    }
    if (parts.isEmpty()) return {};
    return base.isEmpty() && folder.startsWith(QStringLiteral("./")) ? folder.mid(2) : folder;
}

QString CardFileResolver::EntryIgnoringCase(const QString& folder, const QString& name) const {
    const QFileInfo info(folder);
    if (!info.isDir()) return {};
    const QString key = info.absoluteFilePath();
    Listing& listing = m_listings[key];
    const QDateTime modified = info.lastModified();
    // A folder's time changes when entries come or go, so a listing taken well after the folder
    // last changed stays current for as long as that time stays.
    const bool current = listing.modified == modified && modified.msecsTo(listing.listedAt) > 1000;
    if (!current) {
        listing.modified = modified;
        listing.listedAt = QDateTime::currentDateTime();
        listing.byFoldedName.clear();
        const QStringList entries =
            QDir(key).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& entry : entries) {
            const QString folded = entry.toCaseFolded();
            if (!listing.byFoldedName.contains(folded)) listing.byFoldedName.insert(folded, entry);
        }
    }
    return listing.byFoldedName.value(name.toCaseFolded());
}
