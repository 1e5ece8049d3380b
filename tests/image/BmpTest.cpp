#include "ImageTestSupport.h"
#include "TestFiles.h"
#include "image/CBmpImage.h"
#include "image/DibFormat.h"

#include <gtest/gtest.h>

namespace {

// A bitmap file: optional file header, a 40-byte header, a table of quads and the pixels.
QByteArray MakeBmp(int width, int height, int bpp, const QByteArray& table, const QByteArray& pixels,
                   bool fileHeader = true, std::uint32_t sizeImage = 0, std::uint32_t compression = 0) {
    QByteArray info(40, '\0');
    Dib::InfoHeader h;
    h.width = width;
    h.height = height;
    h.bitCount = std::uint16_t(bpp);
    h.compression = compression;
    h.sizeImage = sizeImage;
    h.clrUsed = std::uint32_t(table.size() / 4);
    h.Store(reinterpret_cast<std::uint8_t*>(info.data()));
    QByteArray body = info + table + pixels;
    if (!fileHeader) return body;
    QByteArray header(14, '\0');
    auto* p = reinterpret_cast<std::uint8_t*>(header.data());
    Dib::Put16(p, 0x4D42);
    Dib::Put32(p + 2, std::uint32_t(14 + body.size()));
    Dib::Put32(p + 10, std::uint32_t(14 + 40 + table.size()));
    return header + body;
}

// Two colours: 0 red, 1 green; a 2x2 8-bit picture, bottom row 0 1, top row 1 0.
const QByteArray kTable = Hex("0000FF00 00FF0000");
const QByteArray kPixels = Hex("00010000 01000000");

CImageObject Decode(const QByteArray& bytes) {
    CImageObject image;
    image.CreateImplementation({}, IMAGE_BMP);
    if (!CBmpImage::Decode(bytes, *image.GetImplementation())) return CImageObject();
    return image;
}

}  // namespace

TEST(Bmp, ReadsFilesAndBareDibsAlike) {
    for (bool fileHeader : {true, false}) {
        const CImageObject image = Decode(MakeBmp(2, 2, 8, kTable, kPixels, fileHeader));
        ASSERT_TRUE(image.IsValid()) << fileHeader;
        EXPECT_EQ(image.GetColorType(), 3);
        EXPECT_EQ(TopDownPixel(image, 0, 0), (Rgb{0, 255, 0}));
        EXPECT_EQ(TopDownPixel(image, 0, 1), (Rgb{255, 0, 0}));
    }
}

TEST(Bmp, ReadsACoreHeaderWithThreeByteColours) {
    QByteArray core = Hex("0C000000 0200 0200 0100 0800");
    core += Hex("0000FF 00FF00");  // 2 colours declared by... 8 bits: 256 entries of 3 bytes
    core += QByteArray(254 * 3, '\0');
    const CImageObject image = Decode(core + kPixels);
    ASSERT_TRUE(image.IsValid());
    EXPECT_EQ(TopDownPixel(image, 1, 1), (Rgb{0, 255, 0}));
    EXPECT_EQ(TopDownPixel(image, 0, 1), (Rgb{255, 0, 0}));
}

TEST(Bmp, ComputesAMissingImageSizeAndTurnsTopDownRowsOver) {
    // 24-bit, 1 pixel wide: rows padded to 4 bytes; top row white, bottom row black.
    const QByteArray pixels = Hex("00000000 FFFFFF00");
    const CImageObject bottomUp = Decode(MakeBmp(1, 2, 24, {}, pixels, true, 0));
    ASSERT_TRUE(bottomUp.IsValid());
    EXPECT_EQ(TopDownPixel(bottomUp, 0, 0), (Rgb{255, 255, 255}));
    const CImageObject topDown = Decode(MakeBmp(1, -2, 24, {}, pixels, true, 0));
    ASSERT_TRUE(topDown.IsValid());
    EXPECT_EQ(topDown.GetHeight(), 2);
    EXPECT_EQ(TopDownPixel(topDown, 0, 0), (Rgb{0, 0, 0}));
}

TEST(Bmp, RefusesDeclarationsTheFileCannotHold) {
    QByteArray huge = MakeBmp(100000, 100000, 24, {}, QByteArray(146, '\0'));
    EXPECT_EQ(huge.size(), 200);
    EXPECT_FALSE(Decode(huge).IsValid());
    EXPECT_FALSE(Decode(MakeBmp(2000, 2000, 24, {}, QByteArray(100, '\0'))).IsValid());
    EXPECT_FALSE(Decode(MakeBmp(2, 2, 7, {}, kPixels)).IsValid());
    EXPECT_FALSE(Decode(MakeBmp(0, 2, 8, kTable, kPixels)).IsValid());
    EXPECT_FALSE(Decode(MakeBmp(2, 2, 8, kTable, kPixels).left(60)).IsValid());
    EXPECT_FALSE(Decode(Hex("424D")).IsValid());
    QByteArray badOffset = MakeBmp(2, 2, 8, kTable, kPixels);
    Dib::Put32(reinterpret_cast<std::uint8_t*>(badOffset.data()) + 10, 0x7FFFFFFF);
    EXPECT_FALSE(Decode(badOffset).IsValid());
}

