#include "SvgPicture.h"

#include <QLabel>
#include <QPainter>
#include <QSvgRenderer>

QPixmap SvgPixmap(const QString& resource, QSize size, qreal devicePixelRatio) {
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(), size));
    return pixmap;
}

QLabel* SvgLabel(const QString& resource, QSize size) {
    auto* label = new QLabel;
    label->setPixmap(SvgPixmap(resource, size, label->devicePixelRatioF()));
    label->setFixedSize(size);
    return label;
}
