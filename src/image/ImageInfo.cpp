#include "ImageInfo.h"

#include "CAviFrameImage.h"
#include "CBmpImage.h"
#include "CGifImage.h"
#include "CJpegImage.h"
#include "CPngImage.h"
#include "ImageLibrary.h"

namespace {

// INFO of a picture of TYPE when a reader READ it; REASON, when given, gets WHY either way.
std::optional<ImageInfo> Outcome(bool read, ImageInfo info, int type, const QString& why, QString* reason) {
    if (reason) *reason = why;
    if (!read) return std::nullopt;
    info.type = type;
    return info;
}

}  // namespace

std::optional<ImageInfo> ReadImageInfo(const QByteArray& data, int type, QString* reason) {
    ImageInfo info;
    QString why;
    bool read = false;
    switch (type) {
        case IMAGE_BMP: read = CBmpImage::ReadHeader(data, info, why); break;
        case IMAGE_JPEG: read = CJpegImage::ReadHeader(data, info, why); break;
        case IMAGE_GIF: read = CGifImage::ReadHeader(data, info, why); break;
        case IMAGE_PNG: read = CPngImage::ReadHeader(data, info, why); break;
        case IMAGE_AVI: read = CAviFrameImage::ReadHeader(data, info, why); break;
        default: why = QStringLiteral("not a picture Albora can read"); break;
    }
    return Outcome(read, info, type, why, reason);
}

std::optional<ImageInfo> ReadImageInfo(const QString& path, int type, QString* reason) {
    if (type == -1) type = ImageTypeFromFileName(path);
    if (type == IMAGE_AVI) {  // a movie is never read whole
        ImageInfo info;
        QString why;
        const bool read = CAviFrameImage::ReadFileHeader(path, info, why);
        return Outcome(read, info, type, why, reason);
    }
    const auto data = ImageLibrary::ReadFile(path, reason);
    return data ? ReadImageInfo(*data, type, reason) : std::nullopt;
}
