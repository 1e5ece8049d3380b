#include "Thumbnail.h"

#include "ScaledDecode.h"
#include "ThumbnailCache.h"

#include <QFileInfo>

namespace {

// SIZE scaled to fit BOX, in proportion, at least a pixel each way.
QSize Fitted(const QSize& size, const QSize& box) {
    return size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
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
    std::optional<OpenedPicture> picture = OpenPicture(file);
    if (!picture) {
        if (cache && QFileInfo(file).isFile()) cache->StoreFailure(file);
        return thumb;
    }
    const QSize upright = picture->Upright();
    thumb.width = upright.width();
    thumb.height = upright.height();
    thumb.bpp = picture->info.bpp;
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
    const bool small = upright.width() <= standard && upright.height() <= standard;
    const QSize target = standard == 0 ? cell : small ? upright : QSize(standard, standard);
    const QSize need = Fitted(upright, target);
    std::optional<CImageObject> source = DecodeAtLeast(*picture, need);
    if (!source) {
        if (cache) cache->StoreFailure(file);
        return thumb;
    }
    auto reduced = ResizeUpright(std::move(*source), need, picture->orientation);
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
