#include "ImageTestSupport.h"
#include "TestFiles.h"
#include "image/ImageTransforms.h"

#include <QFile>
#include <array>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>

using namespace ImageTransforms;

namespace {

// A W x H 24-bit picture whose DIB pixel (x, y) has the colour (10x + y, 20y, x + y + 7).
CImageObject Pattern(int w, int h) {
    CImageObject image;
    image.Create(w, h, 24, 2);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.SetPixelColor(x, y, std::uint8_t(10 * x + y), std::uint8_t(20 * y), std::uint8_t(x + y + 7));
    return image;
}

Rgb Dib(const CImageObject& image, int x, int y) {
    std::uint8_t r = 0, g = 0, b = 0;
    image.GetPixelColor(x, y, r, g, b);
    return {r, g, b};
}

bool SamePixels(const CImageObject& a, const CImageObject& b) {
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight()) return false;
    for (int y = 0; y < a.GetHeight(); ++y)
        for (int x = 0; x < a.GetWidth(); ++x)
            if (!(Dib(a, x, y) == Dib(b, x, y))) return false;
    return true;
}

// The contribution formula of the resize, written out plainly for one output position.
std::vector<std::pair<int, double>> ReferenceWeights(int u, int outLength, int inLength, double filterWidth,
                                                     double (*f)(double)) {
    const double s = double(outLength) / inLength;
    const double width = s < 1 ? filterWidth / s : filterWidth, fscale = s < 1 ? s : 1;
    const int window = 2 * int(std::ceil(width)) + 1;
    const double centre = (u + 0.5) / s - 0.5;
    int left = std::max(0, int(std::floor(centre - width)));
    const int right = std::min(int(std::ceil(centre + width)), inLength - 1);
    if (right - left + 1 > window) ++left;
    std::vector<std::pair<int, double>> weights;
    double total = 0;
    for (int i = left; i <= right; ++i) {
        weights.push_back({i, fscale * f(fscale * (centre - i))});
        total += weights.back().second;
    }
    if (total > 0)
        for (auto& w : weights) w.second /= total;
    return weights;
}

double Bilinear(double x) { return std::fabs(x) < 1 ? 1 - std::fabs(x) : 0; }

}  // namespace

TEST(Transforms, FlipsAndQuarterTurnsMoveEveryPixel) {
    CImageObject line;
    line.Create(3, 1, 24, 2);
    line.SetPixelColor(0, 0, 1, 0, 0);
    line.SetPixelColor(1, 0, 2, 0, 0);
    line.SetPixelColor(2, 0, 3, 0, 0);
    const CImageObject flipped = FlipHorizontal(line);
    EXPECT_EQ(Dib(flipped, 0, 0).r, 3);
    EXPECT_EQ(Dib(flipped, 2, 0).r, 1);
    EXPECT_TRUE(SamePixels(FlipHorizontal(flipped), line));

    const CImageObject image = Pattern(5, 3);
    EXPECT_TRUE(SamePixels(FlipVertical(FlipVertical(image)), image));
    EXPECT_EQ(Dib(FlipVertical(image), 1, 0), Dib(image, 1, 2));
    const CImageObject cw = Rotate90Clockwise(image);
    EXPECT_EQ(cw.GetWidth(), 3);
    EXPECT_EQ(cw.GetHeight(), 5);
    // The top-left pixel as displayed (DIB row H-1) goes to the top-right.
    EXPECT_EQ(Dib(cw, 2, 4), Dib(image, 0, 2));
    EXPECT_TRUE(SamePixels(Rotate90Clockwise(Rotate90Clockwise(Rotate90Clockwise(cw))), image));
    EXPECT_TRUE(SamePixels(Rotate90CounterClockwise(cw), image));
    EXPECT_TRUE(SamePixels(Rotate180(Rotate180(image)), image));
    EXPECT_EQ(Dib(Rotate180(image), 0, 0), Dib(image, 4, 2));
}

