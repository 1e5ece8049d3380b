#include "capture/sane/PhotoSplitter.h"

#include <QPainter>
#include <gtest/gtest.h>

TEST(PhotoSplitter, FindsEachPhotoOnTheLidAndLeavesSpecksOut) {
    // 100 dpi: two photos of more than a square inch, a speck and a faint lid shadow.
    QImage glass(600, 400, QImage::Format_RGB888);
    glass.fill(Qt::white);
    QPainter painter(&glass);
    painter.fillRect(QRect(300, 40, 200, 150), QColor(20, 120, 200));
    painter.fillRect(QRect(50, 200, 150, 120), QColor(200, 30, 30));
    painter.fillRect(QRect(400, 300, 30, 30), Qt::black);
    painter.fillRect(QRect(0, 390, 600, 10), QColor(240, 240, 240));
    painter.end();
    const CImageObject scan = ImageFromQImage(glass);

    const std::vector<QRect> photos = FindPhotos(scan, 100);
    ASSERT_EQ(photos.size(), 2u);
    // In reading order, the boxes within the one-cell rounding of the photos.
    EXPECT_TRUE(photos[0].contains(QRect(300, 40, 200, 150)));
    EXPECT_TRUE(QRect(296, 36, 208, 158).contains(photos[0]));
    EXPECT_TRUE(photos[1].contains(QRect(50, 200, 150, 120)));

    const CImageObject piece = CropPicture(scan, photos[1]);
    ASSERT_TRUE(piece.IsValid());
    EXPECT_EQ(piece.GetWidth(), photos[1].width());
    EXPECT_EQ(piece.MakeBitmap().pixel(100 - photos[1].left(), 250 - photos[1].top()), qRgb(200, 30, 30));

    // A grey scan works the same; a blank lid has no photos.
    const CImageObject grey = ImageFromQImage(glass.convertToFormat(QImage::Format_Grayscale8));
    EXPECT_EQ(FindPhotos(grey, 100).size(), 2u);
    QImage blank(300, 300, QImage::Format_RGB888);
    blank.fill(Qt::white);
    EXPECT_TRUE(FindPhotos(ImageFromQImage(blank), 100).empty());
}
