#include "capture/sane/ScanAssembler.h"

#include <gtest/gtest.h>
#include <cstring>
#include <vector>

namespace {

ScanFrameFormat Format(ScanFrameFormat::Kind kind, int ppl, int bpl, int lines, int depth, bool last = true) {
    ScanFrameFormat f;
    f.kind = kind;
    f.pixelsPerLine = ppl;
    f.bytesPerLine = bpl;
    f.lines = lines;
    f.depth = depth;
    f.lastFrame = last;
    return f;
}

// Feeds BYTES in pieces of CHUNK, as a backend's reads may cut them anywhere.
void Feed(ScanAssembler& a, const std::vector<std::uint8_t>& bytes, std::size_t chunk) {
    for (std::size_t at = 0; at < bytes.size(); at += chunk)
        ASSERT_TRUE(a.Add(bytes.data() + at, std::min(chunk, bytes.size() - at)));
}

// The pixel at X, Y (top row 0) as blue, green, red bytes of a 24-bit page.
std::vector<int> Bgr(const CImageObject& p, int x, int y) {
    const std::uint8_t* px = p.GetImplementation()->Row(p.GetHeight() - 1 - y) + 3 * x;
    return {px[0], px[1], px[2]};
}

std::uint8_t Byte(const CImageObject& p, int x, int y) { return p.GetImplementation()->Row(p.GetHeight() - 1 - y)[x]; }

}  // namespace

TEST(ScanAssembler, RgbLinesWithPaddingBecomeABottomUpDibWhateverTheReadSizes) {
    // 2 x 2 RGB, 8 bytes a line (2 padding), then bytes the backend never announced.
    const std::vector<std::uint8_t> bytes = {1, 2, 3, 4, 5, 6, 0xEE, 0xEE, 7, 8, 9, 10, 11, 12, 0xEE, 0xEE, 99, 99, 99};
    for (std::size_t chunk : {std::size_t(1), std::size_t(3), std::size_t(64)}) {
        ScanAssembler a;
        ASSERT_TRUE(a.BeginFrame(Format(ScanFrameFormat::Rgb, 2, 8, 2, 8)));
        Feed(a, bytes, chunk);
        a.EndFrame();
        EXPECT_TRUE(a.Complete());
        const CImageObject p = a.Take();
        ASSERT_TRUE(p.IsValid());
        EXPECT_EQ(p.GetBitsPerPixel(), 24);
        EXPECT_EQ(p.GetHeight(), 2);
        EXPECT_EQ(Bgr(p, 0, 0), (std::vector<int>{3, 2, 1}));
        EXPECT_EQ(Bgr(p, 1, 1), (std::vector<int>{12, 11, 10}));
    }
}

TEST(ScanAssembler, GreyLineartAndSixteenBitSamples) {
    {
        // SANE's set bit is black; the DIB's palette says so too.
        ScanAssembler a;
        ASSERT_TRUE(a.BeginFrame(Format(ScanFrameFormat::Grey, 9, 2, 1, 1)));
        const std::uint8_t line[] = {0x80, 0x80};
        a.Add(line, 2);
        a.EndFrame();
        const CImageObject p = a.Take();
        ASSERT_EQ(p.GetBitsPerPixel(), 1);
        const QImage q = p.MakeBitmap();
        EXPECT_EQ(q.pixel(0, 0), qRgb(0, 0, 0));
        EXPECT_EQ(q.pixel(1, 0), qRgb(255, 255, 255));
        EXPECT_EQ(q.pixel(8, 0), qRgb(0, 0, 0));
    }
    {
        // 16-bit samples in the machine's order keep their high byte; grey has a grey palette.
        ScanAssembler a;
        ASSERT_TRUE(a.BeginFrame(Format(ScanFrameFormat::Grey, 2, 4, 1, 16)));
        const std::uint16_t samples[] = {0x1234, 0xFF01};
        a.Add(reinterpret_cast<const std::uint8_t*>(samples), sizeof samples);
        a.EndFrame();
        const CImageObject p = a.Take();
        ASSERT_EQ(p.GetBitsPerPixel(), 8);
        EXPECT_EQ(Byte(p, 0, 0), 0x12);
        EXPECT_EQ(p.MakeBitmap().pixel(1, 0), qRgb(0xFF, 0xFF, 0xFF));
    }
}

