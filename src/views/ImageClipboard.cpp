#include "ImageClipboard.h"

#include "image/CImageObject.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QSvgGenerator>

namespace ImageClipboard {

void CopyWholeImage(const CImageObject& image) {
    const QImage bitmap = image.MakeBitmap();
    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setSize(bitmap.size());
    generator.setViewBox(QRect(QPoint(0, 0), bitmap.size()));
    generator.setResolution(100);
    generator.setTitle(QStringLiteral("Albora"));
    {
        QPainter painter(&generator);
        painter.drawImage(QPoint(0, 0), bitmap);
    }
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/svg+xml"), svg.data());
    data->setImageData(bitmap);
    QGuiApplication::clipboard()->setMimeData(data);
}

void CopyBitmap(const CImageObject& image) { QGuiApplication::clipboard()->setImage(image.MakeBitmap()); }

}  // namespace ImageClipboard
