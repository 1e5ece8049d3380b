#include "Thumbnail.h"

#include "CJpegImage.h"
#include "ImageTransforms.h"

Thumbnail MakeThumbnail(const QString& file, const QSize& cell) {
    Thumbnail thumb;
    CImageObject source;
    const int type = ImageTypeFromFileName(file);
    if (type == IMAGE_JPEG) {
        const auto data = ImageLibrary::ReadFile(file);
        if (!data || !CJpegImage::ReadSize(*data, thumb.width, thumb.height, thumb.bpp)) return thumb;
        // The largest reduction that still leaves the picture at least as large as the cell.
        int scale = 8;
        while (scale > 1 && ((thumb.width + scale - 1) / scale < cell.width() ||
                             (thumb.height + scale - 1) / scale < cell.height()))
            scale /= 2;
        source.CreateImplementation(file, IMAGE_JPEG);
        if (!CJpegImage::Decode(*data, *source.GetImplementation(), scale)) return thumb;
    } else {
        if (!source.Load(file) || source.GetWidth() <= 0 || source.GetHeight() <= 0) return thumb;
        thumb.width = source.GetWidth();
        thumb.height = source.GetHeight();
        thumb.bpp = source.GetBitsPerPixel();
    }
    thumb.loaded = true;
    if (auto reduced = ImageTransforms::Resize(source, cell.width(), cell.height(), ImageTransforms::Filter::Box))
        thumb.image = std::move(*reduced);
    return thumb;
}