TEST(Transforms, LosslessTransformsKeepDepthAndPalette) {
    CImageObject indexed = MakeIndexed(7, 4, 30);
    const CImageObject turned = Rotate90CounterClockwise(indexed);
    EXPECT_EQ(turned.GetBitsPerPixel(), 8);
    EXPECT_EQ(*turned.GetPalette(), *indexed.GetPalette());
    EXPECT_EQ(turned.GetPixelIndex(3, 0), indexed.GetPixelIndex(0, 0));  // (H-1-y, x)
    const CImageObject crop = Crop(indexed, QRect(2, 1, 3, 2));  // from the top-left as displayed
    EXPECT_EQ(crop.GetWidth(), 3);
    EXPECT_EQ(crop.GetHeight(), 2);
    // The crop's top-left is the source's (2, 1) from the top: DIB row 4 - 1 - 1 = 2.
    EXPECT_EQ(crop.GetPixelIndex(0, 1), indexed.GetPixelIndex(2, 2));
    EXPECT_EQ(crop.GetPixelIndex(2, 0), indexed.GetPixelIndex(4, 1));
}

TEST(Transforms, ResizeToTheSameSizeKeepsColoursAndWidensOnePixel) {
    const CImageObject image = Pattern(6, 5);
    for (Filter filter : {Filter::Box, Filter::Bilinear}) {
        const auto same = Resize(image, 6, 5, filter);
        ASSERT_TRUE(same);
        EXPECT_TRUE(SamePixels(*same, image));
    }
    CImageObject one;
    one.Create(1, 2, 24, 2);
    one.SetPixelColor(0, 0, 200, 100, 50);
    one.SetPixelColor(0, 1, 200, 100, 50);
    const auto wide = Resize(one, 3, 2, Filter::Bilinear);
    ASSERT_TRUE(wide);
    for (int x = 0; x < 3; ++x) EXPECT_EQ(Dib(*wide, x, 0), (Rgb{200, 100, 50}));
    const auto fromPalette = Resize(MakeIndexed(8, 8, 16), 4, 4, Filter::Gaussian);
    ASSERT_TRUE(fromPalette);
    EXPECT_EQ(fromPalette->GetBitsPerPixel(), 24);
    EXPECT_EQ(fromPalette->GetColorType(), 2);
    EXPECT_FALSE(Resize(image, 0, 5, Filter::Box));
}

TEST(Transforms, ResizeFollowsTheContributionFormula) {
    // A 5 x 1 line down to 3 and up to 8 with BILINEAR, against the formula written out here:
    // the weighted sum of each output rounded once.
    CImageObject line;
    line.Create(5, 1, 24, 2);
    const int reds[] = {0, 250, 40, 180, 90};
    for (int x = 0; x < 5; ++x) line.SetPixelColor(x, 0, std::uint8_t(reds[x]), 0, std::uint8_t(255 - reds[x]));
    for (int target : {3, 8}) {
        const auto resized = Resize(line, target, 1, Filter::Bilinear);
        ASSERT_TRUE(resized);
        for (int u = 0; u < target; ++u) {
            double red = 0, blue = 0;
            for (const auto& [i, w] : ReferenceWeights(u, target, 5, 1.0, Bilinear)) {
                red += w * reds[i];
                blue += w * (255 - reds[i]);
            }
            EXPECT_NEAR(Dib(*resized, u, 0).r, red, 0.51) << target << " " << u;
            EXPECT_NEAR(Dib(*resized, u, 0).b, blue, 0.51) << target << " " << u;
        }
    }
}

namespace {

struct Comparison {
    double meanOurs = 0, meanTheirs = 0, psnr = 0;
};

// Our resize of FILE against ImageMagick's with the filter of the same family.
std::optional<Comparison> CompareWithImageMagick(const QString& file, int width, int height, Filter filter) {
    static const char* const kFamily[] = {"Box", "Triangle", "Gaussian", "Hamming", "Blackman"};
    const Ppm theirs = ParsePpm(RunTool("/usr/bin/convert", {file, "-filter", kFamily[int(filter)], "-resize",
                                                             QStringLiteral("%1x%2!").arg(width).arg(height), "-depth", "8", "ppm:-"}));
    const auto ours = Resize(CImageObject(file), width, height, filter);
    if (!ours || theirs.width != width || theirs.height != height) return std::nullopt;
    Comparison c;
    double squares = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb a = TopDownPixel(*ours, x, y), b = theirs.At(x, y);
            for (const auto& [p, q] : {std::pair(a.r, b.r), std::pair(a.g, b.g), std::pair(a.b, b.b)}) {
                c.meanOurs += p;
                c.meanTheirs += q;
                squares += double(p - q) * (p - q);
            }
        }
    const double samples = 3.0 * width * height;
    c.meanOurs /= samples;
    c.meanTheirs /= samples;
    c.psnr = squares == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / (squares / samples));
    return c;
}

}  // namespace