TEST(Bmp, SixteenAndThirtyTwoBitPicturesBecomeTwentyFourBit) {
    // 5-6-5 bit fields: pure red and pure green.
    QByteArray masks = Hex("00F80000 E0070000 1F000000");
    const QByteArray sixteen = MakeBmp(2, 1, 16, masks, Hex("00F8 E007"), true, 0, Dib::kBitFields);
    // The masks are no colour table: rebuild with clrUsed 0.
    QByteArray fixed = sixteen;
    Dib::Put32(reinterpret_cast<std::uint8_t*>(fixed.data()) + 14 + 32, 0);
    const CImageObject image = Decode(fixed);
    ASSERT_TRUE(image.IsValid());
    EXPECT_EQ(image.GetBitsPerPixel(), 24);
    EXPECT_EQ(TopDownPixel(image, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(TopDownPixel(image, 1, 0), (Rgb{0, 255, 0}));

    const CImageObject thirtyTwo = Decode(MakeBmp(1, 1, 32, {}, Hex("102030FF")));
    ASSERT_TRUE(thirtyTwo.IsValid());
    EXPECT_EQ(TopDownPixel(thirtyTwo, 0, 0), (Rgb{0x30, 0x20, 0x10}));
}

TEST(Bmp, DecodesRunLengthPictures) {
    // RLE8, 4x2: bottom row "3 x index 1, 1 x index 0", end of line; top row literal 0 1 0 1.
    const QByteArray rle = Hex("0301 0100 0000 0004 00010001 0001");
    const CImageObject image = Decode(MakeBmp(4, 2, 8, kTable, rle, true, 0, Dib::kRle8));
    ASSERT_TRUE(image.IsValid());
    EXPECT_EQ(image.GetPixelIndex(2, 0), 1);
    EXPECT_EQ(image.GetPixelIndex(3, 0), 0);
    EXPECT_EQ(image.GetPixelIndex(1, 1), 1);
    EXPECT_EQ(image.GetPixelIndex(2, 1), 0);
}

TEST(Bmp, WritesRealColoursAndKeepsIndicesInMemory) {
    ScopedTestDir dir;
    CImageObject image = MakeIndexed(5, 3, 256);
    ASSERT_TRUE(image.Save(dir.Path("a.bmp")));
    const QByteArray file = ReadAll(dir.Path("a.bmp"));
    const auto* p = reinterpret_cast<const std::uint8_t*>(file.constData());
    EXPECT_EQ(Dib::Get16(p), 0x4D42);
    EXPECT_EQ(Dib::Get32(p + 10), 14u + 40u + 1024u);
    EXPECT_EQ(Dib::Get32(p + 2), std::uint32_t(file.size()));
    // Entry 2 of the file's table is the colour (14, 253, 26) as blue, green, red.
    EXPECT_EQ(file.mid(14 + 40 + 8, 3), Hex("1AFD0E"));
    const std::uint8_t* table = image.GetImplementation()->DibBlock().data() + 40;
    EXPECT_EQ(Dib::Get16(table + 4), 2);
    CImageObject back(dir.Path("a.bmp"));
    EXPECT_TRUE(SameColours(back, image));
}

TEST(Bmp, ReadsWhatImageMagickWritesPixelForPixel) {
    ScopedTestDir dir;
    std::vector<Rgb> pixels;
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) pixels.push_back({x * 28, y * 36, (x * y) % 256});
    dir.Write("in.ppm", MakePpm(9, 7, pixels));
    for (const char* format : {"BMP3:", "BMP:", "BMP2:"}) {
        ASSERT_FALSE(RunTool("convert", {dir.Path("in.ppm"), format + dir.Path("out.bmp")}).isNull());
        const CImageObject image(dir.Path("out.bmp"));
        ASSERT_TRUE(image.IsValid()) << format;
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 9; ++x) ASSERT_EQ(TopDownPixel(image, x, y), pixels[y * 9 + x]) << format;
    }
    // A picture of few colours as an 8-bit, run-length encoded bitmap.
    ASSERT_FALSE(RunTool("convert", {dir.Path("in.ppm"), "-colors", "16", "-compress", "RLE",
                                     "BMP3:" + dir.Path("rle.bmp")}).isNull());
    ASSERT_FALSE(RunTool("convert", {dir.Path("rle.bmp"), dir.Path("rle.ppm")}).isNull());
    const Ppm reference = ParsePpm(ReadAll(dir.Path("rle.ppm")));
    const CImageObject rle(dir.Path("rle.bmp"));
    ASSERT_TRUE(rle.IsValid());
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) ASSERT_EQ(TopDownPixel(rle, x, y), reference.At(x, y));
}
