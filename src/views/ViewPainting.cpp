#include "ViewPainting.h"

#include "image/CImageObject.h"

#include <QPainter>
#include <QStringList>

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

void DrawInformation(QPainter& painter, const QPoint& topLeft, const QStringList& lines) {
    // A shaded box keeps white text readable on light pictures as on dark ones.
    const QFontMetrics metrics = painter.fontMetrics();
    int width = 0;
    for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
    const int pitch = std::max(16, metrics.height());
    painter.fillRect(QRect(topLeft - QPoint(4, 0), QSize(width + 8, pitch * int(lines.size()) + 4)), QColor(0, 0, 0, 150));
    painter.setPen(Qt::white);
    int y = topLeft.y() + 2;
    for (const QString& line : lines) {
        painter.drawText(QRect(topLeft.x(), y, width + 4, pitch), Qt::AlignLeft | Qt::AlignVCenter, line);
        y += pitch;
    }
}

}  // namespace ViewPainting
