#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include "movie/SlidePainter.h"

namespace {

QImage Solid(int width, int height, Qt::GlobalColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

bool IsBlack(const QColor& c) { return c.red() < 8 && c.green() < 8 && c.blue() < 8; }
bool IsRed(const QColor& c) { return c.red() > 240 && c.green() < 16 && c.blue() < 16; }

// How many pixels of IMAGE inside RECT match TEST.
template <class Test>
int Count(const QImage& image, const QRect& rect, Test test) {
    int n = 0;
    const QRect inside = rect.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) n += test(image.pixelColor(x, y));
    return n;
}

}  // namespace

// Fitted pictures keep their proportions: a portrait picture on a landscape screen has black bars
// left and right, a landscape one on a portrait screen above and below; small ones grow.
TEST(SlidePainter, AFittedPictureKeepsItsProportionsAndIsCentred) {
    EXPECT_EQ(SlidePainter::PictureRect({200, 100}, {40, 80}, true), QRect(75, 0, 50, 100));
    EXPECT_EQ(SlidePainter::PictureRect({100, 200}, {400, 100}, true), QRect(0, 87, 100, 25));
    EXPECT_EQ(SlidePainter::PictureRect({200, 100}, {20, 10}, true), QRect(0, 0, 200, 100));

    const QImage portrait = SlidePainter::Render({200, 100}, {Solid(40, 80, Qt::red), true, {}});
    ASSERT_EQ(portrait.size(), QSize(200, 100));
    for (int y : {0, 50, 99}) {
        EXPECT_TRUE(IsBlack(At(portrait, 5, y))) << y;
        EXPECT_TRUE(IsBlack(At(portrait, 73, y))) << y;
        EXPECT_TRUE(IsRed(At(portrait, 77, y))) << y;
        EXPECT_TRUE(IsRed(At(portrait, 122, y))) << y;
        EXPECT_TRUE(IsBlack(At(portrait, 127, y))) << y;
        EXPECT_TRUE(IsBlack(At(portrait, 195, y))) << y;
    }
    const QImage landscape = SlidePainter::Render({100, 200}, {Solid(400, 100, Qt::red), true, {}});
    EXPECT_TRUE(IsBlack(At(landscape, 50, 80)));
    EXPECT_TRUE(IsRed(At(landscape, 50, 100)));
    EXPECT_TRUE(IsRed(At(landscape, 0, 90)));
    EXPECT_TRUE(IsBlack(At(landscape, 50, 120)));
}

// At its own size a picture is centred along each side it fits in, and shown from the left or
// top edge along one it does not.
TEST(SlidePainter, ANaturalSizePictureIsCentredOrCut) {
    EXPECT_EQ(SlidePainter::PictureRect({100, 50}, {20, 10}, false), QRect(40, 20, 20, 10));
    EXPECT_EQ(SlidePainter::PictureRect({100, 50}, {300, 40}, false), QRect(0, 5, 300, 40));
    EXPECT_EQ(SlidePainter::PictureRect({100, 50}, {60, 90}, false), QRect(20, 0, 60, 90));

    QImage wide = Solid(300, 40, Qt::red);
    for (int y = 0; y < 40; ++y) wide.setPixelColor(0, y, Qt::green);  // its left edge
    const QImage slide = SlidePainter::Render({100, 50}, {wide, false, {}});
    EXPECT_EQ(At(slide, 0, 5), QColor(Qt::green));
    EXPECT_EQ(At(slide, 99, 44), QColor(Qt::red));
    EXPECT_TRUE(IsBlack(At(slide, 50, 4)));
    EXPECT_TRUE(IsBlack(At(slide, 50, 45)));

    const QImage small = SlidePainter::Render({100, 50}, {Solid(20, 10, Qt::red), false, {}});
    EXPECT_EQ(Count(small, small.rect(), IsRed), 200);
    EXPECT_EQ(Count(small, QRect(40, 20, 20, 10), IsRed), 200);
}

// Without a picture: row y of h is pure blue of 255 - 255y/h, and the error text in black on
// white at (5, 16).
TEST(SlidePainter, WithoutAPictureTheBlueFadesAndTheErrorIsWritten) {
    const QImage slide = SlidePainter::Render({400, 256}, {QImage(), false, {}});
    for (int y : {0, 1, 100, 128, 200, 255})
        EXPECT_EQ(At(slide, 390, y), QColor(0, 0, 255 - 255 * y / 256)) << y;

    const QRect text(5, 16, 150, 10);
    EXPECT_GT(Count(slide, text, [](const QColor& c) { return c == Qt::white; }), 100);
    EXPECT_GT(Count(slide, text, IsBlack), 10);
    EXPECT_EQ(Count(slide, QRect(0, 0, 400, 16), [](const QColor& c) { return c == Qt::white; }),
              0);
    EXPECT_EQ(Count(slide, QRect(0, 0, 4, 256), [](const QColor& c) { return c == Qt::white; }), 0);
}

// The name and description go over the picture in white outlined in black, inside the text
// rectangle; the error slide has none.
TEST(SlidePainter, InformationIsWrittenOverAPictureOnly) {
    const QString info = QStringLiteral("Beach\nThe long afternoon\tat the sea");
    const Slide plain{Solid(800, 400, Qt::gray), false, {}};
    Slide written = plain;
    written.info = info;
    const QImage before = SlidePainter::Render({800, 400}, plain);
    const QImage after = SlidePainter::Render({800, 400}, written);
    const auto white = [](const QColor& c) { return c == Qt::white; };
    EXPECT_GT(Count(after, SlidePainter::kTextRect, white), 20);
    EXPECT_GT(Count(after, SlidePainter::kTextRect, IsBlack), 20);
    EXPECT_EQ(Count(before, SlidePainter::kTextRect, white), 0);
    // Nothing beyond the rectangle (and the outline around it) changes.
    const QRect outside = SlidePainter::kTextRect.adjusted(0, 0, 5, 5);
    for (int y = 0; y < 400; y += 3)
        for (int x = 0; x < 800; x += 3)
            if (!outside.contains(x, y)) {
                ASSERT_EQ(At(after, x, y), At(before, x, y)) << x << "," << y;
            }

    const QImage error =
        SlidePainter::Render({800, 400}, {QImage(), false, QString(200, QLatin1Char('W'))});
    EXPECT_EQ(error, SlidePainter::Render({800, 400}, {QImage(), false, {}}));
}
