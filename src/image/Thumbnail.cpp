#include "Thumbnail.h"

#include "CJpegImage.h"
#include "ImageInfo.h"
#include "ImageTransforms.h"

#include <mutex>

namespace {

// Decodes above this many bytes are admitted one at a time: a pool of workers that each decode a
// huge picture at once would hold several of them in memory together.
constexpr std::int64_t kLargeDecodeBytes = std::int64_t(256) << 20;
std::mutex g_largeDecode;

// What decoding at 1/SCALE and reducing the result to a cell holds at its peak: the decoded
// picture, the working copy of the resize and what the decoder keeps beside them.
std::int64_t DecodeBytes(const ImageInfo& info, int scale) {
    const std::int64_t pixels = std::int64_t((info.width + scale - 1) / scale) * ((info.height + scale - 1) / scale);
    return pixels * (info.bpp / 8 + 1 + 4) + info.decoderBytes;
}

}  // namespace

Thumbnail MakeThumbnail(const QString& file, const QSize& cell) {
    Thumbnail thumb;
    const int type = ImageTypeFromFileName(file);
    auto data = ImageLibrary::ReadFile(file);
    const auto info = data ? ReadImageInfo(*data, type) : std::nullopt;
    if (!info) return thumb;
    thumb.width = info->width;
    thumb.height = info->height;
    thumb.bpp = info->bpp;
    // A JPEG is decoded at the largest reduction that still leaves it at least as large as the cell.
    int scale = type == IMAGE_JPEG ? 8 : 1;
    while (scale > 1 && ((thumb.width + scale - 1) / scale < cell.width() ||
                         (thumb.height + scale - 1) / scale < cell.height()))
        scale /= 2;
    std::unique_lock<std::mutex> large(g_largeDecode, std::defer_lock);
    if (DecodeBytes(*info, scale) > kLargeDecodeBytes) large.lock();
    CImageObject source;
    source.CreateImplementation(file, type);
    CImageImpl& picture = *source.GetImplementation();
    bool decoded = false;
    if (type == IMAGE_JPEG) {
        decoded = CJpegImage::Decode(*data, picture, scale);
    } else {
        data.reset();  // the reader takes the file again; two copies of a large one are one too many
        decoded = source.Load(file, type);
    }
    if (!decoded || !source.IsValid()) return thumb;
    thumb.loaded = true;
    if (auto reduced = ImageTransforms::Resize(source, cell.width(), cell.height(), ImageTransforms::Filter::Box))
        thumb.image = std::move(*reduced);
    return thumb;
}
