// Resizing in two separable passes with per-position contribution lists (the filtered
// resampling of Schumacher's "General Filtered Image Rescaling", Graphics Gems III).
#include <cmath>
#include <numbers>
#include <unordered_map>

#include "ImageTransforms.h"
#include "ParallelRows.h"
#include "WorkBuffer.h"

namespace {

using ImageTransforms::Filter;

double FilterWidth(Filter filter) {
    switch (filter) {
        case Filter::Box:
            return 0.5;
        case Filter::Bilinear:
            return 1.0;
        case Filter::Gaussian:
            return 3.0;
        case Filter::Hamming:
            return 0.5;
        case Filter::Blackman:
            return 0.5;
    }
    return 0.5;
}

double FilterValue(Filter filter, double x) {
    constexpr double pi = std::numbers::pi;
    switch (filter) {
        case Filter::Box:
            return std::fabs(x) <= 0.5 ? 1.0 : 0.0;
        case Filter::Bilinear:
            return std::fabs(x) < 1.0 ? 1.0 - std::fabs(x) : 0.0;
        case Filter::Gaussian:
            return std::fabs(x) <= 3.0 ? std::exp(-x * x / 2.0) / std::sqrt(2.0 * pi) : 0.0;
        case Filter::Hamming:
            if (std::fabs(x) > 0.5) return 0.0;
            if (x == 0.0) return 1.0;
            return (0.54 + 0.46 * std::cos(2 * pi * x)) * std::sin(pi * x) / (pi * x);
        case Filter::Blackman:
            return std::fabs(x) <= 0.5
                       ? 0.42 + 0.5 * std::cos(2 * pi * x) + 0.08 * std::cos(4 * pi * x)
                       : 0.0;
    }
    return 0.0;
}

// For every output position: the first source position and the weights from there on.
struct Contributions {
    std::vector<int> left;
    std::vector<int> count;
    std::vector<int> start;  // index of the position's first weight in WEIGHTS
    std::vector<double> weights;
};

Contributions MakeContributions(int outLength, int inLength, Filter filter) {
    const double scale = double(outLength) / inLength;
    const double filterWidth = FilterWidth(filter);
    const double width = scale < 1.0 ? filterWidth / scale : filterWidth;
    const double fscale = scale < 1.0 ? scale : 1.0;
    const int window = 2 * int(std::ceil(width)) + 1;
    Contributions c;
    c.left.resize(std::size_t(outLength));
    c.count.resize(std::size_t(outLength));
    c.start.resize(std::size_t(outLength));
    c.weights.reserve(std::size_t(outLength) * std::size_t(window));
    for (int u = 0; u < outLength; ++u) {
        const double centre = u / scale;
        int left = std::max(0, int(std::floor(centre - width)));
        const int right = std::min(int(std::ceil(centre + width)), inLength - 1);
        if (right - left + 1 > window) ++left;
        c.left[std::size_t(u)] = left;
        c.start[std::size_t(u)] = int(c.weights.size());
        double total = 0;
        for (int i = left; i <= right; ++i) {
            const double weight = fscale * FilterValue(filter, fscale * (centre - i));
            c.weights.push_back(weight);
            total += weight;
        }
        c.count[std::size_t(u)] = std::max(0, right - left + 1);
        if (total > 0)
            for (int k = 0; k < c.count[std::size_t(u)]; ++k)
                c.weights[std::size_t(c.start[std::size_t(u)] + k)] /= total;
    }
    return c;
}

// One weighted term of a channel: the product cut toward zero; sums wrap at 256 as bytes do.
inline int Term(double weight, int channel) { return int(weight * channel); }

// The terms of each weight for every channel value, looked up instead of multiplied. Weights
// repeat along a line for most scales, so equal weights share one table; with too many
// different weights, or weights outside 0..1, the terms are multiplied out instead.
struct TermTables {
    static constexpr std::size_t kMaxTables = 4096;
    std::vector<std::uint8_t> tables;
    std::vector<std::uint32_t> offsetOf;  // per weight of the contributions
    bool usable = true;

