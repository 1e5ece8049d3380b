#include "WebCommandLines.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"

#include <QDir>
#include <QProcess>

QString SiteDirectory(const QString& assistDefDir, const QString& albumDirectory) {
    if (albumDirectory.isEmpty()) return QDir::currentPath() + QStringLiteral("/WEB");
    QString folder = assistDefDir;
    folder.replace(QStringLiteral("{CRPPATH}"), albumDirectory, Qt::CaseInsensitive);
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::cleanPath(QDir(albumDirectory).absoluteFilePath(folder));
}

QString SavedAlbumDirectory(const CAlboraDoc& doc) {
    return doc.GetPathName().isEmpty() ? QString() : doc.CardFiles().Directory();
}

QString AlbumSiteDirectory(const CAlboraDoc& doc, const CAppSettings& settings) {
    const QString album = SavedAlbumDirectory(doc);
    return album.isEmpty() ? QString() : SiteDirectory(settings.assistDefDir, album);
}

QStringList CommandWords(const QString& commandLine, const std::vector<std::pair<QString, QString>>& placeholders) {
    QStringList words = QProcess::splitCommand(commandLine);
    for (QString& word : words)
        for (const auto& [placeholder, value] : placeholders) word.replace(placeholder, value, Qt::CaseInsensitive);
    return words;
}