TEST(ScanAssembler, ThreePassFramesFillTheirChannels) {
    ScanAssembler a;
    const std::uint8_t values[3][2] = {{10, 11}, {20, 21}, {30, 31}};
    const ScanFrameFormat::Kind order[3] = {ScanFrameFormat::Green, ScanFrameFormat::Blue, ScanFrameFormat::Red};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(a.BeginFrame(Format(order[i], 2, 2, 1, 8, i == 2)));
        a.Add(values[i], 2);
        a.EndFrame();
        EXPECT_EQ(a.Complete(), i == 2);
    }
    const CImageObject p = a.Take();
    EXPECT_EQ(Bgr(p, 1, 0), (std::vector<int>{21, 11, 31}));
    // A pass of another size is refused.
    ScanAssembler b;
    ASSERT_TRUE(b.BeginFrame(Format(ScanFrameFormat::Red, 2, 2, 1, 8, false)));
    b.EndFrame();
    EXPECT_FALSE(b.BeginFrame(Format(ScanFrameFormat::Green, 3, 3, 1, 8, false)));
}

TEST(ScanAssembler, UnknownHeightEndsWhereTheDataEnds) {
    ScanAssembler a;
    ASSERT_TRUE(a.BeginFrame(Format(ScanFrameFormat::Grey, 3, 3, -1, 8)));
    const std::vector<std::uint8_t> bytes(3 * 5 + 2, 7);  // five lines and a partial one
    Feed(a, bytes, 4);
    a.EndFrame();
    const CImageObject p = a.Take();
    EXPECT_EQ(p.GetHeight(), 5);
    EXPECT_EQ(Byte(p, 2, 4), 7);
}

TEST(ScanAssembler, RefusesImpossibleOrOversizedFramesBeforeAllocating) {
    ScanAssembler a;
    EXPECT_FALSE(a.BeginFrame(Format(ScanFrameFormat::Rgb, 100, 299, 10, 8)));  // line too short
    EXPECT_FALSE(a.BeginFrame(Format(ScanFrameFormat::Rgb, 100, 300, 10, 12)));
    EXPECT_FALSE(a.BeginFrame(Format(ScanFrameFormat::Grey, 0, 1, 10, 8)));
    EXPECT_FALSE(a.BeginFrame(Format(ScanFrameFormat::Grey, 10, 10, 0, 8)));
    EXPECT_FALSE(a.BeginFrame(Format(ScanFrameFormat::Grey, 1 << 20, 1 << 20, 1 << 20, 8)));
    EXPECT_NE(a.Error().indexOf("limit"), -1) << a.Error().toStdString();
    EXPECT_FALSE(a.BeginFrame(Format(ScanFrameFormat::Grey, 10, 1 << 30, 10, 8)));

    // A hand scanner that never stops is cut off at the pixel limit, not by running out of memory.
    ImageLibrary::SetMaxPixels(100 * 100);
    ScanAssembler endless;
    ASSERT_TRUE(endless.BeginFrame(Format(ScanFrameFormat::Grey, 100, 100, -1, 8)));
    const std::vector<std::uint8_t> lines(100 * 10, 0);
    int added = 0;
    while (added < 20 && endless.Add(lines.data(), lines.size())) ++added;
    ImageLibrary::SetMaxPixels(ImageLibrary::kMaxPixels);
    EXPECT_EQ(added, 10);

    ScanAssembler empty;
    ASSERT_TRUE(empty.BeginFrame(Format(ScanFrameFormat::Grey, 4, 4, 3, 8)));
    empty.EndFrame();
    EXPECT_FALSE(empty.Take().IsValid());
}
