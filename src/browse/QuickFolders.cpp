#include "QuickFolders.h"

#include "platform/CodePage1252.h"
#include "platform/ProgramPaths.h"
#include "platform/RegularFile.h"
#include "platform/SafeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

// Some thousands of folders of long names; a larger file is no list of ours.
constexpr qint64 kMaxListBytes = qint64(4) << 20;

}  // namespace

namespace QuickFolders {

QString ListPath() { return ProgramPaths::UserDataDirectory() + QStringLiteral("quick.lst"); }

QStringList Read(const QString& path, QString* reason) {
    if (!QFileInfo::exists(path)) return {};
    const std::optional<QByteArray> bytes = ReadRegularFile(path, kMaxListBytes, reason);
    if (!bytes) return {};
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(*bytes);
    if (utf8.hasError()) text = CodePage1252::Decode(*bytes);
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
