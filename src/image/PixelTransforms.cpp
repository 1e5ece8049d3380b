// The lossless transforms: flips, quarter turns and crop, copying pixels as they are (indices
// of palette pictures, bytes of colour pictures).
#include "ImageTransforms.h"

#include <cstring>

namespace {

// The source seen as whole-byte pixels: 1- and 4-bit pictures are read as one index a pixel.
struct ByteRows {
    const CImageImpl& image;
    int bytesPerPixel;
    std::vector<std::uint8_t> expanded;

    explicit ByteRows(const CImageImpl& source)
        : image(source), bytesPerPixel(std::max(1, source.GetBitsPerPixel() / 8)) {
        if (source.GetBitsPerPixel() >= 8) return;
        const int w = source.GetWidth();
        expanded.resize(std::size_t(w) * source.GetHeight());
        for (int y = 0; y < source.GetHeight(); ++y) source.IndexRow(y, expanded.data() + std::size_t(y) * w);
    }
    const std::uint8_t* Row(int y) const {
        return expanded.empty() ? image.Row(y) : expanded.data() + std::size_t(y) * image.GetWidth();
    }
};

// A destination of WIDTH x HEIGHT with the source's depth (8 bits for 1 and 4), colour type and
// palette.
CImageObject MakeLike(const CImageObject& source, int width, int height) {
    CImageObject result;
    const int bpp = std::max(8, source.GetBitsPerPixel());
    if (!result.Create(width, height, bpp, source.GetColorType())) return result;
    const CImageImpl& impl = *source.GetImplementation();
    if (const ImagePalette* palette = source.GetPalette()) {
        result.SetPaletteFromObject(*palette);
    } else if (source.GetBitsPerPixel() < 8) {
        // The widened pixels keep their colours through a palette of the source's table.
        std::vector<PaletteEntry> colours(std::size_t(impl.TableEntries()));
        for (std::size_t i = 0; i < colours.size(); ++i) impl.IndexColor(int(i), colours[i]);
        result.SetPaletteFromObject(ImagePalette(std::move(colours)));
    }
    // ASSUMPTION: an 8-bit picture without a palette has the colour table that Create gives
    // every new picture, so the destination's own table matches it.
    result.GetImplementation()->SetTransparentIndex(impl.TransparentIndex());
    return result;
}

// Copies every source pixel (x, y) to TARGET(x, y) of the destination, row by row.
template <class Target>
CImageObject Remap(const CImageObject& source, int width, int height, Target target) {
    if (!source.IsValid()) return {};
    CImageObject result = MakeLike(source, width, height);
    if (result.IsValid()) {
        const ByteRows rows(*source.GetImplementation());
        const int bytes = rows.bytesPerPixel;
        CImageImpl& out = *result.GetImplementation();
        for (int y = 0; y < source.GetHeight(); ++y) {
            const std::uint8_t* in = rows.Row(y);
            for (int x = 0; x < source.GetWidth(); ++x) {
                const auto [dx, dy] = target(x, y);
                std::memcpy(out.Row(dy) + std::size_t(dx) * bytes, in + std::size_t(x) * bytes, std::size_t(bytes));
            }
        }
    }
    return result;
}

}  // namespace

namespace ImageTransforms {

CImageObject FlipVertical(const CImageObject& image) {
    const int h = image.GetHeight();
    return Remap(image, image.GetWidth(), h, [h](int x, int y) { return std::pair(x, h - 1 - y); });
}

CImageObject FlipHorizontal(const CImageObject& image) {
    const int w = image.GetWidth();
    return Remap(image, w, image.GetHeight(), [w](int x, int y) { return std::pair(w - 1 - x, y); });
}

CImageObject Rotate90Clockwise(const CImageObject& image) {
    const int w = image.GetWidth();
    return Remap(image, image.GetHeight(), w, [w](int x, int y) { return std::pair(y, w - 1 - x); });
}

CImageObject Rotate90CounterClockwise(const CImageObject& image) {
    const int h = image.GetHeight();
    return Remap(image, h, image.GetWidth(), [h](int x, int y) { return std::pair(h - 1 - y, x); });
}

CImageObject Rotate180(const CImageObject& image) { return Rotate90Clockwise(Rotate90Clockwise(image)); }

CImageObject WidenTo8Bits(const CImageObject& image) {
    return Remap(image, image.GetWidth(), image.GetHeight(), [](int x, int y) { return std::pair(x, y); });
}

CImageObject Crop(const CImageObject& image, const QRect& rect) {
    if (!image.IsValid() || rect.width() <= 0 || rect.height() <= 0) return {};
    const int w = rect.width(), h = rect.height();
    // The source DIB row of the selection's bottom edge.
    const int r0 = image.GetHeight() - h - rect.top();
    CImageObject result = MakeLike(image, w, h);
    if (!result.IsValid()) return result;
    const ByteRows rows(*image.GetImplementation());
    const int bytes = rows.bytesPerPixel;
    for (int i = 0; i < h; ++i) {
        const int sy = r0 + i;
        if (sy < 0 || sy >= image.GetHeight()) continue;
        const int x0 = std::max(0, rect.left()), x1 = std::min(image.GetWidth(), rect.left() + w);
        if (x1 <= x0) continue;
        std::memcpy(result.GetImplementation()->Row(i) + std::size_t(x0 - rect.left()) * bytes,
                    rows.Row(sy) + std::size_t(x0) * bytes, std::size_t(x1 - x0) * bytes);
    }
    return result;
}

}  // namespace ImageTransforms
