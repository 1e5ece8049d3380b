// Resizing in two separable passes with per-position contribution lists (the filtered
// resampling of Schumacher's "General Filtered Image Rescaling", Graphics Gems III).
#include "ImageTransforms.h"
#include "WorkBuffer.h"

#include <cmath>
#include <numbers>

namespace {

using ImageTransforms::Filter;

double FilterWidth(Filter filter) {
    switch (filter) {
        case Filter::Box: return 0.5;
        case Filter::Bilinear: return 1.0;
        case Filter::Gaussian: return 3.0;
        case Filter::Hamming: return 0.5;
        case Filter::Blackman: return 0.5;
    }
    return 0.5;
}

double FilterValue(Filter filter, double x) {
    constexpr double pi = std::numbers::pi;
    switch (filter) {
        case Filter::Box: return std::fabs(x) <= 0.5 ? 1.0 : 0.0;
        case Filter::Bilinear: return std::fabs(x) < 1.0 ? 1.0 - std::fabs(x) : 0.0;
        case Filter::Gaussian:
            return std::fabs(x) <= 3.0 ? std::exp(-x * x / 2.0) / std::sqrt(2.0 * pi) : 0.0;
        case Filter::Hamming:
            if (std::fabs(x) > 0.5) return 0.0;
            if (x == 0.0) return 1.0;
            return (0.54 + 0.46 * std::cos(2 * pi * x)) * std::sin(pi * x) / (pi * x);
        case Filter::Blackman:
            return std::fabs(x) <= 0.5 ? 0.42 + 0.5 * std::cos(2 * pi * x) + 0.08 * std::cos(4 * pi * x) : 0.0;
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
            for (int k = 0; k < c.count[std::size_t(u)]; ++k) c.weights[std::size_t(c.start[std::size_t(u)] + k)] /= total;
    }
    return c;
}

// One weighted term of a channel: the product cut toward zero; sums wrap at 256 as bytes do.
inline int Term(double weight, int channel) { return int(weight * channel); }

// Filters the rows of IN (inWidth wide) into OUT (outWidth wide).
void HorizontalPass(const WorkBuffer& in, WorkBuffer& out, const Contributions& c,
                    const ImageTransforms::Progress& progress) {
    for (int y = 0; y < in.height; ++y) {
        if (progress) progress(int(50.0 * y / in.height));
        const std::uint32_t* src = in.Row(y);
        std::uint32_t* dst = out.Row(y);
        for (int u = 0; u < out.width; ++u) {
            const double* w = c.weights.data() + c.start[std::size_t(u)];
            const std::uint32_t* p = src + c.left[std::size_t(u)];
            int r = 0, g = 0, b = 0;
            for (int k = 0; k < c.count[std::size_t(u)]; ++k) {
                r += Term(w[k], Red(p[k]));
                g += Term(w[k], Green(p[k]));
                b += Term(w[k], Blue(p[k]));
            }
            dst[u] = Pack(r, g, b);
        }
    }
}

// Filters the columns of IN into OUT, an output row at a time: each output row gathers the
// weighted source rows in the same order a column walk would, so the sums are the same.
void VerticalPass(const WorkBuffer& in, WorkBuffer& out, const Contributions& c,
                  const ImageTransforms::Progress& progress) {
    std::vector<int> r(std::size_t(out.width)), g(std::size_t(out.width)), b(std::size_t(out.width));
    for (int v = 0; v < out.height; ++v) {
        if (progress) progress(50 + int(50.0 * v / out.height));
        std::fill(r.begin(), r.end(), 0);
        std::fill(g.begin(), g.end(), 0);
        std::fill(b.begin(), b.end(), 0);
        const double* w = c.weights.data() + c.start[std::size_t(v)];
        for (int k = 0; k < c.count[std::size_t(v)]; ++k) {
            const std::uint32_t* src = in.Row(c.left[std::size_t(v)] + k);
            const double weight = w[k];
            for (int x = 0; x < out.width; ++x) {
                r[std::size_t(x)] += Term(weight, Red(src[x]));
                g[std::size_t(x)] += Term(weight, Green(src[x]));
                b[std::size_t(x)] += Term(weight, Blue(src[x]));
            }
        }
        std::uint32_t* dst = out.Row(v);
        for (int x = 0; x < out.width; ++x) dst[x] = Pack(r[std::size_t(x)], g[std::size_t(x)], b[std::size_t(x)]);
    }
}

}  // namespace

namespace ImageTransforms {

std::optional<CImageObject> Resize(const CImageObject& image, int width, int height, Filter filter,
                                   const Progress& progress) {
    if (width <= 0 || height <= 0) return std::nullopt;
    auto source = WorkBuffer::From(image);
    auto across = WorkBuffer::Make(width, source ? source->height : 0);
    auto result = WorkBuffer::Make(width, height);
    if (!source || !across || !result) return std::nullopt;
    HorizontalPass(*source, *across, MakeContributions(width, source->width, filter), progress);
    source.reset();
    VerticalPass(*across, *result, MakeContributions(height, across->height, filter), progress);
    CImageObject image24 = result->ToImage();
    if (!image24.IsValid()) return std::nullopt;
    return image24;
}

}  // namespace ImageTransforms
