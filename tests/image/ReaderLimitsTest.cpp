#include "ImageTestSupport.h"
#include "TestFiles.h"
#include "image/ImageInfo.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

void ExpectSameAsFullRead(const QString& path) {
    const std::int64_t rowsBefore = ImageLibrary::DecodedRows();
    QString reason;
    const auto info = ReadImageInfo(path, -1, &reason);
    EXPECT_EQ(ImageLibrary::DecodedRows(), rowsBefore) << "a header read decoded rows of " << path.toStdString();
    const CImageObject full(path);
    ASSERT_TRUE(full.IsValid()) << path.toStdString();
    EXPECT_GT(ImageLibrary::DecodedRows(), rowsBefore);
    ASSERT_TRUE(info) << path.toStdString() << ": " << reason.toStdString();
    const ImagePalette* palette = full.GetPalette();
    const std::vector<int> header{info->type,     info->width,       info->height,      info->bpp,
                                  info->colorType, info->paletteSize, info->transparentIndex};
    const std::vector<int> decoded{full.Type(),          full.GetWidth(),
                                   full.GetHeight(),     full.GetBitsPerPixel(),
                                   full.GetColorType(),  palette ? palette->Count() : 0,
                                   full.GetImplementation()->TransparentIndex()};
    EXPECT_EQ(header, decoded) << path.toStdString();
}

// A 24-bit JPEG of 64 x 64 with its entropy-coded data cut to its first half.
QByteArray JpegCutInItsScan(const ScopedTestDir& dir) {
    MakeColour(64, 64).Save(dir.Path("whole.jpg"));
    const QByteArray whole = ReadAll(dir.Path("whole.jpg"));
    const qsizetype scan = whole.indexOf("\xFF\xDA");
    return whole.left(scan + (whole.size() - scan) / 2);
}

}  // namespace

TEST(ReaderLimits, HeaderReadsGiveWhatAFullReadGivesWithoutDecodingARow) {
    ScopedTestDir dir;
    QStringList files;
    const auto save = [&](CImageObject image, const QString& name) {
        ASSERT_TRUE(image.Save(dir.Path(name))) << name.toStdString();
        files << dir.Path(name);
    };
    for (int bpp : {1, 4, 8, 24}) {
        CImageObject image;
        image.Create(13, 7, bpp, -1);
        save(std::move(image), QStringLiteral("d%1.bmp").arg(bpp));
    }
    save(MakeIndexed(9, 5, 16), "indexed.png");
    save(MakeIndexed(9, 5, 200), "indexed.bmp");
    save(MakeIndexed(9, 5, 200), "indexed.gif");
    save(MakeColour(9, 5), "colour.png");
    save(MakeColour(9, 5), "colour.jpg");
    CImageObject grey;
    grey.Create(9, 5, 8, 0);
    save(std::move(grey), "grey.png");
    // Other writers' kinds: grey JPEG, progressive and restart-marker JPEGs, 16-bit, alpha,
    // interlaced and transparent-palette PNGs, RLE and bit-field BMPs, GIFs with transparency.
    dir.Write("in.ppm", MakePpm(2, 2, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}}));
    const struct {
        const char* program;
        QStringList args;
        const char* out;
    } others[] = {
        {"cjpeg", {"-grayscale", "-outfile", "g.jpg", "in.ppm"}, "g.jpg"},
        {"cjpeg", {"-progressive", "-outfile", "p.jpg", "in.ppm"}, "p.jpg"},
        {"cjpeg", {"-restart", "1B", "-outfile", "r.jpg", "in.ppm"}, "r.jpg"},
        {"convert", {"in.ppm", "-depth", "16", "png48:d16.png"}, "d16.png"},
        {"convert", {"in.ppm", "-alpha", "set", "-channel", "A", "-evaluate", "set", "50%", "png32:a.png"}, "a.png"},
        {"convert", {"in.ppm", "-interlace", "PNG", "i.png"}, "i.png"},
        {"convert", {"in.ppm", "-transparent", "red", "png8:t.png"}, "t.png"},
        {"convert", {"in.ppm", "-colors", "16", "-compress", "RLE", "bmp3:rle.bmp"}, "rle.bmp"},
        {"convert", {"in.ppm", "-define", "bmp:subtype=RGB565", "bmp:565.bmp"}, "565.bmp"},
        {"convert", {"in.ppm", "-transparent", "red", "t.gif"}, "t.gif"},
    };
    for (const auto& other : others) {
        QProcess tool;
        tool.setWorkingDirectory(dir.Path());
        tool.start(QString::fromLatin1(other.program), other.args);
        if (tool.waitForFinished(30000) && tool.exitCode() == 0 && QFile::exists(dir.Path(other.out)))
            files << dir.Path(other.out);
    }
    EXPECT_GE(files.size(), 18);
    for (const QString& file : files) ExpectSameAsFullRead(file);
}

