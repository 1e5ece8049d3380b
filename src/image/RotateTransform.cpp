// Rotation by any angle: quarter turns bring the angle within 45 degrees, then three shears
// (Paeth's "A Fast Algorithm for General Raster Rotation", Graphics Gems I) turn the rest.
#include "ImageTransforms.h"
#include "ParallelRows.h"
#include "WorkBuffer.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kDegreesToRadians = 0.017453292519943295;

// The part of each channel a pixel gives to its neighbour when a line is skewed by WEIGHT:
// trunc(value * weight), looked up instead of multiplied for every pixel.
class CarryTable {
public:
    explicit CarryTable(double weight) {
        for (int c = 0; c < 256; ++c) m_part[c] = std::uint8_t(int(c * weight));
    }
    std::uint32_t operator()(std::uint32_t p) const { return Pack(m_part[Red(p)], m_part[Green(p)], m_part[Blue(p)]); }

private:
    std::uint8_t m_part[256];
};

// The skewed pixel: what P keeps plus what its predecessor gave. Per channel that is below
// p(1-w) + 1 + q w <= 256, so the sum of the words never carries from one channel into the next.
inline std::uint32_t Blend(std::uint32_t p, std::uint32_t kept, std::uint32_t carried) { return p - kept + carried; }

// Copies a line of N pixels into a line of M pixels shifted by OFFSET, each pixel giving WEIGHT
// of itself to the next one. The background beside the line takes part like a pixel: the first
// pixel gets its share and the one after the last gets the rest, so the edges blend into it.
void SkewLine(const std::uint32_t* in, int n, std::uint32_t* out, int m, int offset, double weight,
              std::uint32_t background) {
    const CarryTable carry(weight);
    const std::uint32_t backgroundPart = carry(background);
    for (int i = 0; i < std::min(offset, m); ++i) out[i] = background;
    // Pixels that land inside the line; the others only pass their part on.
    const int first = std::clamp(-offset, 0, n), last = std::clamp(m - offset, 0, n);
    std::uint32_t old = first > 0 ? carry(in[first - 1]) : backgroundPart;
    for (int i = first; i < last; ++i) {
        const std::uint32_t left = carry(in[i]);
        out[offset + i] = Blend(in[i], left, old);
        old = left;
    }
    if (last < n) old = carry(in[n - 1]);
    const int end = offset + n;
    if (end >= 0 && end < m) out[end] = Blend(background, backgroundPart, old);
    for (int pos = std::max(end + 1, 0); pos < m; ++pos) out[pos] = background;
}

// Skews every column l of IN (H1 high) into OUT by OFFSETS[l], computed a destination row at a
// time so that both buffers are walked along their rows: the pixel at row r of column l comes
// from source row i = r - floor(offset) as SkewLine would put it there.
void SkewColumns(const WorkBuffer& in, WorkBuffer& out, const std::vector<double>& offsets,
                 std::uint32_t background, const std::function<void(double)>& report) {
    const int columns = out.width;
    // Per column its whole offset and its carry.
    std::vector<int> shift(static_cast<std::size_t>(columns));
    std::vector<CarryTable> carries;
    carries.reserve(static_cast<std::size_t>(columns));
    for (int l = 0; l < columns; ++l) {
        const double offset = offsets[std::size_t(l)];
        shift[std::size_t(l)] = int(std::floor(offset));
        carries.emplace_back(offset - std::floor(offset));
    }
    const int h1 = in.height;
    ParallelRows(out.height, [&](int begin, int end, bool reporting) {
        for (int r = begin; r < end; ++r) {
            if (reporting) report(double(r - begin) / (end - begin));
            std::uint32_t* dst = out.Row(r);
            for (int l = 0; l < columns; ++l) {
                const int i = r - shift[std::size_t(l)];
                if (i < 0 || i > h1) {
                    dst[l] = background;
                    continue;
                }
                const CarryTable& carry = carries[std::size_t(l)];
                const std::uint32_t old = carry(i == 0 ? background : in.Row(i - 1)[l]);
                const std::uint32_t p = i == h1 ? background : in.Row(i)[l];
                dst[l] = Blend(p, carry(p), old);
            }
        }
    });
}

// The quarter turns that keep the rest of the angle within 45 degrees.
std::optional<WorkBuffer> QuarterTurn(const WorkBuffer& in, int quarters, const ImageTransforms::Progress& progress) {
    const bool swap = quarters % 2 == 1;
    auto out = WorkBuffer::Make(swap ? in.height : in.width, swap ? in.width : in.height);
    if (!out) return std::nullopt;
    const int w = in.width, h = in.height;
    for (int y = 0; y < h; ++y) {
        if (progress) progress(int(50.0 * y / h));
        const std::uint32_t* row = in.Row(y);
        for (int x = 0; x < w; ++x) {
            int dx = x, dy = y;
            if (quarters == 1) dx = y, dy = w - 1 - x;
            else if (quarters == 2) dx = w - 1 - x, dy = h - 1 - y;
            else if (quarters == 3) dx = h - 1 - y, dy = x;
            out->Row(dy)[dx] = row[x];
        }
    }
    return out;
}

}  // namespace

