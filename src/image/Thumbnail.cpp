#include "Thumbnail.h"

#include "CJpegImage.h"
#include "ImageInfo.h"
#include "ImageTransforms.h"
#include "Orientation.h"
#include "ThumbnailCache.h"

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

// SIZE scaled to fit BOX, in proportion, at least a pixel each way.
QSize Fitted(const QSize& size, const QSize& box) {
    return size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

// The upright picture reduced to fit BOX, from SOURCE as stored and its ORIENTATION. A JPEG often
// comes from its DCT-scaled decode at just that size and is only turned.
std::optional<CImageObject> Reduce(CImageObject source, const QSize& box, int orientation) {
    const bool sideways = orientation >= 5;
    const QSize upright = Fitted(sideways ? QSize(source.GetHeight(), source.GetWidth()) : QSize(source.GetWidth(), source.GetHeight()), box);
    const QSize stored = sideways ? upright.transposed() : upright;
    std::optional<CImageObject> reduced;
    if (stored == QSize(source.GetWidth(), source.GetHeight()))
        reduced = std::move(source);
    else
        reduced = ImageTransforms::Resize(source, stored.width(), stored.height(), ImageTransforms::Filter::Box);
    if (reduced && orientation != 1) reduced = Orientation::Upright(*reduced, orientation);
    return reduced;
}

// A cache-sized thumbnail reduced to fit CELL.
CImageObject CellImage(const QImage& thumbnail, const QSize& cell) {
    return ImageFromQImage(thumbnail.scaled(Fitted(thumbnail.size(), cell), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

// The cell's thumbnail from a cache entry, when the entry tells what the picture is.
std::optional<Thumbnail> FromEntry(const QImage& entry, const QSize& cell) {
    bool wide = false, high = false, deep = false;
    Thumbnail thumb;
    thumb.width = entry.text(QStringLiteral("Thumb::Image::Width")).toInt(&wide);
    thumb.height = entry.text(QStringLiteral("Thumb::Image::Height")).toInt(&high);
    thumb.bpp = entry.text(ThumbnailCache::kBitsKey).toInt(&deep);
    if (!wide || !high || !deep) return std::nullopt;
    thumb.loaded = true;
    thumb.image = CellImage(entry, cell);
    return thumb;
}

}  // namespace

Thumbnail MakeThumbnail(const QString& file, const QSize& cell, const ThumbnailCache* cache) {
    // With the shared cache the picture is first reduced to the cache's standard size, and the
    // cell's thumbnail comes from that, whether it was cached or is made now.
    const int standard = cache ? ThumbnailCache::SizeFor(cell) : 0;
    std::optional<QImage> cached = standard > 0 ? cache->Find(file, standard) : std::nullopt;
    if (cached)
        if (auto thumb = FromEntry(*cached, cell)) return std::move(*thumb);  // the file itself is not read

    Thumbnail thumb;
    const int type = ImageTypeFromFileName(file);
    auto data = ImageLibrary::ReadFile(file);
    const auto info = data ? ReadImageInfo(*data, type) : std::nullopt;
    if (!info) {
        if (cache && data) cache->StoreFailure(file);
        return thumb;
    }
    const int orientation = type == IMAGE_JPEG ? Orientation::FromJpeg(*data) : 1;
    const bool sideways = orientation >= 5;
    thumb.width = sideways ? info->height : info->width;
    thumb.height = sideways ? info->width : info->height;
    thumb.bpp = info->bpp;
    if (standard > 0) {
        if (cache->KnownToFail(file)) return thumb;
        // Another program's thumbnail: the header above told what the picture is.
        if (cached) {
            thumb.loaded = true;
            thumb.image = CellImage(*cached, cell);
            return thumb;
        }
    }
    // The cache holds no thumbnail larger than its picture.
    const QSize upright(thumb.width, thumb.height);
    const bool small = upright.width() <= standard && upright.height() <= standard;
    const QSize target = standard == 0 ? cell : small ? upright : QSize(standard, standard);
    // A JPEG is decoded at the largest reduction that still leaves it at least as large as its target.
    const QSize need = Fitted(QSize(thumb.width, thumb.height), target);
    const QSize storedNeed = sideways ? need.transposed() : need;
    int scale = type == IMAGE_JPEG ? 8 : 1;
    while (scale > 1 && ((info->width + scale - 1) / scale < storedNeed.width() ||
                         (info->height + scale - 1) / scale < storedNeed.height()))
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
    if (!decoded || !source.IsValid()) {
        if (cache) cache->StoreFailure(file);
        return thumb;
    }
    if (large.owns_lock()) large.unlock();  // the reduction is small: others may decode meanwhile
    auto reduced = Reduce(std::move(source), target, orientation);
    if (!reduced) return thumb;
    thumb.loaded = true;
    if (standard > 0) {
        const QImage stored = reduced->MakeBitmap();
        cache->Store(file, standard, stored, QSize(thumb.width, thumb.height), thumb.bpp);
        thumb.image = CellImage(stored, cell);
    } else {
        thumb.image = std::move(*reduced);
    }
    return thumb;
}
