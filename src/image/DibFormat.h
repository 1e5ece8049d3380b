#pragma once

// The device-independent bitmap layout of Microsoft's BITMAPINFOHEADER and BITMAPFILEHEADER
// (Windows GDI documentation), little-endian.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace Dib {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint16_t kFileMagic = 0x4D42;  // "BM"
constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
// Room a new block keeps for the header and a full 256-entry colour table.
constexpr std::size_t kHeaderAndTableBytes = kInfoHeaderSize + 256 * 4;

inline std::uint16_t Get16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
inline std::uint32_t Get32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}
inline void Put16(std::uint8_t* p, std::uint16_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}
inline void Put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = std::uint8_t(v >> (8 * i));
}

// Bytes of one row of pixels, padded to 32 bits.
inline std::int64_t RowBytes(std::int64_t width, int bpp) { return ((bpp * width + 31) / 32) * 4; }

// The fields of a 40-byte header.
struct InfoHeader {
    std::uint32_t size = kInfoHeaderSize;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;

    static InfoHeader Parse(const std::uint8_t* p) {
        InfoHeader h;
        h.size = Get32(p);
        h.width = std::int32_t(Get32(p + 4));
        h.height = std::int32_t(Get32(p + 8));
        h.planes = Get16(p + 12);
        h.bitCount = Get16(p + 14);
        h.compression = Get32(p + 16);
        h.sizeImage = Get32(p + 20);
        h.xPelsPerMeter = std::int32_t(Get32(p + 24));
        h.yPelsPerMeter = std::int32_t(Get32(p + 28));
        h.clrUsed = Get32(p + 32);
        h.clrImportant = Get32(p + 36);
        return h;
    }
    void Store(std::uint8_t* p) const {
        Put32(p, size);
        Put32(p + 4, std::uint32_t(width));
        Put32(p + 8, std::uint32_t(height));
        Put16(p + 12, planes);
        Put16(p + 14, bitCount);
        Put32(p + 16, compression);
        Put32(p + 20, sizeImage);
        Put32(p + 24, std::uint32_t(xPelsPerMeter));
        Put32(p + 28, std::uint32_t(yPelsPerMeter));
        Put32(p + 32, clrUsed);
        Put32(p + 36, clrImportant);
    }
};

}  // namespace Dib
