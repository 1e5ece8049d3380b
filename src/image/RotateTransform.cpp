// Rotation by any angle: quarter turns bring the angle within 45 degrees, then three shears
// (Paeth's "A Fast Algorithm for General Raster Rotation", Graphics Gems I) turn the rest.
#include "ImageTransforms.h"
#include "WorkBuffer.h"

#include <cmath>

namespace {

constexpr double kDegreesToRadians = 0.017453292519943295;

// Copies a line of N pixels (read through IN) into a line of M pixels (written through OUT)
// shifted by OFFSET, each pixel giving WEIGHT of itself to the next one.
template <class In, class Out>
void SkewLine(In in, int n, Out out, int m, int offset, double weight, std::uint32_t background) {
    for (int i = 0; i < std::min(offset, m); ++i) out(i) = background;
    std::uint32_t old = background;
    for (int i = 0; i < n; ++i) {
        const std::uint32_t p = in(i);
        const int lr = int(Red(p) * weight), lg = int(Green(p) * weight), lb = int(Blue(p) * weight);
        const std::uint32_t left = Pack(lr, lg, lb);
        const int pos = offset + i;
        if (pos >= 0 && pos < m)
            out(pos) = Pack(Red(p) - lr + Red(old), Green(p) - lg + Green(old), Blue(p) - lb + Blue(old));
        old = left;
    }
    const int last = offset + n;
    if (last >= 0 && last < m) out(last) = old;
    for (int pos = std::max(last + 1, 0); pos < m; ++pos) out(pos) = background;
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
    auto buffer = WorkBuffer::From(image);
    if (!buffer) return std::nullopt;
    const std::uint32_t background = Pack(qRed(colour), qGreen(colour), qBlue(colour));
    double angle = degrees;
    while (angle >= 360) angle -= 360;
    while (angle < 0) angle += 360;
    int quarters = 0;
    if (angle > 45 && angle <= 135) quarters = 1;
    else if (angle > 135 && angle <= 225) quarters = 2;
    else if (angle > 225 && angle <= 315) quarters = 3;
    angle -= 90 * quarters;
    if (quarters) {
        buffer = QuarterTurn(*buffer, quarters, progress);
        if (!buffer) return std::nullopt;
    }
    if (angle == 0) return buffer->ToImage();

    const double theta = angle * kDegreesToRadians;
    const double t = std::tan(theta / 2), sn = std::sin(theta), cs = std::cos(theta);
    const int W = buffer->width, H = buffer->height;
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
    for (int k = 0; k < H; ++k) {
        report(0, double(k) / H);
        const double d = t >= 0 ? (k + 0.5) * t : (k - H + 0.5) * t;
        const std::uint32_t* in = buffer->Row(k);
        std::uint32_t* out = first->Row(k);
        SkewLine([in](int i) { return in[i]; }, W, [out](int i) -> std::uint32_t& { return out[i]; }, W1,
                 int(std::floor(d)), d - std::floor(d), background);
    }
    buffer.reset();

    // Shear 2: the columns.
    const int W2 = W1, H2 = int(W * std::fabs(sn) + H * cs) + 1;
    auto second = WorkBuffer::Make(W2, H2);
    if (!second) return std::nullopt;
    double offset = sn > 0 ? (W - 1) * sn : -sn * (W - W1);
    for (int l = 0; l < W2; ++l, offset -= sn) {
        report(1, double(l) / W2);
        const std::uint32_t* in = first->pixels.data() + l;
        std::uint32_t* out = second->pixels.data() + l;
        SkewLine([in, W1](int i) { return in[std::size_t(i) * W1]; }, H1,
                 [out, W2](int i) -> std::uint32_t& { return out[std::size_t(i) * W2]; }, H2,
                 int(std::floor(offset)), offset - std::floor(offset), background);
    }
    first.reset();

    // Shear 3: the rows again.
    const int W3 = int(H * std::fabs(sn) + W * cs) + 1, H3 = H2;
    auto third = WorkBuffer::Make(W3, H3);
    if (!third) return std::nullopt;
    offset = sn >= 0 ? -sn * t * (W - 1) : t * (1 - H3 - sn * (W - 1));
    for (int l = 0; l < H3; ++l, offset += t) {
        report(2, double(l) / H3);
        const std::uint32_t* in = second->Row(l);
        std::uint32_t* out = third->Row(l);
        SkewLine([in](int i) { return in[i]; }, W2, [out](int i) -> std::uint32_t& { return out[i]; }, W3,
                 int(std::floor(offset)), offset - std::floor(offset), background);
    }
    CImageObject result = third->ToImage();
    if (!result.IsValid()) return std::nullopt;
    return result;
}

}  // namespace ImageTransforms
