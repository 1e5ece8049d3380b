#include "ImageTestSupport.h"
#include "TestFiles.h"
#include "image/CGifImage.h"
#include "platform/HeadlessUi.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

CImageObject DecodeGif(const QByteArray& bytes) {
    CImageObject image;
    image.CreateImplementation({}, IMAGE_GIF);
    CGifImage::Decode(bytes, *image.GetImplementation());
    return image;
}

// Splits LZW data after the code size byte into its sub-block lengths.
std::vector<int> PacketSizes(const QByteArray& gif, qsizetype start) {
    std::vector<int> sizes;
    for (qsizetype pos = start; pos < gif.size();) {
        const int size = std::uint8_t(gif[pos]);
        sizes.push_back(size);
        if (size == 0) break;
        pos += size + 1;
    }
    return sizes;
}

}  // namespace

TEST(Gif, WritesGif87aWithAFullTableAndShortPackets) {
    CImageObject image = MakeIndexed(120, 90, 200);  // enough data for several packets
    const QByteArray gif = CGifImage::Encode(*image.GetImplementation());
    EXPECT_TRUE(gif.startsWith("GIF87a"));
    EXPECT_EQ(gif.mid(6, 7), Hex("7800 5A00 E7 00 00"));
    // The table: entry 1 is (7, 254, 13); entries past the palette are black.
    EXPECT_EQ(gif.mid(13 + 3, 3), Hex("07FE0D"));
    EXPECT_EQ(gif.mid(13 + 3 * 255, 3), Hex("000000"));
    const qsizetype descriptor = 13 + 768;
    EXPECT_EQ(gif.mid(descriptor, 11), Hex("2C 0000 0000 7800 5A00 00 08"));
    const std::vector<int> packets = PacketSizes(gif, descriptor + 11);
    ASSERT_GT(packets.size(), 2u);
    EXPECT_EQ(packets.back(), 0);
    for (size_t i = 0; i + 1 < packets.size(); ++i) EXPECT_LE(packets[i], 254);
    EXPECT_EQ(packets.front(), 254);
    EXPECT_TRUE(gif.endsWith(Hex("003B")));

    const CImageObject back = DecodeGif(gif);
    ASSERT_TRUE(back.IsValid());
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 120; ++x) ASSERT_EQ(back.GetPixelIndex(x, y), image.GetPixelIndex(x, y));
}

TEST(Gif, OutsideReadersDecodeWhatWeWrite) {
    ScopedTestDir dir;
    CImageObject image = MakeIndexed(37, 23, 64);
    ASSERT_TRUE(image.Save(dir.Path("a.gif")));
    const Ppm ppm = ParsePpm(RunTool("convert", {dir.Path("a.gif"), "ppm:-"}));
    ASSERT_EQ(ppm.width, 37);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x) ASSERT_EQ(ppm.At(x, y), TopDownPixel(image, x, y));
    EXPECT_FALSE(RunTool("gifsicle", {"--info", dir.Path("a.gif")}).isNull());
}

TEST(Gif, ReadsInterlacedAndPlainFilesOfOtherWriters) {
    ScopedTestDir dir;
    for (int height : {1, 2, 3, 5, 9, 17}) {
        std::vector<Rgb> pixels;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < 6; ++x) pixels.push_back({(y * 40) % 256, x * 40, 0});
        dir.Write("in.ppm", MakePpm(6, height, pixels));
        // ImageMagick writes short interlaced pictures with rows out of place; gifsicle does not.
        ASSERT_FALSE(RunTool("convert", {dir.Path("in.ppm"), dir.Path("plain.gif")}).isNull());
        ASSERT_FALSE(RunTool("gifsicle", {"--interlace", dir.Path("plain.gif"), "-o", dir.Path("interlaced.gif")}).isNull());
        for (const char* name : {"plain.gif", "interlaced.gif"}) {
            const CImageObject image(dir.Path(name));
            ASSERT_TRUE(image.IsValid());
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < 6; ++x)
                    ASSERT_EQ(TopDownPixel(image, x, y), pixels[y * 6 + x]) << height << name;
        }
    }
}

