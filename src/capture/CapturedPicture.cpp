#include "CapturedPicture.h"

#include "album/CAppSettings.h"
#include "image/CImageObject.h"
#include "image/CBmpImage.h"
#include "platform/SafeFile.h"
#include "platform/UiServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString SystemReason() { return QString::fromLocal8Bit(std::strerror(errno)); }

// "~" before the file name, beside the destination: a full path keeps its folder.
QString TildeName(const QString& destination) {
    const QFileInfo info(destination);
    return info.dir().filePath(QLatin1Char('~') + info.fileName());
}

}  // namespace

ScratchBitmap::ScratchBitmap(const QString& folder) {
    // Without a folder of the user's, the system's temporary folder: the program's own one is not
    // writable once installed.
    const QString base = QDir(folder.isEmpty() ? QDir::tempPath() : folder)
                             .filePath(QStringLiteral("tempfotoXXXXXX.bmp"));
    QByteArray name = QFile::encodeName(base);
    const int fd = ::mkostemps(name.data(), 4, O_CLOEXEC);
    if (fd < 0) {
        m_error = SystemReason();
        return;
    }
    ::close(fd);
    m_path = QFile::decodeName(name);
}

ScratchBitmap::~ScratchBitmap() {
    if (!m_path.isEmpty() && !m_keep) QFile::remove(m_path);
}

bool ConvertToJpeg(const QString& destination, const QString& source, bool deleteSource, UiServices& ui,
                   QString* reason) {
    WaitCursor wait(ui);
    CImageObject picture;
    if (!picture.Load(source)) {
        if (reason) *reason = picture.ReadError();
        return false;
    }
    // A destination of no picture type is still written as JPEG, as the command's name says.
    const int type = ImageTypeFromFileName(destination) == IMAGE_NONE ? int(IMAGE_JPEG) : -1;
    const QString tilde = TildeName(destination);
    if (!picture.Save(tilde, type)) {
        if (reason) *reason = picture.WriteError();
        QFile::remove(tilde);
        return false;
    }
    if (std::rename(QFile::encodeName(tilde).constData(), QFile::encodeName(destination).constData()) != 0) {
        if (reason) *reason = SystemReason();
        QFile::remove(tilde);
        return false;
    }
    if (deleteSource) QFile::remove(source);
    return true;
}

int WriteBitmap(const CImageObject& picture, QString path, UiServices& ui, QString* reason) {
    if (path.isEmpty()) {
        const auto chosen = ui.ChooseFile(FileDialogKind::Save, QString(), QStringLiteral("Windows Bitmap (*.bmp)"), {});
        if (!chosen || chosen->isEmpty()) return -1;
        path = *chosen;
        if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".bmp");
    }
    if (!picture.IsValid()) return -3;
    const QByteArray file = CBmpImage::Encode(*picture.GetImplementation());
    if (file.isEmpty()) return -3;
    if (SafeFile::Write(path, file, reason)) return 0;
    // The folder refusing a new file is "cannot be created"; the rest failed while writing.
    return QFileInfo(QFileInfo(path).absolutePath()).isWritable() ? -4 : -2;
}

StoredPicture StoreCapturedPicture(const CImageObject& picture, const QString& name, const CAppSettings& settings,
                                   UiServices& ui) {
    StoredPicture stored;
    if (!settings.flgJPG) {
        stored.writeCode = WriteBitmap(picture, name, ui, &stored.reason);
        if (stored.writeCode == 0) stored.result = StoredPicture::Result::Written;
        return stored;
    }
    ScratchBitmap scratch(settings.FastTempPath);
    if (scratch.Path().isEmpty()) {
        stored.writeCode = -2;
        stored.reason = scratch.Error();
        return stored;
    }
    stored.writeCode = WriteBitmap(picture, scratch.Path(), ui, &stored.reason);
    if (stored.writeCode != 0) return stored;
    if (!ConvertToJpeg(name, scratch.Path(), true, ui, &stored.reason)) {
        scratch.Keep();
        stored.kept = scratch.Path();
        stored.result = StoredPicture::Result::ConversionFailed;
        return stored;
    }
    stored.result = StoredPicture::Result::Written;
    return stored;
}

QString ConversionErrorText(const QString& name, const StoredPicture& stored) {
    QString text = QStringLiteral("JPEG Convertion Error: ") + name;
    if (!stored.kept.isEmpty()) text += QStringLiteral("\nThe captured picture is kept in ") + stored.kept;
    return text;
}