TEST(Transforms, ResizeKeepsFlatPicturesFlatWithEveryFilter) {
    CImageObject flat;
    flat.Create(200, 120, 24, 2);
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 200; ++x) flat.SetPixelColor(x, y, 200, 117, 31);
    for (Filter filter : {Filter::Box, Filter::Bilinear, Filter::Gaussian, Filter::Hamming, Filter::Blackman})
        for (const auto& [w, h] : {std::pair(10, 6), std::pair(67, 41), std::pair(400, 240), std::pair(613, 367)}) {
            const auto resized = Resize(flat, w, h, filter);
            ASSERT_TRUE(resized);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const Rgb p = Dib(*resized, x, y);
                    ASSERT_TRUE(std::abs(p.r - 200) <= 1 && std::abs(p.g - 117) <= 1 && std::abs(p.b - 31) <= 1)
                        << kFilterNames[int(filter)] << " to " << w << "x" << h << " at " << x << "," << y << ": "
                        << p.r << "," << p.g << "," << p.b;
                }
        }
}

TEST(Transforms, ResizeComesCloseToImageMagicksFilterOfTheSameFamily) {
    if (!QFile::exists(QStringLiteral("/usr/bin/convert"))) GTEST_SKIP() << "ImageMagick is not installed";
    ScopedTestDir dir;
    ASSERT_FALSE(RunTool("/usr/bin/convert", {"-seed", "7", "-size", "200x150", "plasma:fractal", "-resize", "400x300!",
                                              "-blur", "0x0.8", "-depth", "8", "PNG24:" + dir.Path("photo.png")})
                     .isNull());
    ASSERT_FALSE(RunTool("/usr/bin/convert", {"-size", "400x300", "xc:#C8751F", "PNG24:" + dir.Path("flat.png")}).isNull());
    for (const char* file : {"photo.png", "flat.png"})
        for (Filter filter : {Filter::Box, Filter::Bilinear, Filter::Gaussian, Filter::Hamming, Filter::Blackman})
            for (const auto& [w, h] : {std::pair(100, 75), std::pair(20, 15), std::pair(800, 600)}) {
                const auto c = CompareWithImageMagick(dir.Path(file), w, h, filter);
                ASSERT_TRUE(c) << file;
                const std::string what = std::string(file) + " " + kFilterNames[int(filter)] + " to " +
                                         std::to_string(w) + "x" + std::to_string(h);
                EXPECT_NEAR(c->meanOurs, c->meanTheirs, 2.0) << what;
                EXPECT_GE(c->psnr, 30.0) << what;
                if (qEnvironmentVariableIsSet("ALBORA_RESIZE_REPORT"))
                    std::printf("%-40s mean %.2f / %.2f  PSNR %.1f dB\n", what.c_str(), c->meanOurs, c->meanTheirs, c->psnr);
            }
}

TEST(Transforms, ResizeReportsItsProgressInTwoHalves) {
    std::vector<int> seen;
    ASSERT_TRUE(Resize(Pattern(100, 40), 50, 80, Filter::Hamming, [&seen](int p) { seen.push_back(p); }));
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), 0);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](int p) { return p > 0 && p < 50; }));
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](int p) { return p >= 50; }));
    EXPECT_LT(seen.back(), 100);
}

