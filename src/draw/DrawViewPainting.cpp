#include "DrawViewPainting.h"

#include <QPainter>

namespace DrawViewPainting {

int Mapping::WindowExtent(int zoom) {
    switch (zoom) {
        case Zoom2to1: return 50;
        case Zoom3to1: return 33;
        case Zoom1to2: return 200;
        case Zoom1to3: return 300;
        default: return 100;
    }
}

QTransform Mapping::PageToDevice() const {
    const double extent = WindowExtent(zoom);
    double originX = -(width / 2), originY = height / 2;
    if (zoom == Zoom1to2) {
        originX -= 50;
        originY += 10;
    } else if (zoom == Zoom1to3) {
        originX -= 50;
        originY += 50;
    }
    const double sx = ppiX / extent, sy = ppiY / extent;
    // device = (page - origin) scaled, y turned downwards.
    return QTransform(sx, 0, 0, -sy, -originX * sx, originY * sy);
}

QSize Mapping::ScrollSize() const {
    const int factor = zoom == Zoom2to1 || zoom == Zoom3to1 ? 3 : 1;
    return QSize(int(std::lround(double(width) * ppiX / 100)) * factor, int(std::lround(double(height) * ppiY / 100)) * factor);
}

namespace {

// One-pixel lines whatever the zoom.
QPen Hairline(ColorRef color, Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(ToQColor(color), 0, style);
    pen.setCosmetic(true);
    return pen;
}

void PaintGrid(QPainter& painter, double w, double h) {
    painter.setPen(Hairline(kGridColor, Qt::DashDotLine));
    painter.drawLine(QPointF(-w / 2, 0), QPointF(w / 2, 0));
    painter.drawLine(QPointF(0, -h / 2), QPointF(0, h / 2));
    painter.setPen(Hairline(kGridColor, Qt::DotLine));
    // Inch lines from the first whole inch inside the page, the axes left out.
    for (int x = int(-w / 200) * 100; x <= w / 2; x += 100)
        if (x != 0) painter.drawLine(QPointF(x, -h / 2), QPointF(x, h / 2));
    for (int y = int(-h / 200) * 100; y <= h / 2; y += 100)
        if (y != 0) painter.drawLine(QPointF(-w / 2, y), QPointF(w / 2, y));
}

}  // namespace

void Paint(QPainter& painter, const DrawPage& page, const Mapping& mapping, const QRect& deviceArea, const Options& options) {
    painter.save();
    painter.fillRect(deviceArea, ToQColor(kSurround));
    const QTransform toDevice = mapping.PageToDevice();
    painter.setTransform(toDevice, true);
    const double w = page.pageWidth / 2 * 2, h = page.pageHeight / 2 * 2;
    const QRectF paper(-w / 2, -h / 2, w, h);
    // The drop shadow, 10 units wide below and right of the page.
    painter.fillRect(QRectF(paper.right(), paper.top() - 10, 10, paper.height()), Qt::black);
    painter.fillRect(QRectF(paper.left() + 10, paper.top() - 10, paper.width(), 10), Qt::black);
    painter.fillRect(paper, ToQColor(page.paperColor));
    if (options.grid) PaintGrid(painter, w, h);
    painter.setPen(Hairline(0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(paper);
    if (options.grid) {
        painter.setPen(Hairline(kGridColor));
        painter.drawEllipse(QPointF(0, 0), 15, 15);
        painter.drawLine(QPointF(-20, 0), QPointF(20, 0));
        painter.drawLine(QPointF(0, -20), QPointF(0, 20));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF area = toDevice.inverted().mapRect(QRectF(deviceArea));
    page.DrawAll(painter, options.selected, &area);
    painter.restore();
}

}  // namespace DrawViewPainting
