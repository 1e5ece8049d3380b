// Resizing in two separable passes with per-position contribution lists (the filtered
// resampling of Schumacher's "General Filtered Image Rescaling", Graphics Gems III).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

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

// Weights are fixed point with this many fraction bits; each output sums whole products and is
// rounded once.
constexpr int kFractionBits = 14;
constexpr int kOne = 1 << kFractionBits;

// For every output position: the first source position and the weights from there on.
struct Contributions {
    std::vector<int> left;
    std::vector<int> count;
    std::vector<int> start;  // index of the position's first weight in WEIGHTS
    std::vector<std::int32_t> weights;  // summing to kOne for each position
};

// Fixes the weights of one position: normalised to kOne with the rounding left over given to
// the largest, so that a flat picture stays exactly flat. When they do not add up to anything
// positive (BLACKMAN vanishes at +-0.5, so an enlargement can meet only such points), the
// nearest source pixel is taken.
void AddPosition(Contributions& c, const std::vector<double>& weights, double total, int left, double centre,
                 int inLength) {
    c.start.push_back(int(c.weights.size()));
    if (!(total > 0)) {
        c.left.push_back(std::clamp(int(std::floor(centre + 0.5)), 0, inLength - 1));
        c.count.push_back(1);
        c.weights.push_back(kOne);
        return;
    }
    c.left.push_back(left);
    c.count.push_back(int(weights.size()));
    std::int32_t sum = 0;
    std::size_t largest = c.weights.size();
    for (double w : weights) {
        c.weights.push_back(std::int32_t(std::lround(w / total * kOne)));
        sum += c.weights.back();
        if (c.weights.back() > c.weights[largest]) largest = c.weights.size() - 1;
    }
    c.weights[largest] += kOne - sum;
}

Contributions MakeContributions(int outLength, int inLength, Filter filter) {
    const double scale = double(outLength) / inLength;
    const double filterWidth = FilterWidth(filter);
    const double width = scale < 1.0 ? filterWidth / scale : filterWidth;
    const double fscale = scale < 1.0 ? scale : 1.0;
    const int window = 2 * int(std::ceil(width)) + 1;
    Contributions c;
    c.weights.reserve(std::size_t(outLength) * std::size_t(window));
    std::vector<double> weights;
    for (int u = 0; u < outLength; ++u) {
        // Pixel centres meet: output pixel u covers source u / scale to (u + 1) / scale.
        const double centre = (u + 0.5) / scale - 0.5;
        int left = std::max(0, int(std::floor(centre - width)));
        const int right = std::min(int(std::ceil(centre + width)), inLength - 1);
        if (right - left + 1 > window) ++left;
        weights.clear();
        double total = 0;
        for (int i = left; i <= right; ++i) {
            weights.push_back(fscale * FilterValue(filter, fscale * (centre - i)));
            total += weights.back();
        }
        AddPosition(c, weights, total, left, centre, inLength);
    }
    return c;
}

// A channel from its fixed-point sum: rounded, and held to 0..255 should a filter overshoot.
inline int Channel(std::int32_t sum) { return std::clamp((sum + kOne / 2) >> kFractionBits, 0, 255); }

// Filters the rows of IMAGE into OUT (as wide as the new picture). Each row is read as
// blue, green, red bytes whatever the picture's depth.
void HorizontalPass(const CImageObject& image, WorkBuffer& out, const Contributions& c,
                    const ImageTransforms::Progress& progress) {
    const CImageImpl& source = *image.GetImplementation();
    ParallelRows(source.GetHeight(), [&](int begin, int end, bool first) {
        std::vector<std::uint8_t> bgr(std::size_t(source.GetWidth()) * 3);
        for (int y = begin; y < end; ++y) {
            if (first && progress) progress(int(50.0 * (y - begin) / (end - begin)));
            source.BgrRow(y, bgr.data());
            std::uint32_t* dst = out.Row(y);
            for (int u = 0; u < out.width; ++u) {
                const std::int32_t* w = c.weights.data() + c.start[std::size_t(u)];
                const std::uint8_t* p = bgr.data() + 3 * std::size_t(c.left[std::size_t(u)]);
                std::int32_t r = 0, g = 0, b = 0;
                for (int k = 0; k < c.count[std::size_t(u)]; ++k, p += 3) {
                    b += w[k] * p[0];
                    g += w[k] * p[1];
                    r += w[k] * p[2];
                }
                dst[u] = Pack(Channel(r), Channel(g), Channel(b));
            }
        }
    });
}

// Filters the columns of IN into the rows of the 24-bit RESULT, an output row at a time: each
// output row gathers its weighted source rows, so both buffers are walked along their rows.
void VerticalPass(const WorkBuffer& in, CImageImpl& result, const Contributions& c,
                  const ImageTransforms::Progress& progress) {
    const int width = result.GetWidth();
    ParallelRows(result.GetHeight(), [&](int begin, int end, bool first) {
        std::vector<std::int32_t> r(static_cast<std::size_t>(width)), g(r.size()), b(r.size());
        for (int v = begin; v < end; ++v) {
            if (first && progress) progress(50 + int(50.0 * (v - begin) / (end - begin)));
            std::fill(r.begin(), r.end(), 0);
            std::fill(g.begin(), g.end(), 0);
            std::fill(b.begin(), b.end(), 0);
            const std::int32_t* w = c.weights.data() + c.start[std::size_t(v)];
            for (int k = 0; k < c.count[std::size_t(v)]; ++k) {
                const std::uint32_t* src = in.Row(c.left[std::size_t(v)] + k);
                const std::int32_t weight = w[k];
                for (int x = 0; x < width; ++x) {
                    r[std::size_t(x)] += weight * Red(src[x]);
                    g[std::size_t(x)] += weight * Green(src[x]);
                    b[std::size_t(x)] += weight * Blue(src[x]);
                }
            }
            std::uint8_t* dst = result.Row(v);
            for (int x = 0; x < width; ++x, dst += 3) {
                dst[0] = std::uint8_t(Channel(b[std::size_t(x)]));
                dst[1] = std::uint8_t(Channel(g[std::size_t(x)]));
                dst[2] = std::uint8_t(Channel(r[std::size_t(x)]));
            }
        }
    });
}

}  // namespace

namespace ImageTransforms {

std::optional<Filter> FilterNamed(const QString& name) {
    for (int i = 0; i < int(std::size(kFilterNames)); ++i)
        if (name.compare(QLatin1String(kFilterNames[i]), Qt::CaseInsensitive) == 0) return Filter(i);
    return std::nullopt;
}

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