TEST(Transforms, RotationByAngleGrowsThePictureAndFillsTheCorners) {
    const CImageObject image = Pattern(100, 50);
    const auto turned = RotateByAngle(image, 30, qRgb(1, 2, 3));
    ASSERT_TRUE(turned);
    EXPECT_EQ(turned->GetWidth(), 112);
    EXPECT_EQ(turned->GetHeight(), 94);
    for (const auto& [x, y] : {std::pair(0, 0), std::pair(111, 0), std::pair(0, 93), std::pair(111, 93)})
        EXPECT_EQ(Dib(*turned, x, y), (Rgb{1, 2, 3})) << x << "," << y;

    // By 90 the pixels of the quarter turn, as a 24-bit picture; by 360 an unchanged copy.
    const CImageObject indexed = MakeIndexed(6, 4, 12);
    const auto ninety = RotateByAngle(indexed, 90, qRgb(0, 0, 0));
    ASSERT_TRUE(ninety);
    EXPECT_EQ(ninety->GetBitsPerPixel(), 24);
    EXPECT_TRUE(SameColours(*ninety, Rotate90Clockwise(indexed)));
    const auto full = RotateByAngle(image, 360, qRgb(0, 0, 0));
    ASSERT_TRUE(full);
    EXPECT_TRUE(SamePixels(*full, image));
    const auto back = RotateByAngle(image, -270, qRgb(0, 0, 0));
    EXPECT_TRUE(SamePixels(*back, Rotate90Clockwise(image)));
}

TEST(Transforms, TintMovesColoursTowardsTheTarget) {
    const CImageObject image = Pattern(4, 4);
    const auto none = Tint(image, qRgb(255, 0, 255), 0);
    ASSERT_TRUE(none);
    EXPECT_TRUE(SamePixels(*none, image));
    const auto full = Tint(image, qRgb(255, 0, 128), 255);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const Rgb p = Dib(*full, x, y);
            EXPECT_GE(p.r, 254);
            EXPECT_LE(p.g, 1);
            EXPECT_LE(std::abs(p.b - 128), 1);
        }
    // c + floor(I (T - c) / 256): 100 towards 0 at 128 is 100 + floor(-50) = 50.
    CImageObject grey;
    grey.Create(1, 1, 24, 2);
    grey.SetPixelColor(0, 0, 100, 100, 100);
    EXPECT_EQ(Dib(*Tint(grey, qRgb(0, 0, 0), 128), 0, 0).r, 50);
    EXPECT_EQ(Dib(*Tint(grey, qRgb(0, 0, 0), 1), 0, 0).r, 99);
}

TEST(Transforms, BrightnessIsNeutralInTheMiddleAndSaturates) {
    CImageObject image;
    image.Create(2, 1, 24, 2);
    image.SetPixelColor(0, 0, 100, 200, 0);
    image.SetPixelColor(1, 0, 250, 5, 128);
    Brightness(image, 128);
    EXPECT_EQ(Dib(image, 0, 0), (Rgb{100, 200, 0}));
    Brightness(image, 200);  // +72
    EXPECT_EQ(Dib(image, 0, 0), (Rgb{172, 255, 72}));
    EXPECT_EQ(Dib(image, 1, 0), (Rgb{255, 77, 200}));
    Brightness(image, 0);  // -128
    EXPECT_EQ(Dib(image, 0, 0), (Rgb{44, 127, 0}));

    // A palette picture takes the nearest palette colour.
    CImageObject indexed;
    indexed.Create(1, 1, 8, -1);
    const std::uint8_t rgb[] = {0, 0, 0, 100, 100, 100, 255, 255, 255};
    indexed.SetPaletteFromTriples(3, rgb);
    indexed.SetPixelIndex(0, 0, 1);
    Brightness(indexed, 255);
    EXPECT_EQ(indexed.GetPixelIndex(0, 0), 2);

    // 1- and 4-bit pictures are widened to 8 bits and brightened like any palette picture.
    for (int bpp : {1, 4}) {
        CImageObject packed;
        packed.Create(3, 1, bpp, -1);
        std::vector<std::uint8_t> greys;
        for (int i = 0; i < (1 << bpp); ++i) greys.insert(greys.end(), 3, std::uint8_t(i * 255 / ((1 << bpp) - 1)));
        packed.SetPaletteFromTriples(1 << bpp, greys.data());
        Brightness(packed, 255);  // +127: black becomes the grey nearest to 127
        EXPECT_EQ(packed.GetBitsPerPixel(), 8);
        for (int x = 0; x < 3; ++x) EXPECT_EQ(Dib(packed, x, 0), (bpp == 1 ? Rgb{0, 0, 0} : Rgb{119, 119, 119})) << bpp;
    }
    CImageObject twoGreys;
    twoGreys.Create(8, 1, 1, -1);
    const std::uint8_t pair[] = {100, 100, 100, 255, 255, 255};
    twoGreys.SetPaletteFromTriples(2, pair);
    Brightness(twoGreys, 255);
    for (int x = 0; x < 8; ++x) EXPECT_EQ(Dib(twoGreys, x, 0), (Rgb{255, 255, 255})) << x;
}

