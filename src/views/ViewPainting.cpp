#include "ViewPainting.h"

#include "image/CImageObject.h"

#include <QPainter>

namespace ViewPainting {

void PaintBlueRamp(QPainter& painter, const QRect& area) {
    const int h = std::max(1, area.height());
    for (int y = 0; y < area.height(); ++y)
        painter.fillRect(QRect(area.left(), area.top() + y, area.width(), 1), QColor(0, 0, 255 - (y * 255) / h));
}

QString InformationText(const QString& file, const CImageObject& image) {
    return QStringLiteral("File:\t%1\rFormat:\t%2\rColor:\tdepth=%3, type=%4\rDim.:\twidth= %5, height= %6\r")
        .arg(file)
        .arg(image.Type())
        .arg(image.GetBitsPerPixel())
        .arg(image.GetColorType())
        .arg(image.GetWidth())
        .arg(image.GetHeight());
}

}  // namespace ViewPainting