    explicit TermTables(const std::vector<double>& weights) {
        std::unordered_map<double, std::uint32_t> known;
        offsetOf.reserve(weights.size());
        for (double w : weights) {
            if (w < 0 || w > 1 || known.size() > kMaxTables) {
                usable = false;
                return;
            }
            auto [it, added] = known.emplace(w, std::uint32_t(tables.size()));
            if (added)
                for (int c = 0; c < 256; ++c) tables.push_back(std::uint8_t(Term(w, c)));
            offsetOf.push_back(it->second);
        }
    }
};

// Filters the rows of IMAGE into OUT (as wide as the new picture). Each row is read as
// blue, green, red bytes whatever the picture's depth.
void HorizontalPass(const CImageObject& image, WorkBuffer& out, const Contributions& c,
                    const ImageTransforms::Progress& progress) {
    const TermTables terms(c.weights);
    const CImageImpl& source = *image.GetImplementation();
    ParallelRows(source.GetHeight(), [&](int begin, int end, bool first) {
        std::vector<std::uint8_t> bgr(std::size_t(source.GetWidth()) * 3);
        for (int y = begin; y < end; ++y) {
            if (first && progress) progress(int(50.0 * (y - begin) / (end - begin)));
            source.BgrRow(y, bgr.data());
            std::uint32_t* dst = out.Row(y);
            for (int u = 0; u < out.width; ++u) {
                const int start = c.start[std::size_t(u)], count = c.count[std::size_t(u)];
                const std::uint8_t* p = bgr.data() + 3 * std::size_t(c.left[std::size_t(u)]);
                int r = 0, g = 0, b = 0;
                if (terms.usable) {
                    const std::uint32_t* offsets = terms.offsetOf.data() + start;
                    for (int k = 0; k < count; ++k, p += 3) {
                        const std::uint8_t* t = terms.tables.data() + offsets[k];
                        b += t[p[0]];
                        g += t[p[1]];
                        r += t[p[2]];
                    }
                } else {
                    const double* w = c.weights.data() + start;
                    for (int k = 0; k < count; ++k, p += 3) {
                        b += Term(w[k], p[0]);
                        g += Term(w[k], p[1]);
                        r += Term(w[k], p[2]);
                    }
                }
                dst[u] = Pack(r, g, b);
            }
        }
    });
}

// Filters the columns of IN into the rows of the 24-bit RESULT, an output row at a time: each
// output row gathers the weighted source rows in the same order a column walk would, so the
// sums are the same.
void VerticalPass(const WorkBuffer& in, CImageImpl& result, const Contributions& c,
                  const ImageTransforms::Progress& progress) {
    const int width = result.GetWidth();
    ParallelRows(result.GetHeight(), [&](int begin, int end, bool first) {
        std::vector<int> r(static_cast<std::size_t>(width)), g(r.size()), b(r.size());
        for (int v = begin; v < end; ++v) {
            if (first && progress) progress(50 + int(50.0 * (v - begin) / (end - begin)));
            std::fill(r.begin(), r.end(), 0);
            std::fill(g.begin(), g.end(), 0);
            std::fill(b.begin(), b.end(), 0);
            const double* w = c.weights.data() + c.start[std::size_t(v)];
            for (int k = 0; k < c.count[std::size_t(v)]; ++k) {
                const std::uint32_t* src = in.Row(c.left[std::size_t(v)] + k);
                // One weight for the whole source row: its terms are tabled once.
                int table[256];
                for (int value = 0; value < 256; ++value) table[value] = Term(w[k], value);
                for (int x = 0; x < width; ++x) {
                    r[std::size_t(x)] += table[Red(src[x])];
                    g[std::size_t(x)] += table[Green(src[x])];
                    b[std::size_t(x)] += table[Blue(src[x])];
                }
            }
            std::uint8_t* dst = result.Row(v);
            for (int x = 0; x < width; ++x, dst += 3) {
                dst[0] = std::uint8_t(b[std::size_t(x)]);
                dst[1] = std::uint8_t(g[std::size_t(x)]);
                dst[2] = std::uint8_t(r[std::size_t(x)]);
            }
        }
    });
}

}  // namespace

namespace ImageTransforms {

std::optional<CImageObject> Resize(const CImageObject& image, int width, int height, Filter filter,
                                   const Progress& progress) {
    if (width <= 0 || height <= 0 || !image.IsValid()) return std::nullopt;
    auto across = WorkBuffer::Make(width, image.GetHeight());
    CImageObject result;
    if (!across || !result.Create(width, height, 24, 2)) return std::nullopt;
    HorizontalPass(image, *across, MakeContributions(width, image.GetWidth(), filter), progress);
    VerticalPass(*across, *result.GetImplementation(), MakeContributions(height, image.GetHeight(), filter), progress);
    return result;
}

}  // namespace ImageTransforms