TEST(Gif, TransparencyMakesItsEntryBlackAndKeepsWhite) {
    ScopedTestDir dir;
    // A transparent picture with its top row red.
    ASSERT_FALSE(RunTool("convert", {"-size", "4x4", "xc:none", "-fill", "red", "-draw",
                                     "rectangle 0,0 3,0", dir.Path("t.gif")}).isNull());
    const CImageObject image(dir.Path("t.gif"));
    ASSERT_TRUE(image.IsValid());
    const int transparent = image.GetImplementation()->TransparentIndex();
    ASSERT_GE(transparent, 0);
    EXPECT_EQ(image.GetPixelIndex(1, 0), transparent);
    EXPECT_NE(image.GetPixelIndex(1, 3), transparent);
    ASSERT_EQ(image.GetPalette()->Count(), 256);
    EXPECT_EQ(image.GetPalette()->Entries()[transparent], (PaletteEntry{0, 0, 0, 0}));
    bool white = false;
    for (const PaletteEntry& e : image.GetPalette()->Entries())
        white = white || (e.red == 255 && e.green == 255 && e.blue == 255);
    EXPECT_TRUE(white);
}

TEST(Gif, RefusesWhatIsNoGifAndMoreThanEightBits) {
    ScopedTestDir dir;
    EXPECT_FALSE(DecodeGif("GIF7xx").IsValid());
    CImageObject notGif;
    dir.Write("x.gif", "PNG....");
    EXPECT_FALSE(notGif.Load(dir.Path("x.gif")));

    HeadlessUi ui;
    ImageLibrary::SetUi(&ui);
    CImageObject colour = MakeColour(4, 4);
    EXPECT_FALSE(colour.Save(dir.Path("c.gif")));
    EXPECT_EQ(ui.LastMessage(), QStringLiteral("GIF Images must be 8 bit or less"));
    EXPECT_FALSE(QFile::exists(dir.Path("c.gif")));
    CImageObject indexed = MakeIndexed(4, 4);
    EXPECT_FALSE(indexed.Save(dir.Path("no/such/folder/c.gif")));
    EXPECT_EQ(ui.LastMessage(), QStringLiteral("Can't open GIF for writing"));
    ImageLibrary::SetUi(nullptr);
}

TEST(Gif, ATruncatedFileKeepsTheRowsDecodedSoFar) {
    CImageObject image = MakeIndexed(50, 40, 256);
    const QByteArray gif = CGifImage::Encode(*image.GetImplementation());
    const CImageObject cut = DecodeGif(gif.left(gif.size() * 2 / 3));
    ASSERT_TRUE(cut.IsValid());
    // The top rows (DIB rows near the height) match; the bottom row stays index 0.
    for (int x = 0; x < 50; ++x) EXPECT_EQ(cut.GetPixelIndex(x, 39), image.GetPixelIndex(x, 39));
    int zeros = 0;
    for (int x = 0; x < 50; ++x) zeros += cut.GetPixelIndex(x, 0) == 0;
    EXPECT_EQ(zeros, 50);
}

TEST(Gif, CorruptCodesNeitherCrashNorLoop) {
    CImageObject image = MakeIndexed(64, 64, 256);
    const QByteArray gif = CGifImage::Encode(*image.GetImplementation());
    for (int seed = 0; seed < 200; ++seed) {
        QByteArray bad = gif;
        for (qsizetype i = 13 + 768 + 12 + seed; i < bad.size() - 2; i += 37 + seed)
            bad[i] = char(bad[i] ^ (0x5A + seed));
        DecodeGif(bad);
    }
    QByteArray badCodeSize = gif;
    badCodeSize[13 + 768 + 10] = 12;
    EXPECT_TRUE(DecodeGif(badCodeSize).IsValid());  // the picture exists, its pixels stay 0
}

TEST(Gif, TwoPicturesDecodeAtTheSameTime) {
    CImageObject a = MakeIndexed(300, 200, 256), b = MakeIndexed(200, 300, 17);
    const QByteArray gifA = CGifImage::Encode(*a.GetImplementation());
    const QByteArray gifB = CGifImage::Encode(*b.GetImplementation());
    CImageObject outA, outB;
    std::thread first([&] { outA = DecodeGif(gifA); });
    std::thread second([&] { outB = DecodeGif(gifB); });
    first.join();
    second.join();
    EXPECT_TRUE(SameColours(outA, a));
    EXPECT_TRUE(SameColours(outB, b));
}
