#include "PhotoSplitter.h"

#include <algorithm>
#include <cstring>

namespace {

// Darker than this in any channel is photo, not lid.
constexpr int kLidLevel = 225;

// Brightness of each pixel's darkest channel, row Y (top row 0).
void DarkestRow(const CImageObject& scan, int y, const std::uint8_t* greyOfIndex, std::uint8_t* out) {
    const CImageImpl& dib = *scan.GetImplementation();
    const std::uint8_t* row = dib.Row(scan.GetHeight() - 1 - y);
    const int w = scan.GetWidth();
    if (scan.GetBitsPerPixel() == 24) {
        for (int x = 0; x < w; ++x, row += 3) out[x] = std::min({row[0], row[1], row[2]});
    } else {
        for (int x = 0; x < w; ++x) out[x] = greyOfIndex[row[x]];
    }
}

}  // namespace

std::vector<QRect> FindPhotos(const CImageObject& scan, double dpi) {
    std::vector<QRect> photos;
    const int bpp = scan.GetBitsPerPixel();
    if (!scan.IsValid() || (bpp != 8 && bpp != 24)) return photos;
    if (dpi <= 0) dpi = 72;
    std::vector<std::uint8_t> greyOfIndex(256);
    const ImagePalette* palette = scan.GetPalette();
    for (int i = 0; i < 256; ++i) {
        PaletteEntry e;
        if (!palette || !palette->Entry(i, e)) e.red = e.green = e.blue = std::uint8_t(i);
        greyOfIndex[std::size_t(i)] = std::min({e.red, e.green, e.blue});
    }
    // Cells of about a millimetre: a cell is photo when a quarter of its pixels are.
    const int cell = std::max(1, int(dpi / 25.4));
    const int w = scan.GetWidth(), h = scan.GetHeight();
    const int cw = (w + cell - 1) / cell, ch = (h + cell - 1) / cell;
    std::vector<int> dark(std::size_t(cw) * ch, 0);
    std::vector<std::uint8_t> line(static_cast<std::size_t>(w));
    for (int y = 0; y < h; ++y) {
        DarkestRow(scan, y, greyOfIndex.data(), line.data());
        int* counts = dark.data() + std::size_t(y / cell) * cw;
        for (int x = 0; x < w; ++x) counts[x / cell] += line[x] < kLidLevel;
    }
    std::vector<std::uint8_t> photo(dark.size());
    for (std::size_t i = 0; i < dark.size(); ++i) photo[i] = dark[i] * 4 >= cell * cell;

    // Connected cells (eight neighbours), each group's box.
    std::vector<int> stack;
    const double minArea = dpi * dpi;
    for (int start = 0; start < int(photo.size()); ++start) {
        if (!photo[start]) continue;
        int left = cw, top = ch, right = -1, bottom = -1;
        photo[start] = 0;
        stack.assign(1, start);
        while (!stack.empty()) {
            const int at = stack.back();
            stack.pop_back();
            const int cx = at % cw, cy = at / cw;
            left = std::min(left, cx), right = std::max(right, cx);
            top = std::min(top, cy), bottom = std::max(bottom, cy);
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = cx + dx, ny = cy + dy;
                    if (nx < 0 || ny < 0 || nx >= cw || ny >= ch) continue;
                    const int next = ny * cw + nx;
                    if (photo[next]) {
                        photo[next] = 0;
                        stack.push_back(next);
                    }
                }
        }
        const QRect box = QRect(left * cell, top * cell, (right - left + 1) * cell, (bottom - top + 1) * cell)
                              .intersected(QRect(0, 0, w, h));
        if (double(box.width()) * box.height() >= minArea) photos.push_back(box);
    }
    std::sort(photos.begin(), photos.end(), [](const QRect& a, const QRect& b) {
        return a.top() != b.top() ? a.top() < b.top() : a.left() < b.left();
    });
    return photos;
}

CImageObject CropPicture(const CImageObject& scan, const QRect& area) {
    CImageObject piece;
    const QRect part = area.intersected(QRect(0, 0, scan.GetWidth(), scan.GetHeight()));
    const int bpp = scan.GetBitsPerPixel();
    if (part.isEmpty() || (bpp != 8 && bpp != 24) || !piece.Create(part.width(), part.height(), bpp))
        return CImageObject();
    if (const ImagePalette* palette = scan.GetPalette()) piece.SetPaletteFromObject(*palette);
    const int bytesPerPixel = bpp / 8;
    const CImageImpl& from = *scan.GetImplementation();
    CImageImpl& to = *piece.GetImplementation();
    for (int y = 0; y < part.height(); ++y)
        std::memcpy(to.Row(part.height() - 1 - y),
                    from.Row(scan.GetHeight() - 1 - (part.top() + y)) + std::size_t(part.left()) * bytesPerPixel,
                    std::size_t(part.width()) * bytesPerPixel);
    return piece;
}
