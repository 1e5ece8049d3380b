#include "ImageTestSupport.h"
#include "TestFiles.h"
#include "image/CPngImage.h"

#include <gtest/gtest.h>

TEST(Png, RoundTripsEveryDepthAndPassesPngcheck) {
    ScopedTestDir dir;
    CImageObject colour = MakeColour(33, 17);
    CImageObject indexed = MakeIndexed(31, 9, 200);
    CImageObject small = MakeIndexed(13, 5, 16);
    ASSERT_TRUE(small.Create(13, 5, 4, -1));
    const std::uint8_t rgb[] = {0, 0, 0, 255, 255, 255, 10, 200, 30};
    small.SetPaletteFromTriples(3, rgb);
    for (int x = 0; x < 13; ++x) small.GetImplementation()->Row(2)[x / 2] = 0x12;
    int i = 0;
    for (CImageObject* image : {&colour, &indexed, &small}) {
        const QString name = dir.Path(QStringLiteral("p%1.png").arg(i++));
        ASSERT_TRUE(image->Save(name));
        EXPECT_FALSE(RunTool("pngcheck", {"-q", name}).isNull()) << name.toStdString();
        const CImageObject back(name);
        ASSERT_TRUE(back.IsValid());
        EXPECT_EQ(back.GetBitsPerPixel(), image->GetBitsPerPixel());
        EXPECT_TRUE(SameColours(back, *image)) << name.toStdString();
    }
}

TEST(Png, AlphaShowsTheBackgroundAndSixteenBitsAreCut) {
    ScopedTestDir dir;
    // Left pixel fully transparent, right pixel opaque orange, 16 bits per sample.
    ASSERT_FALSE(RunTool("convert", {"-size", "1x1", "xc:none", "-size", "1x1", "xc:orange",
                                     "+append", "-depth", "16", "PNG64:" + dir.Path("a.png")})
                     .isNull());
    const CImageObject image(dir.Path("a.png"));
    ASSERT_TRUE(image.IsValid());
    EXPECT_EQ(image.GetBitsPerPixel(), 24);
    EXPECT_EQ(TopDownPixel(image, 0, 0), (Rgb{31, 127, 255}));
    EXPECT_EQ(TopDownPixel(image, 1, 0), (Rgb{255, 165, 0}));
}

TEST(Png, InterlacedFilesLoadInPictureOrder) {
    ScopedTestDir dir;
    std::vector<Rgb> pixels;
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 10; ++x) pixels.push_back({x * 20, y * 20, 7});
    dir.Write("in.ppm", MakePpm(10, 11, pixels));
    ASSERT_FALSE(RunTool("convert", {dir.Path("in.ppm"), "-interlace", "PNG", dir.Path("i.png")}).isNull());
    const CImageObject image(dir.Path("i.png"));
    ASSERT_TRUE(image.IsValid());
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(TopDownPixel(image, x, y), pixels[y * 10 + x]);
}

TEST(Png, TruncatedAndCorruptFilesFail) {
    ScopedTestDir dir;
    CImageObject image = MakeColour(40, 40);
    ASSERT_TRUE(image.Save(dir.Path("ok.png")));
    const QByteArray good = ReadAll(dir.Path("ok.png"));
    dir.Write("cut.png", good.left(good.size() - 20));
    QByteArray corrupt = good;
    corrupt[good.size() / 2] = char(corrupt[good.size() / 2] ^ 0x55);
    dir.Write("bad.png", corrupt);
    QByteArray huge = good;  // a valid header that claims 60000 x 60000
    huge.replace(16, 8, Hex("0000EA60 0000EA60"));
    const std::uint32_t crc = Crc32(huge.mid(12, 17));
    huge.replace(29, 4, QByteArray::fromHex(QByteArray::number(crc, 16).rightJustified(8, '0')));
    dir.Write("huge.png", huge);
    for (const char* name : {"cut.png", "bad.png", "huge.png"}) {
        CImageObject broken;
        EXPECT_FALSE(broken.Load(dir.Path(name))) << name;
        EXPECT_FALSE(broken.IsValid()) << name;
    }
}

TEST(Png, TextChunksAreSkippedAndOnesLongerThanTheFileRefused) {
    ScopedTestDir dir;
    CImageObject image = MakeColour(20, 10);
    ASSERT_TRUE(image.Save(dir.Path("plain.png")));
    const QByteArray plain = ReadAll(dir.Path("plain.png"));
    const auto withChunkAfterHeader = [&](const QByteArray& type, const QByteArray& data, quint32 claimedLength) {
        QByteArray chunk = Hex(QByteArray::number(claimedLength, 16).rightJustified(8, '0')) + type + data;
        const std::uint32_t crc = Crc32(chunk.mid(4));
        chunk += QByteArray::fromHex(QByteArray::number(crc, 16).rightJustified(8, '0'));
        QByteArray file = plain;
        return file.insert(33, chunk);  // after the signature and the 25 bytes of IHDR
    };
    dir.Write("text.png", withChunkAfterHeader("tEXt", QByteArray("Comment\0", 8) + QByteArray(5000, 'x'), 5008));
    const CImageObject text(dir.Path("text.png"));
    ASSERT_TRUE(text.IsValid());
    EXPECT_TRUE(SameColours(text, image));

    // A text that claims almost a gigabyte in a file of a few hundred bytes.
    dir.Write("claims.png", withChunkAfterHeader("tEXt", QByteArray("Comment\0x", 9), 0x39000025));
    CImageObject claims;
    EXPECT_FALSE(claims.Load(dir.Path("claims.png")));
}

