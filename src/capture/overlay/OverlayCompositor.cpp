#include "OverlayCompositor.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int kStep = 10;
constexpr int kLongEvery = 100;
constexpr int kTickStart = 3;
constexpr int kShortEnd = 9;   // last pixel of a short tick
constexpr int kLongEnd = 19;   // last pixel of a long one
constexpr int kTopLabelY = 21;
constexpr int kLeftLabelX = 10;
constexpr int kLabelPixels = 10;

}  // namespace

namespace OverlayCompositor {

void DrawRuler(QPainter& painter, QSize client, const QColor& colour) {
    const int w = client.width(), h = client.height();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(colour, 1));
    painter.setBackgroundMode(Qt::TransparentMode);
    QFont font = painter.font();
    font.setPixelSize(kLabelPixels);
    // Smoothed edges would blend with the key colour into pixels that are neither ruler nor video.
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    for (int x = kStep; x <= w - kStep; x += kStep) {
        const int end = x % kLongEvery == 0 ? kLongEnd : kShortEnd;
        painter.drawLine(x, kTickStart, x, end);
        painter.drawLine(x, h - 1 - kTickStart, x, h - 1 - end);
        if (end == kLongEnd) painter.drawText(x + 2, kTopLabelY + metrics.ascent(), QString::number(x));
    }
    for (int y = kStep; y <= h - kStep; y += kStep) {
        const int end = y % kLongEvery == 0 ? kLongEnd : kShortEnd;
        painter.drawLine(kTickStart, y, end, y);
        painter.drawLine(w - 1 - kTickStart, y, w - 1 - end, y);
        if (end == kLongEnd) painter.drawText(kLeftLabelX, y - 2 - metrics.descent(), QString::number(y));
    }
    painter.restore();
}

QImage KeyIn(const QImage& background, QRgb key, const OverlayPicture& video) {
    QImage shown = background.convertToFormat(QImage::Format_RGB32);
    if (video.image.isNull() || shown.isNull()) return shown;
    // The video as the board would show it over the whole window, the key where it does not reach.
    QImage layer(shown.size(), QImage::Format_RGB32);
    layer.fill(key);
    {
        QPainter painter(&layer);
        const QRect destination = video.destination.isNull() ? layer.rect() : video.destination;
        const QRect source = video.source.isNull() ? video.image.rect() : video.source;
        painter.drawImage(destination, video.image, source);
    }
    const QRgb keyRgb = key | 0xff000000u;
    for (int y = 0; y < shown.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(shown.scanLine(y));
        const auto* under = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
        for (int x = 0; x < shown.width(); ++x)
            if (row[x] == keyRgb) row[x] = under[x];
    }
    return shown;
}

}  // namespace OverlayCompositor
