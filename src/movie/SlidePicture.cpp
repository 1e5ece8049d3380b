#include "SlidePicture.h"

#include <array>
#include <utility>

#include "image/CImageObject.h"
#include "image/Orientation.h"
#include "image/ScaledDecode.h"

namespace {

constexpr std::array<std::pair<const char*, int>, 7> kTypes = {{{"jpg", IMAGE_JPEG},
                                                                {"jpeg", IMAGE_JPEG},
                                                                {"gif", IMAGE_GIF},
                                                                {"png", IMAGE_PNG},
                                                                {"bmp", IMAGE_BMP},
                                                                {"dib", IMAGE_BMP},
                                                                {"avi", IMAGE_AVI}}};

QImage Natural(const QString& path, int type, QString& reason) {
    CImageObject picture;
    if (!picture.Load(path, type)) {
        reason = picture.ReadError();
        return {};
    }
    return Orientation::Upright(picture.MakeBitmap(), Orientation::OfFile(path));
}

QImage Fitted(const QString& path, QSize fit, QString& reason) {
    std::optional<OpenedPicture> opened = OpenPicture(path, &reason);
    if (!opened || opened->Upright().isEmpty()) return {};
    const QSize target = opened->Upright().scaled(fit, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    const int orientation = opened->orientation;
    const std::optional<CImageObject> decoded = DecodeAtLeast(*opened, target);
    if (!decoded) return {};
    const QImage upright = Orientation::Upright(decoded->MakeBitmap(), orientation);
    return upright.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

int PresentationImageType(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) return IMAGE_NONE;
    const QString extension = path.mid(dot + 1).toLower();
    for (const auto& [name, type] : kTypes)
        if (extension == QLatin1String(name)) return type;
    return IMAGE_NONE;
}

SlidePicture LoadSlidePicture(const QString& path, QSize fit) {
    const int type = PresentationImageType(path);
    if (type == IMAGE_NONE) return {SlidePicture::Outcome::UnknownType, {}, {}};
    QString reason;
    const QImage image = fit.isEmpty() ? Natural(path, type, reason) : Fitted(path, fit, reason);
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return {SlidePicture::Outcome::Unreadable, {}, reason};
    return {SlidePicture::Outcome::Loaded, image.convertToFormat(QImage::Format_RGB32), {}};
}
