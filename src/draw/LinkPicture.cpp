#include "LinkPicture.h"

#include "image/CImageObject.h"
#include "image/Orientation.h"

#include <QFileInfo>
#include <QPainter>

bool DrawLinkedPicture(QPainter& painter, const QRectF& target, const QString& file, QString* reason) {
    if (!QFileInfo(file).isFile()) {
        if (reason) *reason = QStringLiteral("not a regular file");
        return false;
    }
    const QImage image = CImageObject(file).MakeBitmap();
    if (image.isNull()) return false;
    painter.save();
    painter.translate(target.left(), target.bottom());
    painter.scale(1, -1);
    painter.drawImage(QRectF(0, 0, target.width(), target.height()), image);
    painter.restore();
    return true;
}