TEST(ReaderLimits, AHeaderReadRefusesWhatItsHeaderGivesAwayAsAFullReadDoes) {
    ScopedTestDir dir;
    ASSERT_TRUE(MakeColour(8, 4).Save(dir.Path("whole.bmp")));
    QByteArray bmp = ReadAll(dir.Path("whole.bmp"));
    dir.Write("cut.bmp", bmp.left(bmp.size() - 20));
    bmp[28] = 2;
    dir.Write("two.bmp", bmp);
    for (const auto& [file, reason] : {std::pair{"cut.bmp", "truncated file"}, std::pair{"two.bmp", "2-bit BMP"}}) {
        QString why;
        EXPECT_FALSE(ReadImageInfo(dir.Path(file), -1, &why)) << file;
        EXPECT_EQ(why, QString::fromLatin1(reason));
    }
}

TEST(ReaderLimits, EveryReaderRefusesAPictureAboveThePixelLimitAndNamesItsSize) {
    ScopedTestDir dir;
    for (const char* name : {"a.bmp", "a.jpg", "a.png", "a.gif"}) ASSERT_TRUE(MakeIndexed(20, 10).Save(dir.Path(name)));
    ImageLibrary::SetMaxPixels(199);
    for (const char* name : {"a.bmp", "a.jpg", "a.png", "a.gif"}) {
        const std::int64_t rowsBefore = ImageLibrary::DecodedRows();
        CImageObject image;
        EXPECT_FALSE(image.Load(dir.Path(name)) && image.IsValid()) << name;
        EXPECT_EQ(image.ReadError(), QStringLiteral("20x10 pixels is more than the limit of 199")) << name;
        EXPECT_EQ(ImageLibrary::DecodedRows(), rowsBefore) << name;
    }
    ImageLibrary::SetMaxPixels(200);
    EXPECT_TRUE(CImageObject(dir.Path("a.png")).IsValid());
    ImageLibrary::SetMaxPixels(ImageLibrary::kMaxPixels);
    EXPECT_EQ(ImageLibrary::PixelLimitRefusal(65535, 65535),
              QStringLiteral("65535x65535 pixels is more than the limit of 268435456"));
}

TEST(ReaderLimits, AJpegWhoseScanStopsEarlyIsTruncatedWithOrWithoutItsEndMarker) {
    ScopedTestDir dir;
    const QByteArray cut = JpegCutInItsScan(dir);
    dir.Write("cut.jpg", cut);
    dir.Write("cut-eoi.jpg", cut + "\xFF\xD9");
    for (const char* name : {"cut.jpg", "cut-eoi.jpg"}) {
        CImageObject image;
        EXPECT_FALSE(image.Load(dir.Path(name)) && image.IsValid()) << name;
        EXPECT_EQ(image.ReadError(), QStringLiteral("truncated file")) << name;
    }
    EXPECT_TRUE(CImageObject(dir.Path("whole.jpg")).IsValid());
}

TEST(ReaderLimits, FilesTooSmallForTheirDeclaredPicturesAreRefusedBeforeAnyRow) {
    ScopedTestDir dir;
    // A JPEG that says 16384 x 16384 over 66 KB: less than one bit per 8x8 block.
    MakeColour(16, 16).Save(dir.Path("small.jpg"));
    QByteArray jpeg = ReadAll(dir.Path("small.jpg"));
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    qToBigEndian<quint16>(16384, jpeg.data() + frame + 5);
    qToBigEndian<quint16>(16384, jpeg.data() + frame + 7);
    jpeg.insert(jpeg.size() - 2, QByteArray(66 * 1024, '\0'));
    dir.Write("huge.jpg", jpeg);
    // A PNG that says 16384 x 16384 colour pixels over 60 KB, which deflate cannot hold.
    MakeColour(16, 16).Save(dir.Path("small.png"));
    QByteArray png = ReadAll(dir.Path("small.png"));
    qToBigEndian<quint32>(16384, png.data() + 16);
    qToBigEndian<quint32>(16384, png.data() + 20);
    qToBigEndian<quint32>(Crc32(png.mid(12, 17)), png.data() + 29);
    png.insert(png.size() - 12, QByteArray(60 * 1024, '\0'));
    dir.Write("huge.png", png);
    for (const char* name : {"huge.jpg", "huge.png"}) {
        const std::int64_t rowsBefore = ImageLibrary::DecodedRows();
        CImageObject image;
        EXPECT_FALSE(image.Load(dir.Path(name))) << name;
        EXPECT_EQ(image.ReadError(), QStringLiteral("picture larger than its file can hold")) << name;
        EXPECT_EQ(ImageLibrary::DecodedRows(), rowsBefore) << name;
    }
}
