// Colour tint, brightness and contrast.
#include "ImageTransforms.h"
#include "WorkBuffer.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace ImageTransforms {

std::optional<CImageObject> Tint(const CImageObject& image, QRgb target, int intensity) {
    auto buffer = WorkBuffer::From(image);
    if (!buffer) return std::nullopt;
    // Per channel a table: c + floor(I * (T - c) / 256), the shift rounding toward minus infinity.
    std::array<std::array<std::uint8_t, 256>, 3> table{};
    const int targets[3] = {qRed(target), qGreen(target), qBlue(target)};
    for (int ch = 0; ch < 3; ++ch)
        for (int c = 0; c < 256; ++c) table[std::size_t(ch)][std::size_t(c)] = std::uint8_t(c + ((intensity * (targets[ch] - c)) >> 8));
    for (std::size_t i = 0; i < buffer->Size(); ++i) {
        std::uint32_t& p = buffer->pixels[i];
        p = Pack(table[0][std::size_t(Red(p))], table[1][std::size_t(Green(p))], table[2][std::size_t(Blue(p))]);
    }
    CImageObject result = buffer->ToImage();
    if (!result.IsValid()) return std::nullopt;
    return result;
}

namespace {

using ChannelTable = std::array<std::uint8_t, 256>;

// Passes every channel of every pixel through TABLE, in place.
void ApplyToChannels(CImageObject& image, const ChannelTable& table) {
    if (!image.IsValid()) return;
    if (image.GetBitsPerPixel() < 8) image = WidenTo8Bits(image);
    CImageImpl& impl = *image.GetImplementation();
    const int bpp = impl.GetBitsPerPixel();
    if (bpp == 24 || bpp == 32) {
        const int step = bpp / 8;
        for (int y = 0; y < impl.GetHeight(); ++y) {
            std::uint8_t* p = impl.Row(y);
            for (int x = 0; x < impl.GetWidth(); ++x, p += step)
                p[0] = table[p[0]], p[1] = table[p[1]], p[2] = table[p[2]];
        }
        return;
    }
    if (bpp != 8) return;
    // Palette pictures: each index moves to the entry nearest its new colour, from the
    // palette or, without one, from the colour table.
    std::vector<PaletteEntry> entries;
    for (int i = 0; i < 256; ++i) {
        PaletteEntry c;
        if (!impl.IndexColor(i, c)) break;
        entries.push_back(c);
    }
    const ImagePalette colours = impl.GetPalette() ? *impl.GetPalette() : ImagePalette(entries);
    std::array<std::uint8_t, 256> remap{};
    for (int i = 0; i < 256; ++i) {
        remap[std::size_t(i)] = std::uint8_t(i);
        if (i < int(entries.size())) {
            const PaletteEntry& c = entries[std::size_t(i)];
            remap[std::size_t(i)] = std::uint8_t(colours.NearestIndex(table[c.red], table[c.green], table[c.blue]));
        }
    }
    for (int y = 0; y < impl.GetHeight(); ++y) {
        std::uint8_t* p = impl.Row(y);
        for (int x = 0; x < impl.GetWidth(); ++x) p[x] = remap[p[x]];
    }
}

}  // namespace

void Brightness(CImageObject& image, int value) {
    ChannelTable table{};
    for (int c = 0; c < 256; ++c) table[std::size_t(c)] = std::uint8_t(std::clamp(c + value - 128, 0, 255));
    ApplyToChannels(image, table);
}

void Contrast(CImageObject& image, int value) {
    ChannelTable table{};
    for (int c = 0; c < 256; ++c)
        table[std::size_t(c)] = std::uint8_t(std::clamp(128 + int(std::lround((c - 128) * value / 128.0)), 0, 255));
    ApplyToChannels(image, table);
}

}  // namespace ImageTransforms