TEST(Transforms, ContrastSpreadsFromTheMiddleGreyAndSaturates) {
    CImageObject image;
    image.Create(2, 1, 24, 2);
    image.SetPixelColor(0, 0, 100, 200, 0);
    image.SetPixelColor(1, 0, 128, 255, 140);
    Contrast(image, 128);
    EXPECT_EQ(Dib(image, 0, 0), (Rgb{100, 200, 0}));
    Contrast(image, 192);  // 1.5 times as far from 128
    EXPECT_EQ(Dib(image, 0, 0), (Rgb{86, 236, 0}));
    EXPECT_EQ(Dib(image, 1, 0), (Rgb{128, 255, 146}));
    Contrast(image, 64);  // half as far
    EXPECT_EQ(Dib(image, 0, 0), (Rgb{107, 182, 64}));
    Contrast(image, 0);
    EXPECT_EQ(Dib(image, 0, 0), (Rgb{128, 128, 128}));

    CImageObject indexed;
    indexed.Create(1, 1, 8, -1);
    const std::uint8_t rgb[] = {0, 0, 0, 100, 100, 100, 128, 128, 128};
    indexed.SetPaletteFromTriples(3, rgb);
    indexed.SetPixelIndex(0, 0, 1);
    Contrast(indexed, 0);
    EXPECT_EQ(indexed.GetPixelIndex(0, 0), 2);
}

namespace {

// The rotation by shears written out plainly, pixel by pixel, from the formulas: a reference
// for the row-wise implementation. Buffers are vectors of (r, g, b) with rows bottom-up.
using Px = std::array<int, 3>;
using Buffer = std::vector<std::vector<Px>>;  // [row][column]

// The background takes part at both ends of the line as if it were a pixel: the first pixel
// gets its share, the one after the last the rest.
void ReferenceSkew(const std::vector<Px>& in, std::vector<Px>& out, int offset, double weight, const Px& bg) {
    const int n = int(in.size()), m = int(out.size());
    const auto partOf = [weight](const Px& p) { return Px{int(p[0] * weight), int(p[1] * weight), int(p[2] * weight)}; };
    const auto blend = [](const Px& p, const Px& kept, const Px& carried) {
        return Px{p[0] - kept[0] + carried[0], p[1] - kept[1] + carried[1], p[2] - kept[2] + carried[2]};
    };
    for (int i = 0; i < offset && i < m; ++i) out[static_cast<std::size_t>(i)] = bg;
    Px old = partOf(bg);
    for (int i = 0; i < n; ++i) {
        const Px& p = in[static_cast<std::size_t>(i)];
        if (offset + i >= 0 && offset + i < m) out[static_cast<std::size_t>(offset + i)] = blend(p, partOf(p), old);
        old = partOf(p);
    }
    if (offset + n >= 0 && offset + n < m) out[static_cast<std::size_t>(offset + n)] = blend(bg, partOf(bg), old);
    for (int p = std::max(offset + n + 1, 0); p < m; ++p) out[static_cast<std::size_t>(p)] = bg;
}

Buffer ReferenceRotate(const Buffer& in, double degrees, const Px& bg) {
    const int W = int(in[0].size()), H = int(in.size());
    const double theta = degrees * 0.017453292519943295, t = std::tan(theta / 2), sn = std::sin(theta), cs = std::cos(theta);
    const int W1 = W + int(H * std::fabs(t));
    Buffer first(static_cast<std::size_t>(H), std::vector<Px>(static_cast<std::size_t>(W1)));
    for (int k = 0; k < H; ++k) {
        const double d = t >= 0 ? (k + 0.5) * t : (k - H + 0.5) * t;
        ReferenceSkew(in[static_cast<std::size_t>(k)], first[static_cast<std::size_t>(k)], int(std::floor(d)), d - std::floor(d), bg);
    }
    const int H2 = int(W * std::fabs(sn) + H * cs) + 1;
    Buffer second(static_cast<std::size_t>(H2), std::vector<Px>(static_cast<std::size_t>(W1)));
    double offset = sn > 0 ? (W - 1) * sn : -sn * (W - W1);
    for (int l = 0; l < W1; ++l, offset -= sn) {
        std::vector<Px> column(static_cast<std::size_t>(H)), out(static_cast<std::size_t>(H2));
        for (int r = 0; r < H; ++r) column[static_cast<std::size_t>(r)] = first[static_cast<std::size_t>(r)][static_cast<std::size_t>(l)];
        ReferenceSkew(column, out, int(std::floor(offset)), offset - std::floor(offset), bg);
        for (int r = 0; r < H2; ++r) second[static_cast<std::size_t>(r)][static_cast<std::size_t>(l)] = out[static_cast<std::size_t>(r)];
    }
    const int W3 = int(H * std::fabs(sn) + W * cs) + 1;
    Buffer third(static_cast<std::size_t>(H2), std::vector<Px>(static_cast<std::size_t>(W3)));
    offset = sn >= 0 ? -sn * t * (W - 1) : t * (1 - H2 - sn * (W - 1));
    for (int l = 0; l < H2; ++l, offset += t)
        ReferenceSkew(second[static_cast<std::size_t>(l)], third[static_cast<std::size_t>(l)], int(std::floor(offset)), offset - std::floor(offset), bg);
    return third;
}

}  // namespace

