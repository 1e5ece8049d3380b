#include "CaptureCliSupport.h"

#include "CliArgs.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "image/ImageLibrary.h"

#include <QDir>
#include <QFileInfo>

QString CapturePictureFolder(const CAlboraDoc& doc, const QString& albumPath) {
    const QString named = doc.Db().List().m_strDirectory;
    if (!named.isEmpty() && QFileInfo(named).isDir()) return QFileInfo(named).absoluteFilePath();
    return QFileInfo(albumPath).absolutePath();
}

bool EnterPictureFolder(const CAlboraDoc& doc, const QString& albumPath, CAppSettings& settings, QString& folder) {
    folder = CapturePictureFolder(doc, albumPath);
    if (!QDir::setCurrent(folder)) return false;
    if (settings.FastTempPath.isEmpty()) settings.FastTempPath = folder;
    return true;
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