namespace ImageTransforms {

std::optional<CImageObject> RotateByAngle(const CImageObject& image, double degrees, QRgb colour,
                                          const Progress& progress) {
    if (!image.IsValid()) return std::nullopt;
    const std::uint32_t background = Pack(qRed(colour), qGreen(colour), qBlue(colour));
    double angle = degrees;
    while (angle >= 360) angle -= 360;
    while (angle < 0) angle += 360;
    int quarters = 0;
    if (angle > 45 && angle <= 135) quarters = 1;
    else if (angle > 135 && angle <= 225) quarters = 2;
    else if (angle > 225 && angle <= 315) quarters = 3;
    angle -= 90 * quarters;
    // Without a quarter turn the first shear reads the picture's rows as they are.
    std::optional<WorkBuffer> buffer;
    if (quarters || angle == 0) {
        buffer = WorkBuffer::From(image);
        if (buffer && quarters) buffer = QuarterTurn(*buffer, quarters, progress);
        if (!buffer) return std::nullopt;
        if (angle == 0) return buffer->ToImage();
    }

    const double theta = angle * kDegreesToRadians;
    const double t = std::tan(theta / 2), sn = std::sin(theta), cs = std::cos(theta);
    const int W = buffer ? buffer->width : image.GetWidth(), H = buffer ? buffer->height : image.GetHeight();
    // Progress of the three shears: a third each, or a sixth each after a quarter turn.
    static constexpr int kStart[2][3] = {{0, 33, 66}, {50, 66, 83}};
    const double share = quarters ? 16.666666666666668 : 33.33333;
    const auto report = [&](int shear, double fraction) {
        if (progress) progress(kStart[quarters ? 1 : 0][shear] + int(share * fraction));
    };

    // Shear 1: the rows.
    const int W1 = W + int(H * std::fabs(t)), H1 = H;
    auto first = WorkBuffer::Make(W1, H1);
    if (!first) return std::nullopt;
    ParallelRows(H, [&](int begin, int end, bool reporting) {
        std::vector<std::uint8_t> bgr(buffer ? 0 : std::size_t(W) * 3);
        std::vector<std::uint32_t> words(buffer ? 0 : std::size_t(W));
        for (int k = begin; k < end; ++k) {
            if (reporting) report(0, double(k - begin) / (end - begin));
            const std::uint32_t* row = buffer ? buffer->Row(k) : words.data();
            if (!buffer) {
                image.GetImplementation()->BgrRow(k, bgr.data());
                for (int x = 0; x < W; ++x) words[std::size_t(x)] = Pack(bgr[3 * x + 2], bgr[3 * x + 1], bgr[3 * x]);
            }
            const double d = t >= 0 ? (k + 0.5) * t : (k - H + 0.5) * t;
            SkewLine(row, W, first->Row(k), W1, int(std::floor(d)), d - std::floor(d), background);
        }
    });
    buffer.reset();

    // Shear 2: the columns.
    const int W2 = W1, H2 = int(W * std::fabs(sn) + H * cs) + 1;
    auto second = WorkBuffer::Make(W2, H2);
    if (!second) return std::nullopt;
    // The offsets step by repeated subtraction, as a walk along the columns computes them.
    std::vector<double> offsets(static_cast<std::size_t>(W2));
    double offset = sn > 0 ? (W - 1) * sn : -sn * (W - W1);
    for (double& o : offsets) o = offset, offset -= sn;
    SkewColumns(*first, *second, offsets, background, [&](double fraction) { report(1, fraction); });
    first.reset();

    // Shear 3: the rows again.
    const int W3 = int(H * std::fabs(sn) + W * cs) + 1, H3 = H2;
    CImageObject result;
    if (!result.Create(W3, H3, 24, 2)) return std::nullopt;
    offsets.resize(std::size_t(H3));
    offset = sn >= 0 ? -sn * t * (W - 1) : t * (1 - H3 - sn * (W - 1));
    for (double& o : offsets) o = offset, offset += t;
    ParallelRows(H3, [&](int begin, int end, bool reporting) {
        std::vector<std::uint32_t> line(static_cast<std::size_t>(W3));
        for (int l = begin; l < end; ++l) {
            if (reporting) report(2, double(l - begin) / (end - begin));
            const double offset = offsets[std::size_t(l)];
            SkewLine(second->Row(l), W2, line.data(), W3, int(std::floor(offset)), offset - std::floor(offset),
                     background);
            std::uint8_t* out = result.GetImplementation()->Row(l);
            for (int x = 0; x < W3; ++x, out += 3) {
                const std::uint32_t p = line[std::size_t(x)];
                out[0] = std::uint8_t(Blue(p));
                out[1] = std::uint8_t(Green(p));
                out[2] = std::uint8_t(Red(p));
            }
        }
    });
    return result;
}

}  // namespace ImageTransforms
