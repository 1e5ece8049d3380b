#include "ScaledDecode.h"

#include "CJpegImage.h"
#include "ImageTransforms.h"
#include "Orientation.h"

#include <mutex>

namespace {

// Decodes above this many bytes are admitted one at a time.
constexpr std::int64_t kLargeDecodeBytes = std::int64_t(256) << 20;
std::mutex g_largeDecode;

// What decoding at 1/SCALE and reducing the result holds at its peak: the decoded picture, the
// working copy of the resize and what the decoder keeps beside them.
std::int64_t DecodeBytes(const ImageInfo& info, int scale) {
    const std::int64_t pixels = std::int64_t((info.width + scale - 1) / scale) * ((info.height + scale - 1) / scale);
    return pixels * (info.bpp / 8 + 1 + 4) + info.decoderBytes;
}

}  // namespace

std::optional<OpenedPicture> OpenPicture(const QString& file, QString* reason) {
    OpenedPicture picture;
    picture.file = file;
    picture.type = ImageTypeFromFileName(file);
    if (picture.type == IMAGE_AVI) {  // a movie is never read whole
        std::optional<ImageInfo> info = ReadImageInfo(file, picture.type, reason);
        if (!info) return std::nullopt;
        picture.info = *info;
        return picture;
    }
    std::optional<QByteArray> data = ImageLibrary::ReadFile(file, reason);
    if (!data) return std::nullopt;
    std::optional<ImageInfo> info = ReadImageInfo(*data, picture.type, reason);
    if (!info) return std::nullopt;
    picture.info = *info;
    picture.orientation = picture.type == IMAGE_JPEG ? Orientation::FromJpeg(*data) : 1;
    picture.data = std::move(*data);
    return picture;
}

std::optional<CImageObject> DecodeAtLeast(OpenedPicture& picture, QSize uprightNeed) {
    const QSize need = picture.Sideways() ? uprightNeed.transposed() : uprightNeed;
    const ImageInfo& info = picture.info;
    int scale = picture.type == IMAGE_JPEG ? 8 : 1;
    while (scale > 1 &&
           ((info.width + scale - 1) / scale < need.width() || (info.height + scale - 1) / scale < need.height()))
        scale /= 2;
    std::unique_lock<std::mutex> large(g_largeDecode, std::defer_lock);
    if (DecodeBytes(info, scale) > kLargeDecodeBytes) large.lock();
    CImageObject source;
    source.CreateImplementation(picture.file, picture.type);
    bool decoded = false;
    if (picture.type == IMAGE_JPEG) {
        decoded = CJpegImage::Decode(picture.data, *source.GetImplementation(), scale);
        picture.data.clear();
    } else {
        picture.data.clear();  // the reader takes the file again; two copies of a large one are one too many
        decoded = source.Load(picture.file, picture.type);
    }
    if (!decoded || !source.IsValid()) return std::nullopt;
    return source;
}

QSize FitWithin(QSize size, QSize box) {
    if (size.width() > box.width() || size.height() > box.height()) size = size.scaled(box, Qt::KeepAspectRatio);
    return size.expandedTo(QSize(1, 1));
}

std::optional<CImageObject> ResizeUpright(CImageObject source, QSize upright, int orientation) {
    const QSize stored = orientation >= 5 ? upright.transposed() : upright;
    std::optional<CImageObject> resized;
    if (stored == QSize(source.GetWidth(), source.GetHeight()))
        resized = std::move(source);
    else
        resized = ImageTransforms::Resize(source, stored.width(), stored.height(), ImageTransforms::Filter::Box);
    if (resized && orientation != 1) resized = Orientation::Upright(*resized, orientation);
    return resized;
}
