#include <gtest/gtest.h>

#include <QThread>

#include "TestFiles.h"
#include "image/CImageObject.h"
#include "movie/SlidePicture.h"
#include "movie/SlidePrefetcher.h"

namespace {

// A W x H picture saved as PATH, its type by the extension.
void SavePicture(const QString& path, int width, int height) {
    CImageObject picture;
    ASSERT_TRUE(picture.Create(width, height, 24));
    ASSERT_TRUE(picture.Save(path));
}

// PATH, a JPEG, given the camera ORIENTATION in an Exif segment after its start marker.
void SetOrientation(const QString& path, int orientation) {
    const QByteArray tiff = Hex("4949 2A00 08000000 0100 1201 0300 01000000") + char(orientation) +
                            Hex("00 0000 00000000");
    const QByteArray body = QByteArray("Exif\0\0", 6) + tiff;
    const int length = int(body.size()) + 2;
    QByteArray jpeg = ReadAll(path);
    jpeg.insert(2, Hex("FFE1") + char(length >> 8) + char(length) + body);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(jpeg);
}

}  // namespace

TEST(SlidePicture, TheTypeComesFromTheExtensionInLowerCase) {
    EXPECT_EQ(PresentationImageType("a/b.jpg"), IMAGE_JPEG);
    EXPECT_EQ(PresentationImageType("B.JPEG"), IMAGE_JPEG);
    EXPECT_EQ(PresentationImageType("c.Gif"), IMAGE_GIF);
    EXPECT_EQ(PresentationImageType("d.PNG"), IMAGE_PNG);
    EXPECT_EQ(PresentationImageType("e.bmp"), IMAGE_BMP);
    EXPECT_EQ(PresentationImageType("f.DIB"), IMAGE_BMP);
    EXPECT_EQ(PresentationImageType("g.avi"), IMAGE_AVI);
    // The picture library reads XPM, but a presentation does not show it.
    for (const char* other : {"h.xpm", "i.tif", "j.wav", "noextension", "k.", "2024.05/trip"})
        EXPECT_EQ(PresentationImageType(other), IMAGE_NONE) << other;
}

TEST(SlidePicture, ReadsPicturesUprightAtTheirOwnSizeOrFitted) {
    ScopedTestDir dir;
    SavePicture(dir.Path("upper.PNG"), 60, 30);
    const SlidePicture png = LoadSlidePicture(dir.Path("upper.PNG"));
    EXPECT_EQ(png.outcome, SlidePicture::Outcome::Loaded);
    EXPECT_EQ(png.image.size(), QSize(60, 30));
    EXPECT_EQ(LoadSlidePicture(dir.Path("upper.PNG"), {30, 30}).image.size(), QSize(30, 15));
    EXPECT_EQ(LoadSlidePicture(dir.Path("upper.PNG"), {240, 240}).image.size(), QSize(240, 120));

    SavePicture(dir.Path("side.jpg"), 48, 32);
    SetOrientation(dir.Path("side.jpg"), 6);
    EXPECT_EQ(LoadSlidePicture(dir.Path("side.jpg")).image.size(), QSize(32, 48));
    EXPECT_EQ(LoadSlidePicture(dir.Path("side.jpg"), {100, 100}).image.size(), QSize(66, 100));
}

TEST(SlidePicture, AnUnknownTypeIsNotReadAndABadFileIsUnreadable) {
    ScopedTestDir dir;
    SavePicture(dir.Path("picture.png"), 8, 8);
    QFile::copy(dir.Path("picture.png"), dir.Path("picture.xpm"));
    EXPECT_EQ(LoadSlidePicture(dir.Path("picture.xpm")).outcome,
              SlidePicture::Outcome::UnknownType);
    dir.Write("broken.jpg", "not a picture at all");
    for (const QSize fit : {QSize(), QSize(100, 100)}) {
        const SlidePicture broken = LoadSlidePicture(dir.Path("broken.jpg"), fit);
        EXPECT_EQ(broken.outcome, SlidePicture::Outcome::Unreadable);
        EXPECT_TRUE(broken.image.isNull());
        EXPECT_EQ(LoadSlidePicture(dir.Path("missing.png"), fit).outcome,
                  SlidePicture::Outcome::Unreadable);
    }
}

// Pictures are read on a worker; one read ahead is not read again, unless its file changed.
TEST(SlidePrefetcher, ReadsAheadOnAWorkerAndKeepsWhatItRead) {
    ScopedTestDir dir;
    SavePicture(dir.Path("a.png"), 20, 10);
    SavePicture(dir.Path("b.png"), 10, 20);
    std::vector<QThread*> threads;
    std::vector<QString> read;
    SlidePrefetcher prefetcher([&](const QString& path, QSize fit) {
        threads.push_back(QThread::currentThread());
        read.push_back(QFileInfo(path).fileName());
        return LoadSlidePicture(path, fit);
    });
    prefetcher.Prefetch(dir.Path("a.png"), {});
    prefetcher.Prefetch(dir.Path("a.png"), {});
    EXPECT_EQ(prefetcher.Take(dir.Path("a.png"), {}).image.size(), QSize(20, 10));
    EXPECT_EQ(prefetcher.Take(dir.Path("b.png"), {}).image.size(), QSize(10, 20));
    EXPECT_EQ(prefetcher.Take(dir.Path("a.png"), {}).image.size(), QSize(20, 10));
    EXPECT_EQ(prefetcher.Take(dir.Path("a.png"), {5, 5}).image.size(), QSize(5, 2));
    ASSERT_EQ(read, (std::vector<QString>{"a.png", "b.png", "a.png"}));
    for (QThread* thread : threads) EXPECT_NE(thread, QThread::currentThread());

    SavePicture(dir.Path("a.png"), 30, 10);
    EXPECT_EQ(prefetcher.Take(dir.Path("a.png"), {}).image.size(), QSize(30, 10));
    EXPECT_EQ(read.size(), 4u);
}
