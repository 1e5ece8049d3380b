// Storing captured pictures: the scratch bitmap, the JPEG conversion and the bitmap writer.
#include "TestFiles.h"

#include "album/CAppSettings.h"
#include "capture/CapturedPicture.h"
#include "image/CImageObject.h"
#include "platform/HeadlessUi.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

CImageObject Picture(int width, int height, std::uint8_t shade) {
    CImageObject picture;
    picture.Create(width, height, 24);
    for (int y = 0; y < height; ++y)
        std::fill_n(picture.GetImplementation()->Row(y), picture.GetRowBytes(), shade);
    return picture;
}

QStringList Scratches(const QString& folder) { return QDir(folder).entryList({"tempfoto*"}, QDir::Files | QDir::System); }

}  // namespace

TEST(ConvertToJpeg, AFullDestinationPathGetsItsTildeFileBesideItAndIsReplacedInOneStep) {
    ScopedTestDir dir;
    HeadlessUi ui;
    QDir().mkpath(dir.Path("photos"));
    ASSERT_TRUE(Picture(16, 8, 200).Save(dir.Path("shot.bmp")));
    dir.Write("photos/IMG_0000.jpg", "the old picture");
    const QString destination = dir.Path("photos/IMG_0000.jpg");
    ASSERT_TRUE(ConvertToJpeg(destination, dir.Path("shot.bmp"), true, ui));
    EXPECT_FALSE(QFileInfo::exists(dir.Path("~") ));
    EXPECT_EQ(QDir(dir.Path("photos")).entryList(QDir::Files), QStringList{"IMG_0000.jpg"});
    const CImageObject converted(destination);
    ASSERT_TRUE(converted.IsValid());
    EXPECT_EQ(converted.Type(), IMAGE_JPEG);
    EXPECT_EQ(converted.GetWidth(), 16);
    EXPECT_FALSE(QFileInfo::exists(dir.Path("shot.bmp")));  // the source was to be deleted
    EXPECT_EQ(ui.WaitDepth(), 0);
}

TEST(ConvertToJpeg, AFailureLeavesTheDestinationAsItWasAndNoTildeFile) {
    ScopedTestDir dir;
    HeadlessUi ui;
    dir.Write("broken.bmp", "BM not a bitmap");
    dir.Write("keep.jpg", "the old picture");
    QString reason;
    EXPECT_FALSE(ConvertToJpeg(dir.Path("keep.jpg"), dir.Path("broken.bmp"), true, ui, &reason));
    EXPECT_EQ(ReadAll(dir.Path("keep.jpg")), QByteArray("the old picture"));
    EXPECT_TRUE(QFileInfo::exists(dir.Path("broken.bmp")));  // a source that was not converted stays

    // The rename over the destination fails (a folder is there): false, and the "~" file goes.
    ASSERT_TRUE(Picture(4, 4, 10).Save(dir.Path("shot.bmp")));
    QDir().mkpath(dir.Path("taken.jpg/inside"));
    EXPECT_FALSE(ConvertToJpeg(dir.Path("taken.jpg"), dir.Path("shot.bmp"), true, ui, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.Path("~taken.jpg")));
    EXPECT_TRUE(QFileInfo::exists(dir.Path("shot.bmp")));
}

TEST(ScratchBitmap, EachCaptureHasItsOwnFileThatNoPlantedLinkRedirects) {
    ScopedTestDir dir;
    QDir().mkpath(dir.Path("elsewhere"));
    dir.Write("elsewhere/victim", "must stay");
    ASSERT_TRUE(QFile::link(dir.Path("elsewhere/victim"), dir.Path("tempfoto.bmp")));
    QString first, second;
    {
        ScratchBitmap a(dir.Path()), b(dir.Path());
        first = a.Path();
        second = b.Path();
        ASSERT_FALSE(first.isEmpty());
        EXPECT_NE(first, second);
        EXPECT_TRUE(QFileInfo(first).fileName().startsWith("tempfoto"));
        EXPECT_TRUE(QFileInfo::exists(first));
    }
    EXPECT_FALSE(QFileInfo::exists(first));
    EXPECT_FALSE(QFileInfo::exists(second));
    EXPECT_EQ(ReadAll(dir.Path("elsewhere/victim")), QByteArray("must stay"));

    // No folder set: the system's temporary one, never the program's (not writable when installed).
    qputenv("TMPDIR", dir.Path("tmp").toLocal8Bit());
    QDir(dir.Path()).mkdir("tmp");
    const QString inTemp = ScratchBitmap(QString()).Path();
    qunsetenv("TMPDIR");
    EXPECT_TRUE(inTemp.startsWith(dir.Path("tmp/tempfoto"))) << inTemp.toStdString();

    ScratchBitmap nowhere(dir.Path("missing/folder"));
    EXPECT_TRUE(nowhere.Path().isEmpty());
    EXPECT_FALSE(nowhere.Error().isEmpty());
}

