// Pictures (raster files) that image links show.
#include "DrawTestSupport.h"
#include "TestFiles.h"
#include "draw/LinkPicture.h"
#include "image/ImageLibrary.h"
#include "image/ImageTestSupport.h"

#include <QDateTime>
#include <gtest/gtest.h>
#include <thread>

namespace {

bool HaveImageMagick() { return !RunTool("/usr/bin/convert", {"-version"}).isNull(); }

// A 640 x 480 picture on a page shown at half size with its y axis up: the target rectangle
// (20, 40)-(420, 340) in page units lands on the device at (10, 30), 200 x 150.
constexpr QSize kCanvas(260, 200);
const QRectF kTarget(20, 40, 400, 300);
const QRect kOnDevice(10, 30, 200, 150);

}  // namespace

TEST(LinkPicture, JpegOnAYUpPageIsUprightAndAsImageMagickScalesIt) {
    ScopedTestDir dir;
    if (!HaveImageMagick()) GTEST_SKIP() << "needs ImageMagick";
    WriteJpeg(MakeColour(640, 480), dir.Path("photo.jpg"));
    const Painting painting = Paint(dir.Path("photo.jpg"), kCanvas, YUpPage(0.5, kCanvas.height()), kTarget);
    ASSERT_TRUE(painting.drawn) << painting.reason.toStdString();
    EXPECT_LT(MeanDifference(painting.canvas.copy(kOnDevice), ImageMagickPicture(dir.Path("photo.jpg"), kOnDevice.size())), 3);
    // Only the target is painted.
    EXPECT_EQ(painting.canvas.pixel(kOnDevice.left() - 1, kOnDevice.top() - 1), qRgb(255, 255, 255));
    EXPECT_EQ(painting.canvas.pixel(kOnDevice.right() + 1, kOnDevice.bottom() + 1), qRgb(255, 255, 255));

    // A page that is also turned a little goes through the painter's own transform: still upright
    // (the red quarter at the top left).
    const Painting turned = Paint(dir.Path("photo.jpg"), kCanvas, QTransform().rotate(2) * YUpPage(0.5, kCanvas.height()), kTarget);
    ASSERT_TRUE(turned.drawn);
    EXPECT_TRUE(IsRed(turned.canvas.pixel(kOnDevice.left() + 50, kOnDevice.top() + 37)));
    EXPECT_FALSE(IsRed(turned.canvas.pixel(kOnDevice.left() + 150, kOnDevice.top() + 112)));
}

TEST(LinkPicture, ExifOrientationIsApplied) {
    ScopedTestDir dir;
    if (!HaveImageMagick() || RunTool("exiftool", {"-ver"}).isNull()) GTEST_SKIP() << "needs ImageMagick and exiftool";
    const QString file = dir.Path("side.jpg");
    WriteJpeg(MakeColour(300, 200), file);
    ASSERT_FALSE(RunTool("exiftool", {"-q", "-overwrite_original", "-n", "-Orientation=6", file}).isNull());
    // Upright the picture is 200 x 300; drawn at 100 x 150.
    const Painting painting = Paint(file, QSize(100, 150), QTransform::fromScale(0.25, 0.25), QRectF(0, 0, 400, 600));
    ASSERT_TRUE(painting.drawn);
    EXPECT_LT(MeanDifference(painting.canvas, ImageMagickPicture(file, QSize(100, 150))), 3);
}

