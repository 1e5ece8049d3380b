#include "WebCommandLines.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

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

QString WindowsProgramProblem(const QString& commandLine) {
    static const QRegularExpression driveLetter(QStringLiteral(R"(^[A-Za-z]:[\\/])"));
    static const QRegularExpression blank(QStringLiteral(R"(\s)"));
    QString path = QProcess::splitCommand(commandLine).value(0);
    if (!path.contains(u'\\') && !driveLetter.match(path).hasMatch()) return {};
    // Unquoted, a path with blanks runs on to the end of the last word before the placeholders
    // that holds a backslash.
    const QString line = commandLine.trimmed();
    const QString head = line.left(line.indexOf(u'{'));
    if (const qsizetype last = head.lastIndexOf(u'\\'); last >= 0)
        path = head.left(head.indexOf(blank, last)).remove(u'"');
    return QStringLiteral("Not found: a Windows path: ") + path;
}
