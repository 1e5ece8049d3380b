#pragma once

#include <QImage>
#include <QRect>
#include <QString>

class QPainter;

// What one slide shows.
struct Slide {
    QImage picture;  // null: the error slide
    bool fit = false;
    QString info;  // written over a picture when not empty
};

// How the presentation paints a slide, on the window or on any image.
namespace SlidePainter {

inline constexpr QRect kTextRect{0, 0, 600, 200};
inline const QString kNoImageText = QStringLiteral("No image or image error");

// Where a picture of size PICTURE lands in AREA: with FIT scaled in proportion to fill one side
// and centred; else at its own size, centred along each side it fits in, from the left or top
// edge along one it does not (the rest is cut off).
QRect PictureRect(QSize area, QSize picture, bool fit);

// Paints SLIDE over AREA with the painter's font: the picture on black with the information text
// over it, white with a dark outline so that it reads on any picture; without a picture a blue
// fading to black from the top, and the error text alone.
void Paint(QPainter& painter, QSize area, const Slide& slide);

// The information text at the top left, white with a dark outline.
void PaintInfo(QPainter& painter, const QString& info);
// The same on a frame that is kept, as a movie's: the text grows with the frame's height and
// stands clear of its edges.
void PaintFrameInfo(QPainter& painter, QSize frame, const QString& info);

// SLIDE painted on an image of SIZE.
QImage Render(QSize size, const Slide& slide);

}  // namespace SlidePainter