TEST(StoreCapturedPicture, WritesABitmapOrAJpegAndKeepsTheCaptureWhenTheConversionFails) {
    ScopedTestDir dir;
    HeadlessUi ui;
    CAppSettings settings;
    settings.FastTempPath = dir.Path();
    settings.flgJPG = 0;
    const CImageObject picture = Picture(10, 6, 90);
    EXPECT_TRUE(StoreCapturedPicture(picture, dir.Path("IMG_0000.bmp"), settings, ui).Ok());
    EXPECT_EQ(CImageObject(dir.Path("IMG_0000.bmp")).Type(), IMAGE_BMP);

    settings.flgJPG = 1;
    EXPECT_TRUE(StoreCapturedPicture(picture, dir.Path("IMG_0001.jpg"), settings, ui).Ok());
    EXPECT_EQ(CImageObject(dir.Path("IMG_0001.jpg")).Type(), IMAGE_JPEG);
    EXPECT_TRUE(Scratches(dir.Path()).isEmpty());

    // The album's folder has gone: the capture is kept, and the message says where.
    const StoredPicture failed = StoreCapturedPicture(picture, dir.Path("gone/IMG_0002.jpg"), settings, ui);
    EXPECT_EQ(failed.result, StoredPicture::Result::ConversionFailed);
    EXPECT_FALSE(failed.Ok());
    ASSERT_EQ(Scratches(dir.Path()).size(), 1);
    EXPECT_EQ(failed.kept, dir.Path(Scratches(dir.Path()).front()));
    EXPECT_EQ(CImageObject(failed.kept).GetWidth(), 10);
    EXPECT_EQ(ConversionErrorText(dir.Path("gone/IMG_0002.jpg"), failed),
              "JPEG Convertion Error: " + dir.Path("gone/IMG_0002.jpg") + "\nThe captured picture is kept in " +
                  failed.kept);

    // No scratch folder: nothing is written at all.
    settings.FastTempPath = dir.Path("no/such/folder");
    const StoredPicture unwritten = StoreCapturedPicture(picture, dir.Path("IMG_0003.jpg"), settings, ui);
    EXPECT_EQ(unwritten.result, StoredPicture::Result::WriteFailed);
    EXPECT_FALSE(QFileInfo::exists(dir.Path("IMG_0003.jpg")));
}

TEST(WriteBitmap, GivesTheGrabbersResultCodesAndAWholeBitmapFile) {
    ScopedTestDir dir;
    HeadlessUi ui;
    CImageObject grey;
    grey.Create(5, 3, 8);
    grey.GetImplementation()->MakeGreyPalette(256);
    ASSERT_EQ(WriteBitmap(grey, dir.Path("grey.bmp"), ui), 0);
    const QByteArray file = ReadAll(dir.Path("grey.bmp"));
    ASSERT_GE(file.size(), 54);
    EXPECT_EQ(file.left(2), QByteArray("BM"));
    const auto u32 = [&](int at) { return quint32(quint8(file[at])) | quint32(quint8(file[at + 1])) << 8 |
                                          quint32(quint8(file[at + 2])) << 16 | quint32(quint8(file[at + 3])) << 24; };
    EXPECT_EQ(u32(2), quint32(file.size()));
    EXPECT_EQ(u32(10), 54u + 4 * 256);            // the 256 grey entries lie before the pixels
    EXPECT_EQ(quint8(file[54 + 4 * 200]), 200);    // entry 200 is grey 200, not an index
    EXPECT_EQ(file.size(), 54 + 4 * 256 + 8 * 3);  // rows padded to 32 bits

    EXPECT_EQ(WriteBitmap(CImageObject(), dir.Path("none.bmp"), ui), -3);
    EXPECT_EQ(WriteBitmap(grey, dir.Path("missing/x.bmp"), ui), -2);
    EXPECT_EQ(WriteBitmap(grey, QString(), ui), -1);  // the save dialog was cancelled
    ui.QueuePath(dir.Path("chosen"));
    EXPECT_EQ(WriteBitmap(grey, QString(), ui), 0);
    EXPECT_TRUE(QFileInfo::exists(dir.Path("chosen.bmp")));
}
