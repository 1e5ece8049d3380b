#include "QuickFolders.h"

#include "platform/CodePage1252.h"
#include "platform/ProgramPaths.h"
#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace QuickFolders {

QString ListPath() { return QDir(ProgramPaths::ProgramDirectory()).filePath(QStringLiteral("quick.lst")); }

QStringList Read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError()) text = CodePage1252::Decode(bytes);
    QStringList folders;
    for (QString line : text.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        if (!line.isEmpty()) folders << line;
    }
    return folders;
}

bool Write(const QString& path, const QStringList& folders, QString* reason) {
    QByteArray bytes;
    for (const QString& folder : folders) bytes += folder.toUtf8() + '\n';
    return SafeFile::Write(path, bytes, reason);
}

}  // namespace QuickFolders
