#include "ImageTestSupport.h"
#include "TestFiles.h"
#include "image/Orientation.h"
#include "image/Thumbnail.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// An Exif APP1 segment holding one IFD entry: TAG with TYPE, COUNT and VALUE, in either byte order.
QByteArray JpegWithExif(bool bigEndian, unsigned tag, unsigned type, unsigned count, unsigned value) {
    const auto u16 = [bigEndian](unsigned v) {
        const char high = char(v >> 8), low = char(v);
        return bigEndian ? QByteArray().append(high).append(low) : QByteArray().append(low).append(high);
    };
    const auto u32 = [&](unsigned v) { return bigEndian ? u16(v >> 16) + u16(v) : u16(v) + u16(v >> 16); };
    QByteArray tiff = QByteArray(bigEndian ? "MM" : "II") + u16(42) + u32(8) + u16(1);
    tiff += u16(tag) + u16(type) + u32(count) + u16(value) + u16(0) + u32(0);
    const QByteArray body = QByteArray("Exif\0\0", 6) + tiff;
    const int length = int(body.size()) + 2;
    return Hex("FFD8 FFE0 0004 0000 FFE1") + QByteArray().append(char(length >> 8)).append(char(length)) + body +
           Hex("FFDA 0002 FFD9");
}

}  // namespace

TEST(Orientation, ReadsTheTagInEitherByteOrderAndIgnoresWhatIsDamaged) {
    EXPECT_EQ(Orientation::FromJpeg(JpegWithExif(false, 0x0112, 3, 1, 6)), 6);
    EXPECT_EQ(Orientation::FromJpeg(JpegWithExif(true, 0x0112, 3, 1, 8)), 8);
    EXPECT_EQ(Orientation::FromJpeg(JpegWithExif(true, 0x0112, 3, 1, 9)), 1);   // no such orientation
    EXPECT_EQ(Orientation::FromJpeg(JpegWithExif(true, 0x0112, 4, 1, 6)), 1);   // not a SHORT
    EXPECT_EQ(Orientation::FromJpeg(JpegWithExif(true, 0x0112, 3, 2, 6)), 1);   // two values
    EXPECT_EQ(Orientation::FromJpeg(JpegWithExif(false, 0x0110, 3, 1, 6)), 1);  // another tag
    const QByteArray whole = JpegWithExif(false, 0x0112, 3, 1, 3);
    for (qsizetype cut = 0; cut < whole.size(); ++cut) ASSERT_EQ(Orientation::FromJpeg(whole.left(cut)), cut >= 44 ? 3 : 1) << cut;  // the segment ends at 44
    QByteArray farIfd = whole;
    farIfd[22] = char(0x7F);  // the IFD offset points far beyond the segment
    EXPECT_EQ(Orientation::FromJpeg(farIfd), 1);
    EXPECT_EQ(Orientation::FromJpeg(Hex("FFD8 FFE1 0001")), 1);  // a length shorter than itself
    EXPECT_EQ(Orientation::FromJpeg("not a jpeg"), 1);
}

// Every orientation a camera writes comes out as ImageMagick's -auto-orient turns it.
TEST(Orientation, PicturesComeOutUprightAsImageMagickTurnsThem) {
    ScopedTestDir dir;
    if (!HaveOrientationTools()) GTEST_SKIP() << "needs ImageMagick and exiftool";
    const QStringList files = MakeOrientedJpegs(dir.Path());
    ASSERT_EQ(files.size(), 8);
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const QString& file = files[orientation - 1];
        EXPECT_EQ(Orientation::OfFile(file), orientation);
        CImageObject ours;
        ASSERT_TRUE(Orientation::LoadUpright(ours, file));
        EXPECT_EQ(ours.Type(), IMAGE_JPEG);  // turned, the picture is still what its file is
        EXPECT_EQ(ours.FileName(), file);
        const Ppm theirs = ParsePpm(RunTool("/usr/bin/convert", {file, "-auto-orient", "ppm:-"}));
        ASSERT_EQ(ours.GetWidth(), theirs.width) << orientation;
        ASSERT_EQ(ours.GetHeight(), theirs.height) << orientation;
        // The view's picture and the contact thumbnail (a cell the picture fits 1:1) alike.
        const Thumbnail thumb = MakeThumbnail(file, QSize(48, 48));
        ASSERT_EQ(QSize(thumb.image.GetWidth(), thumb.image.GetHeight()), QSize(theirs.width, theirs.height)) << orientation;
        for (const CImageObject* picture : {static_cast<const CImageObject*>(&ours), &thumb.image})
            EXPECT_LT(MeanDifference(*picture, theirs), 3) << "orientation " << orientation;
    }
    QImage wide(4, 2, QImage::Format_RGB32);
    EXPECT_EQ(Orientation::Upright(wide, 6).size(), QSize(2, 4));
    EXPECT_EQ(Orientation::Upright(wide, 3).size(), QSize(4, 2));
}

TEST(Orientation, TheBatchProgramTellsAndAppliesIt) {
    ScopedTestDir dir;
    if (RunTool("/usr/bin/convert", {"-version"}).isNull() || RunTool("exiftool", {"-ver"}).isNull())
        GTEST_SKIP() << "needs ImageMagick and exiftool";
    ASSERT_FALSE(RunTool("/usr/bin/convert", {"-size", "60x40", "xc:teal", dir.Path("side.jpg")}).isNull());
    ASSERT_FALSE(RunTool("exiftool", {"-q", "-overwrite_original", "-n", "-Orientation=6", dir.Path("side.jpg")}).isNull());
    EXPECT_TRUE(RunTool(ALBORA_CLI_PATH, {"image", "info", dir.Path("side.jpg")}).contains("orientation      6"));
    ASSERT_FALSE(RunTool(ALBORA_CLI_PATH, {"image", "convert", dir.Path("side.jpg"), dir.Path("up.bmp"), "--auto-orient"}).isNull());
    const CImageObject upright(dir.Path("up.bmp"));
    EXPECT_EQ(upright.GetWidth(), 40);
    EXPECT_EQ(upright.GetHeight(), 60);
    ASSERT_FALSE(RunTool(ALBORA_CLI_PATH, {"image", "convert", dir.Path("side.jpg"), dir.Path("as-stored.bmp")}).isNull());
    EXPECT_EQ(CImageObject(dir.Path("as-stored.bmp")).GetWidth(), 60);
}
