#pragma once

#include <QRect>
#include <QString>

#include <QStringList>

class CImageObject;
class QPainter;

// What the picture views draw and say alike.
namespace ViewPainting {

// The view without a picture: a vertical ramp from blue at the top to black, a row at a time.
void PaintBlueRamp(QPainter& painter, const QRect& area);
// Lines of white text from TOPLEFT over a shaded box, readable on any picture.
void DrawInformation(QPainter& painter, const QPoint& topLeft, const QStringList& lines);
// The information box: file, format, colours and size.
QString InformationText(const QString& file, const CImageObject& image);

}  // namespace ViewPainting
