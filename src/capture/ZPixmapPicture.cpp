#include "ZPixmapPicture.h"

#include "image/CImageObject.h"
#include "image/ImageLibrary.h"
#include "image/ParallelRows.h"

#include <bit>
#include <cstring>

namespace {

// One colour channel of a pixel value: where its mask sits and how to widen it to eight bits.
struct Channel {
    int shift = 0;
    int bits = 0;
    std::uint32_t mask = 0;

    explicit Channel(std::uint32_t m) : shift(std::countr_zero(m)), bits(std::popcount(m)), mask(m) {}
    std::uint8_t Of(std::uint32_t pixel) const {
        const std::uint32_t value = (pixel & mask) >> shift;
        if (bits >= 8) return std::uint8_t(value >> (bits - 8));
        return std::uint8_t(value * 255 / ((1u << bits) - 1));
    }
};

bool Contiguous(std::uint32_t mask) {
    return mask != 0 && std::has_single_bit((mask >> std::countr_zero(mask)) + 1);
}

std::uint32_t ReadPixel(const std::uint8_t* p, int bytes, bool msbFirst) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= std::uint32_t(p[msbFirst ? i : bytes - 1 - i]) << (8 * (bytes - 1 - i));
    return value;
}

}  // namespace

bool ZPixmapToPicture(const std::uint8_t* data, std::size_t size, int width, int height, const ZPixmapLayout& layout,
                      CImageObject& picture, QString* reason) {
    const auto fail = [reason](const QString& why) {
        if (reason) *reason = why;
        return false;
    };
    const QString refusal = ImageLibrary::PixelLimitRefusal(width, height);
    if (!refusal.isEmpty()) return fail(refusal);
    const int bytes = layout.bitsPerPixel / 8;
    if ((layout.bitsPerPixel != 16 && layout.bitsPerPixel != 24 && layout.bitsPerPixel != 32) ||
        !Contiguous(layout.redMask) || !Contiguous(layout.greenMask) || !Contiguous(layout.blueMask))
        return fail(QStringLiteral("the display does not show true colours"));
    if (layout.stride < std::int64_t(width) * bytes || std::size_t(layout.stride) * std::size_t(height) > size)
        return fail(QStringLiteral("the display sent fewer pixels than asked for"));
    if (!picture.Create(width, height, 24)) return fail(QStringLiteral("no memory for %1x%2 pixels").arg(width).arg(height));

    CImageImpl& dib = *picture.GetImplementation();
    // The usual 32-bit little-endian layout is blue, green, red, pad: the DIB's order already.
    const bool direct = bytes == 4 && !layout.msbFirst && layout.redMask == 0xff0000 && layout.greenMask == 0xff00 &&
                        layout.blueMask == 0xff;
    const Channel red(layout.redMask), green(layout.greenMask), blue(layout.blueMask);
    ParallelRows(height, [&](int begin, int end, bool) {
        for (int y = begin; y < end; ++y) {
            const std::uint8_t* in = data + std::size_t(y) * layout.stride;
            std::uint8_t* out = dib.Row(height - 1 - y);
            if (direct) {
                for (int x = 0; x < width; ++x, in += 4, out += 3) std::memcpy(out, in, 3);
                continue;
            }
            for (int x = 0; x < width; ++x, in += bytes, out += 3) {
                const std::uint32_t pixel = ReadPixel(in, bytes, layout.msbFirst);
                out[0] = blue.Of(pixel);
                out[1] = green.Of(pixel);
                out[2] = red.Of(pixel);
            }
        }
    });
    return true;
}
