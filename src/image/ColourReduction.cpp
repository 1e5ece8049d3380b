#include "ColourReduction.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace {

constexpr int kBins = 1 << 15;  // five bits a channel

int BinOf(int r, int g, int b) { return (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3); }

struct Histogram {
    std::vector<std::uint32_t> count = std::vector<std::uint32_t>(kBins);
    std::vector<std::array<std::uint64_t, 3>> sum = std::vector<std::array<std::uint64_t, 3>>(kBins);
};

// A box of the colour cube in bins, [lo, hi] on each of red, green and blue.
struct Box {
    std::array<int, 3> lo{0, 0, 0}, hi{31, 31, 31};
    std::uint64_t pixels = 0;
};

template <class Visit>
void ForEachBin(const Box& box, Visit&& visit) {
    for (int r = box.lo[0]; r <= box.hi[0]; ++r)
        for (int g = box.lo[1]; g <= box.hi[1]; ++g)
            for (int b = box.lo[2]; b <= box.hi[2]; ++b) visit(r << 10 | g << 5 | b, std::array<int, 3>{r, g, b});
}

// BOX shrunk to the bins that hold pixels, with its pixel count.
Box Shrink(Box box, const Histogram& h) {
    Box tight;
    tight.lo = {31, 31, 31};
    tight.hi = {0, 0, 0};
    ForEachBin(box, [&](int bin, const std::array<int, 3>& at) {
        if (!h.count[bin]) return;
        tight.pixels += h.count[bin];
        for (int c = 0; c < 3; ++c) {
            tight.lo[c] = std::min(tight.lo[c], at[c]);
            tight.hi[c] = std::max(tight.hi[c], at[c]);
        }
    });
    return tight.pixels ? tight : box;
}

// Splits BOX at the median of its longest side; false when it is a single bin.
bool Split(const Box& box, const Histogram& h, Box& low, Box& high) {
    int axis = 0;
    for (int c = 1; c < 3; ++c)
        if (box.hi[c] - box.lo[c] > box.hi[axis] - box.lo[axis]) axis = c;
    if (box.hi[axis] == box.lo[axis]) return false;
    std::vector<std::uint64_t> slice(32);
    ForEachBin(box, [&](int bin, const std::array<int, 3>& at) { slice[at[axis]] += h.count[bin]; });
    std::uint64_t seen = 0;
    int cut = box.lo[axis];
    while (cut < box.hi[axis] - 1 && (seen + slice[cut]) * 2 < box.pixels) seen += slice[cut++];
    low = box;
    high = box;
    low.hi[axis] = cut;
    high.lo[axis] = cut + 1;
    low = Shrink(low, h);
    high = Shrink(high, h);
    return true;
}

void Count(const CImageImpl& image, Histogram& h, std::vector<std::uint8_t>& row) {
    for (int y = 0; y < image.GetHeight(); ++y) {
        image.BgrRow(y, row.data());
        for (int x = 0; x < image.GetWidth(); ++x) {
            const int r = row[3 * x + 2], g = row[3 * x + 1], b = row[3 * x];
            const int bin = BinOf(r, g, b);
            ++h.count[bin];
            h.sum[bin][0] += r, h.sum[bin][1] += g, h.sum[bin][2] += b;
        }
    }
}

std::vector<std::uint8_t> MedianCutPalette(const Histogram& h, std::size_t colours = 256) {
    std::vector<Box> boxes{Shrink(Box{}, h)};
    std::vector<bool> single(1, false);
    while (boxes.size() < colours) {
        int pick = -1;
        for (int i = 0; i < int(boxes.size()); ++i)
            if (!single[i] && (pick < 0 || boxes[i].pixels > boxes[pick].pixels)) pick = i;
        if (pick < 0) break;
        Box low, high;
        if (!Split(boxes[pick], h, low, high)) {
            single[pick] = true;
            continue;
        }
        boxes[pick] = low;
        boxes.push_back(high);
        single.push_back(false);
    }
    std::vector<std::uint8_t> rgb;
    for (const Box& box : boxes) {
        std::array<std::uint64_t, 3> total{};
        std::uint64_t pixels = 0;
        ForEachBin(box, [&](int bin, const std::array<int, 3>&) {
            pixels += h.count[bin];
            for (int c = 0; c < 3; ++c) total[c] += h.sum[bin][c];
        });
        for (int c = 0; c < 3; ++c) rgb.push_back(std::uint8_t(pixels ? total[c] / pixels : 0));
    }
    return rgb;
}

class NearestColour {
public:
    explicit NearestColour(const std::vector<std::uint8_t>& rgb) : m_rgb(rgb), m_cache(kBins, -1) {}

    // The palette entry nearest to the colour, looked up once per bin.
    int operator()(int r, int g, int b) {
        int& cached = m_cache[BinOf(r, g, b)];
        if (cached < 0) cached = Search((r & ~7) + 4, (g & ~7) + 4, (b & ~7) + 4);
        return cached;
    }

private:
    int Search(int r, int g, int b) const {
        int best = 0, bestDistance = INT32_MAX;
        for (int i = 0; i * 3 < int(m_rgb.size()); ++i) {
            const int dr = r - m_rgb[3 * i], dg = g - m_rgb[3 * i + 1], db = b - m_rgb[3 * i + 2];
            const int distance = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
            if (distance < bestDistance) bestDistance = distance, best = i;
        }
        return best;
    }