TEST(LinkPicture, JpegIsDecodedReducedOnceUntilTheFileChanges) {
    ScopedTestDir dir;
    if (!HaveImageMagick()) GTEST_SKIP() << "needs ImageMagick";
    const QString file = dir.Path("photo.jpg");
    WriteJpeg(MakeColour(640, 480), file);
    const auto rowsFor = [&](const QTransform& toDevice) {
        const std::int64_t before = ImageLibrary::DecodedRows();
        EXPECT_TRUE(Paint(file, kCanvas, toDevice, kTarget).drawn);
        return ImageLibrary::DecodedRows() - before;
    };
    const QTransform half = YUpPage(0.5, kCanvas.height());
    // 200 x 150 on the device: decoded at 1/2 (320 x 240), the largest reduction not below it.
    EXPECT_EQ(rowsFor(half), 240);
    EXPECT_EQ(rowsFor(half), 0);
    EXPECT_EQ(rowsFor(QTransform::fromScale(0.5, 0.5)), 0);  // the same device size, y down
    // 100 x 75: decoded at 1/4; larger than the picture: decoded whole, enlarged by the painter.
    EXPECT_EQ(rowsFor(YUpPage(0.25, kCanvas.height())), 120);
    EXPECT_EQ(rowsFor(QTransform::fromScale(2, 2)), 480);

    WriteJpeg(MakeColour(320, 240), file);
    QFile changed(file);
    ASSERT_TRUE(changed.open(QIODevice::ReadWrite));
    ASSERT_TRUE(changed.setFileTime(QDateTime::currentDateTime().addSecs(3600), QFileDevice::FileModificationTime));
    changed.close();
    EXPECT_EQ(rowsFor(half), 240);
    const Painting painting = Paint(file, kCanvas, half, kTarget);
    EXPECT_LT(MeanDifference(painting.canvas.copy(kOnDevice), ImageMagickPicture(file, kOnDevice.size())), 3);
}

// On a high-DPI canvas the picture is made at the canvas's own pixels, as on a plain canvas of
// that many pixels.
TEST(LinkPicture, HighDpiCanvasGetsThePictureAtItsPixelSize) {
    ScopedTestDir dir;
    WriteJpeg(MakeColour(640, 480), dir.Path("photo.jpg"));
    const Painting plain = Paint(dir.Path("photo.jpg"), kCanvas * 2, YUpPage(1, 2 * kCanvas.height()), kTarget);
    const std::int64_t rows = ImageLibrary::DecodedRows();
    const Painting sharp = Paint(dir.Path("photo.jpg"), kCanvas, YUpPage(0.5, kCanvas.height()), kTarget, 2);
    ASSERT_TRUE(sharp.drawn);
    EXPECT_EQ(ImageLibrary::DecodedRows(), rows);
    EXPECT_EQ(sharp.canvas.size(), plain.canvas.size());
    EXPECT_EQ(sharp.canvas, plain.canvas);
}

TEST(LinkPicture, SmallPictureIsEnlargedByThePainter) {
    ScopedTestDir dir;
    if (!HaveImageMagick()) GTEST_SKIP() << "needs ImageMagick";
    WriteJpeg(MakeColour(64, 48), dir.Path("small.jpg"));
    const Painting painting = Paint(dir.Path("small.jpg"), kCanvas, YUpPage(0.5, kCanvas.height()), kTarget);
    ASSERT_TRUE(painting.drawn);
    EXPECT_LT(MeanDifference(painting.canvas.copy(kOnDevice), ImageMagickPicture(dir.Path("small.jpg"), kOnDevice.size())), 6);
}

TEST(LinkPicture, OtherRasterFormatsAreDrawnToo) {
    ScopedTestDir dir;
    CImageObject picture = MakeColour(64, 48);
    for (const char* name : {"p.bmp", "p.png"}) {
        ASSERT_TRUE(picture.Save(dir.Path(name)));
        const Painting painting = Paint(dir.Path(name), QSize(64, 48), QTransform(), QRectF(0, 0, 64, 48));
        ASSERT_TRUE(painting.drawn) << name;
        EXPECT_LT(MeanDifference(ImageFromQImage(painting.canvas), picture), 1) << name;
    }
}

// Paints on several threads at once, of one picture at two sizes, decode and share it safely.
TEST(LinkPicture, PaintsOnSeveralThreadsAgree) {
    ScopedTestDir dir;
    WriteJpeg(MakeColour(640, 480), dir.Path("photo.jpg"));
    const QTransform sizes[2] = {YUpPage(0.5, kCanvas.height()), YUpPage(0.25, kCanvas.height())};
    constexpr int kThreads = 4, kPaints = 10;
    std::vector<QImage> canvases(kThreads * kPaints);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < kPaints; ++i)
                canvases[t * kPaints + i] = Paint(dir.Path("photo.jpg"), kCanvas, sizes[i % 2], kTarget).canvas;
        });
    for (std::thread& thread : threads) thread.join();
    for (int k = 0; k < kThreads * kPaints; ++k)
        EXPECT_EQ(canvases[k], Paint(dir.Path("photo.jpg"), kCanvas, sizes[k % kPaints % 2], kTarget).canvas) << k;
}
