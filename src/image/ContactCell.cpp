#include "ContactCell.h"

#include <QPainter>

void PaintContactCell(QPainter& painter, const QRect& cell, const Thumbnail& thumb, int number,
                      const QString& file, bool info, int lineHeight) {
    if (thumb.image.IsValid()) {
        // In proportion, centred in the cell.
        QRect picture(QPoint(0, 0), QSize(thumb.image.GetWidth(), thumb.image.GetHeight()).scaled(cell.size(), Qt::KeepAspectRatio));
        picture.moveCenter(cell.center());
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(picture, thumb.image.MakeBitmap());
        painter.restore();
    }
    painter.save();
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
    if (info) {
        painter.drawText(QRect(QPoint(cell.x() + 2, cell.y()), QPoint(cell.x() + cell.width() / 3, cell.y() + lineHeight + 2)),
                         Qt::AlignCenter, QString::asprintf("%03d", number));
        painter.drawText(QRect(cell.x(), cell.y() + cell.height(), cell.width(), lineHeight), Qt::AlignCenter,
                         painter.fontMetrics().elidedText(file, Qt::ElideLeft, cell.width()));
        if (!thumb.image.IsValid())
            painter.drawText(QRect(cell.x(), cell.y() + lineHeight + 5, cell.width(), lineHeight), Qt::AlignCenter,
                             QStringLiteral("*Error*"));
    }
    painter.restore();
}
