#pragma once

#include <QRect>
#include <QString>

class CImageObject;
class QPainter;

// What the picture views draw and say alike.
namespace ViewPainting {

// The view without a picture: a vertical ramp from blue at the top to black, a row at a time.
void PaintBlueRamp(QPainter& painter, const QRect& area);
// The information box: file, format, colours and size.
QString InformationText(const QString& file, const CImageObject& image);

}  // namespace ViewPainting