TEST(Png, PicturesThatCompressExtremelyWellLoad) {
    ScopedTestDir dir;
    // A flat colour and a scanned A4 page in 1 bit: thousands of pixels per byte of file.
    ASSERT_FALSE(RunTool("/usr/bin/convert", {"-size", "1600x1200", "xc:#3366CC", dir.Path("flat.png")}).isNull());
    ASSERT_FALSE(RunTool("/usr/bin/convert", {"-size", "2480x3508", "xc:white", "-fill", "black", "-draw",
                                              "rectangle 300,400 2100,420", "-monochrome", dir.Path("page.png")})
                     .isNull());
    const CImageObject flat(dir.Path("flat.png"));
    ASSERT_TRUE(flat.IsValid());
    EXPECT_EQ(TopDownPixel(flat, 1599, 1199), (Rgb{0x33, 0x66, 0xCC}));
    const CImageObject page(dir.Path("page.png"));
    ASSERT_TRUE(page.IsValid());
    EXPECT_EQ(page.GetWidth(), 2480);
    EXPECT_EQ(TopDownPixel(page, 1000, 410), (Rgb{0, 0, 0}));
    EXPECT_EQ(TopDownPixel(page, 1000, 430), (Rgb{255, 255, 255}));
}

TEST(Png, EveryKindOfTransparencyShowsTheSameBackgroundWhateverTheGamma) {
    ScopedTestDir dir;
    // Transparent, half-transparent grey 100 and opaque grey 200, as RGBA, as grey with alpha
    // and as a palette with tRNS (whose transparency is all or nothing), each with and without
    // the gAMA chunk ImageMagick writes.
    const QString source = dir.Path("source.png");
    ASSERT_FALSE(RunTool("/usr/bin/convert", {"-size", "1x1", "xc:none", "xc:rgba(100,100,100,0.5)", "xc:rgb(200,200,200)",
                                              "+append", "PNG32:" + source})
                     .isNull());
    const QStringList noGamma = {"-define", "png:exclude-chunk=gAMA,cHRM,sRGB,bKGD"};
    const QStringList grey = {"-define", "png:color-type=4"};
    struct Kind {
        const char* name;
        QStringList options;
        QString format;
    };
    const Kind kinds[] = {{"rgba.png", {}, "PNG32:"},         {"rgba-linear.png", noGamma, "PNG32:"},
                          {"grey.png", grey, ""},             {"grey-linear.png", noGamma + grey, ""},
                          {"palette.png", {}, "PNG8:"},       {"palette-linear.png", noGamma, "PNG8:"}};
    const Rgb background{31, 127, 255}, half{66, 113, 177}, opaque{200, 200, 200};
    for (const auto& [name, options, format] : kinds) {
        ASSERT_FALSE(RunTool("/usr/bin/convert", QStringList{source} + options + QStringList{format + dir.Path(name)}).isNull())
            << name;
        const CImageObject image(dir.Path(name));
        ASSERT_TRUE(image.IsValid()) << name;
        EXPECT_EQ(TopDownPixel(image, 0, 0), background) << name;
        const bool palette = QString(name).startsWith("palette");
        const Rgb middle = TopDownPixel(image, 1, 0);
        const Rgb expected = palette ? background : half;
        EXPECT_TRUE(std::abs(middle.r - expected.r) <= 1 && std::abs(middle.g - expected.g) <= 1 &&
                    std::abs(middle.b - expected.b) <= 1)
            << name << ": " << middle.r << "," << middle.g << "," << middle.b;
        EXPECT_EQ(TopDownPixel(image, 2, 0), opaque) << name;
    }
}

TEST(Png, QuickEncodingKeepsPixelsAlphaAndTexts) {
    ScopedTestDir dir;
    QImage opaque(37, 11, QImage::Format_RGB32);
    QImage clear(5, 3, QImage::Format_ARGB32);
    for (int y = 0; y < opaque.height(); ++y)
        for (int x = 0; x < opaque.width(); ++x) opaque.setPixel(x, y, qRgb(x * 7, y * 23, (x * y) & 255));
    clear.fill(qRgba(10, 20, 30, 40));
    clear.setPixel(4, 2, qRgba(0, 0, 0, 0));
    int i = 0;
    for (const QImage& image : {opaque, clear}) {
        const QString name = QStringLiteral("q%1.png").arg(i++);
        const QByteArray png = CPngImage::EncodeQuick(image, {{"Thumb::URI", "file:///a%20b.jpg"}, {"Software", "Albora"}});
        dir.Write(name, png);
        EXPECT_FALSE(RunTool("pngcheck", {"-q", dir.Path(name)}).isNull()) << name.toStdString();
        const QImage back(dir.Path(name));
        EXPECT_EQ(back.hasAlphaChannel(), image.hasAlphaChannel());
        EXPECT_EQ(back.convertToFormat(QImage::Format_ARGB32), image.convertToFormat(QImage::Format_ARGB32));
        EXPECT_EQ(back.text("Thumb::URI"), "file:///a%20b.jpg");
        EXPECT_EQ(back.text("Software"), "Albora");
    }
}
