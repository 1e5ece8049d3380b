#pragma once

#include "DrawTypes.h"

#include <QFont>

class QPainter;

// How the stored pens, brushes and fonts look on a QPainter whose transform maps page units
// (0.01 inch, y up) to the device.
namespace DrawPainting {

// The font size a LOGFONT of height 0 gets: 12 points, in page units.
constexpr int kDefaultFontHeight = 17;
// Widths and font sizes from files are kept to what the dialogs can set.
constexpr std::int32_t kMaxPenWidth = 32767;
constexpr std::int32_t kMaxFontHeight = 32767;

// Sets PEN (none without one) and BRUSH (hollow without one) on PAINTER. Pens have round caps
// and joins; hatched brushes draw their lines over white, as Windows did.
bool Prepare(QPainter& painter, const LogPen* pen, const LogBrush* brush);
// The inset that keeps an inside-frame pen within the object's rectangle.
double InsideFrameInset(const LogPen* pen);
// FONT for text drawn in page units: a negative height is the characters' height, a positive one
// the cell's, 0 the default size. "Arial" and the other Windows faces come through fontconfig.
QFont Font(const LogFont& font);

}  // namespace DrawPainting