TEST(Transforms, RotationMatchesTheShearsWrittenOutPixelByPixel) {
    for (double degrees : {20.0, -33.5, 44.0}) {
        const CImageObject image = Pattern(9, 6);
        Buffer in(6, std::vector<Px>(9));
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 9; ++x) {
                const Rgb p = Dib(image, x, y);
                in[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = {p.r, p.g, p.b};
            }
        const Buffer expected = ReferenceRotate(in, degrees, {9, 8, 7});
        const auto turned = RotateByAngle(image, degrees, qRgb(9, 8, 7));
        ASSERT_TRUE(turned);
        ASSERT_EQ(turned->GetHeight(), int(expected.size()));
        ASSERT_EQ(turned->GetWidth(), int(expected[0].size()));
        for (int y = 0; y < turned->GetHeight(); ++y)
            for (int x = 0; x < turned->GetWidth(); ++x) {
                const Px& e = expected[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
                ASSERT_EQ(Dib(*turned, x, y), (Rgb{e[0], e[1], e[2]})) << degrees << " at " << x << "," << y;
            }
    }
}

TEST(Transforms, RotationBlendsTheEdgesIntoTheBackground) {
    // A flat orange picture turned on white: every pixel lies between the two colours, the edges
    // too (no channel wraps around into a dark dot).
    CImageObject orange;
    orange.Create(60, 40, 24, 2);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) orange.SetPixelColor(x, y, 255, 140, 0);
    for (double degrees : {30.0, -17.5, 44.0, 100.0, 200.0, -75.0}) {
        const auto turned = RotateByAngle(orange, degrees, qRgb(255, 255, 255));
        ASSERT_TRUE(turned);
        int inside = 0;
        for (int y = 0; y < turned->GetHeight(); ++y)
            for (int x = 0; x < turned->GetWidth(); ++x) {
                const Rgb p = Dib(*turned, x, y);
                ASSERT_EQ(p.r, 255) << degrees << " at " << x << "," << y;
                ASSERT_GE(p.g, 139) << degrees << " at " << x << "," << y;
                // Green and blue move together from orange towards white.
                ASSERT_NEAR((p.g - 140) / 115.0, p.b / 255.0, 0.05) << degrees << " at " << x << "," << y;
                inside += p == Rgb{255, 140, 0};
            }
        EXPECT_GT(inside, 60 * 40 * 8 / 10) << degrees;
    }
}
