#pragma once

#include "OverlayWindows.h"

#include <QColor>
#include <QImage>
#include <QSize>

class QPainter;

// How the overlay window's picture is made without an overlay board: the window's own drawing
// (key colour, ruler, plane) first, then the video wherever that drawing has exactly the key
// colour, as a board keys it in.
namespace OverlayCompositor {

// Ticks every 10 pixels along the four edges, 7 pixels long (3 to 9 from the edge), every
// hundredth 17 long (3 to 19); those along the top are labelled with their x just right of the
// tick at y = 21, those along the left with their y at x = 10 just above it.
void DrawRuler(QPainter& painter, QSize client, const QColor& colour);

// BACKGROUND with VIDEO shown in its pixels of exactly KEY; where no video falls the key stays.
QImage KeyIn(const QImage& background, QRgb key, const OverlayPicture& video);

}  // namespace OverlayCompositor
