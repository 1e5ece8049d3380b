#include "CaptureCliSupport.h"

#include "CliArgs.h"
#include "CliContext.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "image/ImageLibrary.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString CapturePictureFolder(const CAlboraDoc& doc, const QString& albumPath) {
    const QString named = doc.Db().List().m_strDirectory;
    if (!named.isEmpty() && QFileInfo(named).isDir()) return QFileInfo(named).absoluteFilePath();
    return QFileInfo(albumPath).absolutePath();
}

}  // namespace

bool OpenCaptureAlbum(CliContext& c, CAlboraDoc& doc, const QString& albumPath, QString& folder) {
    if (!doc.FileOpen(albumPath)) return false;
    folder = CapturePictureFolder(doc, albumPath);
    if (!QDir::setCurrent(folder)) {
        c.Fail(QStringLiteral("Error:\nCan't use the folder %1").arg(folder));
        return false;
    }
    if (c.settings.FastTempPath.isEmpty()) c.settings.FastTempPath = folder;
    return true;
}

std::optional<QSize> SizeOption(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('x'));
    bool w = false, h = false;
    if (parts.size() != 2) return std::nullopt;
    const QSize size(parts[0].toInt(&w), parts[1].toInt(&h));
    if (!w || !h || size.width() < 1 || size.height() < 1 || size.width() > 8192 || size.height() > 8192)
        return std::nullopt;
    return size;
}

bool TakeStorageOptions(const CliArgs& args, CAppSettings& settings, QString& why) {
    if (args.Has("quality")) {
        bool ok = false;
        const int quality = args.Value("quality").toInt(&ok);
        if (!ok || quality < 0 || quality > 100) {
            why = QStringLiteral("--quality needs 0 to 100");
            return false;
        }
        settings.JPGquality = quality;
        ImageLibrary::SetJpegQuality(quality);
    }
    settings.flgJPG = args.Has("jpg") ? 1 : 0;
    return true;
}
