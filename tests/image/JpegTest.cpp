#include "ImageTestSupport.h"
#include "TestFiles.h"
#include "image/CJpegImage.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(Jpeg, ColourFilesLoadAs24BitWithTheTopRowLast) {
    ScopedTestDir dir;
    ImageLibrary::SetJpegQuality(95);
    CImageObject image = MakeColour(32, 16);
    ASSERT_TRUE(image.Save(dir.Path("c.jpg")));
    const CImageObject back(dir.Path("c.jpg"));
    ASSERT_TRUE(back.IsValid());
    EXPECT_EQ(back.GetBitsPerPixel(), 24);
    EXPECT_EQ(back.GetColorType(), 2);
    const Rgb corner = TopDownPixel(back, 2, 2);
    EXPECT_GT(corner.r, 240);
    EXPECT_LT(corner.g, 15);
    EXPECT_LT(MeanDifference(back, image), 4.0);
    // djpeg reads what we write.
    const Ppm ppm = ParsePpm(RunTool("djpeg", {"-pnm", dir.Path("c.jpg")}));
    EXPECT_EQ(ppm.width, 32);
    EXPECT_EQ(ppm.At(2, 2), TopDownPixel(back, 2, 2));
}

TEST(Jpeg, GreyFilesLoadAsEightBitWithAGreyPalette) {
    ScopedTestDir dir;
    std::vector<Rgb> pixels;
    for (int i = 0; i < 64; ++i) pixels.push_back({i * 4, i * 4, i * 4});
    dir.Write("g.ppm", MakePpm(8, 8, pixels));
    ASSERT_FALSE(RunTool("cjpeg", {"-grayscale", "-outfile", dir.Path("g.jpg"), dir.Path("g.ppm")}).isNull());
    const CImageObject grey(dir.Path("g.jpg"));
    ASSERT_TRUE(grey.IsValid());
    EXPECT_EQ(grey.GetBitsPerPixel(), 8);
    ASSERT_EQ(grey.GetPalette()->Count(), 256);
    EXPECT_EQ(grey.GetPalette()->Entries()[77], (PaletteEntry{77, 77, 77, 0}));
}

TEST(Jpeg, PalettePicturesAreWrittenAsColour) {
    ScopedTestDir dir;
    ImageLibrary::SetJpegQuality(100);
    CImageObject image = MakeIndexed(16, 16, 4);
    ASSERT_TRUE(image.Save(dir.Path("p.jpg")));
    const CImageObject back(dir.Path("p.jpg"));
    EXPECT_EQ(back.GetBitsPerPixel(), 24);
    EXPECT_LT(MeanDifference(back, image), 6.0);
}

TEST(Jpeg, QualityIsTakenWhenTheImageIsMade) {
    ImageLibrary::SetJpegQuality(10);
    CJpegImage early;
    ImageLibrary::SetJpegQuality(90);
    CJpegImage late;
    EXPECT_EQ(early.Quality(), 10);
    EXPECT_EQ(late.Quality(), 90);
}

TEST(Jpeg, TruncatedAndCorruptFilesFail) {
    ScopedTestDir dir;
    CImageObject image = MakeColour(64, 64);
    ASSERT_TRUE(image.Save(dir.Path("ok.jpg")));
    const QByteArray good = ReadAll(dir.Path("ok.jpg"));
    dir.Write("cut.jpg", good.left(good.size() / 2));
    QByteArray corrupt = good;
    for (int i = 2; i < 40; ++i) corrupt[i] = char(0xFF);
    dir.Write("bad.jpg", corrupt);
    dir.Write("empty.jpg", "");
    for (const char* name : {"cut.jpg", "bad.jpg", "empty.jpg", "missing.jpg"}) {
        CImageObject broken;
        EXPECT_FALSE(broken.Load(dir.Path(name))) << name;
        EXPECT_FALSE(broken.IsValid()) << name;
    }
}

TEST(Jpeg, DctScalingDecodesAReducedPicture) {
    CImageObject image = MakeColour(160, 120);
    const QByteArray file = CJpegImage::Encode(*image.GetImplementation(), 90);
    CJpegImage small;
    ASSERT_TRUE(CJpegImage::Decode(file, small, 8));
    EXPECT_EQ(small.GetWidth(), 20);
    EXPECT_EQ(small.GetHeight(), 15);
}

TEST(Jpeg, CmykFilesLoadAsColourCloseToImageMagicksConversion) {
    if (!QFile::exists(QStringLiteral("/usr/bin/convert"))) GTEST_SKIP() << "ImageMagick is not installed";
    ScopedTestDir dir;
    ASSERT_FALSE(RunTool("/usr/bin/convert", {"-seed", "3", "-size", "96x64", "plasma:fractal", "-colorspace", "CMYK",
                                              "-quality", "95", dir.Path("cmyk.jpg")})
                     .isNull());
    const Ppm theirs = ParsePpm(RunTool("/usr/bin/convert", {dir.Path("cmyk.jpg"), "-colorspace", "sRGB", "-depth", "8", "ppm:-"}));
    ASSERT_EQ(theirs.width, 96);
    const CImageObject ours(dir.Path("cmyk.jpg"));
    ASSERT_TRUE(ours.IsValid()) << ours.ReadError().toStdString();
    EXPECT_EQ(ours.GetBitsPerPixel(), 24);
    double difference = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 96; ++x) {
            const Rgb a = TopDownPixel(ours, x, y), b = theirs.At(x, y);
            difference += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
        }
    EXPECT_LT(difference / (3 * 96 * 64), 2.0);
}