    const std::vector<std::uint8_t>& m_rgb;
    std::vector<int> m_cache;
};

CImageObject Indexed(int width, int height, const std::vector<std::uint8_t>& rgb) {
    CImageObject out;
    out.Create(width, height, 8);
    out.GetImplementation()->SetPaletteFromTriples(int(rgb.size() / 3), rgb.data());
    return out;
}

// The picture's colours when there are at most 256 of them.
std::optional<std::vector<std::uint8_t>> ExactColours(const CImageImpl& image, std::vector<std::uint8_t>& row) {
    std::unordered_map<std::uint32_t, int> seen;
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < image.GetHeight(); ++y) {
        image.BgrRow(y, row.data());
        for (int x = 0; x < image.GetWidth(); ++x) {
            const std::uint8_t* p = &row[3 * x];
            const std::uint32_t key = p[2] << 16 | p[1] << 8 | p[0];
            if (seen.emplace(key, int(seen.size())).second) {
                if (seen.size() > 256) return std::nullopt;
                rgb.insert(rgb.end(), {p[2], p[1], p[0]});
            }
        }
    }
    return rgb;
}

CImageObject MapExactly(const CImageImpl& image, const std::vector<std::uint8_t>& rgb, std::vector<std::uint8_t>& row) {
    std::unordered_map<std::uint32_t, std::uint8_t> index;
    for (int i = 0; i * 3 < int(rgb.size()); ++i) index[rgb[3 * i] << 16 | rgb[3 * i + 1] << 8 | rgb[3 * i + 2]] = i;
    CImageObject out = Indexed(image.GetWidth(), image.GetHeight(), rgb);
    for (int y = 0; y < image.GetHeight(); ++y) {
        image.BgrRow(y, row.data());
        std::uint8_t* target = out.GetImplementation()->Row(y);
        for (int x = 0; x < image.GetWidth(); ++x) target[x] = index[row[3 * x + 2] << 16 | row[3 * x + 1] << 8 | row[3 * x]];
    }
    return out;
}

CImageObject Dithered(const CImageImpl& image, const std::vector<std::uint8_t>& rgb, std::vector<std::uint8_t>& row) {
    const int width = image.GetWidth();
    CImageObject out = Indexed(width, image.GetHeight(), rgb);
    NearestColour nearest(rgb);
    // Errors of this row and the next, a pixel of margin each side, in sixteenths.
    std::vector<std::array<int, 3>> here(width + 2), next(width + 2);
    for (int y = image.GetHeight() - 1; y >= 0; --y) {
        image.BgrRow(y, row.data());
        std::uint8_t* target = out.GetImplementation()->Row(y);
        std::fill(next.begin(), next.end(), std::array<int, 3>{});
        for (int x = 0; x < width; ++x) {
            std::array<int, 3> want;
            for (int c = 0; c < 3; ++c) want[c] = std::clamp(row[3 * x + 2 - c] + here[x + 1][c] / 16, 0, 255);
            const int i = nearest(want[0], want[1], want[2]);
            target[x] = std::uint8_t(i);
            for (int c = 0; c < 3; ++c) {
                const int error = want[c] - rgb[3 * i + c];
                here[x + 2][c] += error * 7;
                next[x][c] += error * 3;
                next[x + 1][c] += error * 5;
                next[x + 2][c] += error;
            }
        }
        std::swap(here, next);
    }
    return out;
}

}  // namespace

namespace ColourReduction {

CImageObject ReduceTo256Colours(const CImageObject& image) {
    const CImageImpl* source = image.GetImplementation();
    if (!image.IsValid() || image.GetBitsPerPixel() <= 8) return image.Clone();
    std::vector<std::uint8_t> row(std::size_t(image.GetWidth()) * 3);
    if (auto exact = ExactColours(*source, row)) return MapExactly(*source, *exact, row);
    Histogram h;
    Count(*source, h, row);
    return Dithered(*source, MedianCutPalette(h), row);
}

struct PaletteCounter::Counts : Histogram {};

PaletteCounter::PaletteCounter() : m_counts(std::make_unique<Counts>()) {}
PaletteCounter::~PaletteCounter() = default;

void PaletteCounter::Add(const CImageObject& picture) {
    if (!picture.IsValid()) return;
    std::vector<std::uint8_t> row(std::size_t(picture.GetWidth()) * 3);
    Count(*picture.GetImplementation(), *m_counts, row);
    m_seen = true;
}

ImagePalette PaletteCounter::MedianCut(int colours) const {
    if (!m_seen) return {};
    const std::vector<std::uint8_t> rgb = MedianCutPalette(*m_counts, std::size_t(std::clamp(colours, 1, 256)));
    std::vector<PaletteEntry> entries;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) entries.push_back({rgb[i], rgb[i + 1], rgb[i + 2], 0});
    return ImagePalette(std::move(entries));
}

CImageObject MapToPalette(const CImageObject& image, const ImagePalette& palette) {
    if (!image.IsValid() || palette.Count() == 0) return image.Clone();
    std::vector<std::uint8_t> rgb;
    for (const PaletteEntry& e : palette.Entries()) rgb.insert(rgb.end(), {e.red, e.green, e.blue});
    std::vector<std::uint8_t> row(std::size_t(image.GetWidth()) * 3);
    return Dithered(*image.GetImplementation(), rgb, row);
}

}  // namespace ColourReduction
