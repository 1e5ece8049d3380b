#include "SlidePainter.h"

#include <QPainter>

namespace {

// The outline around the information text, in pixels.
constexpr int kOutline = 2;

// A movie frame's text is kInfoPixels high on a frame of up to kInfoLines such lines, and a
// kInfoLines-th of the frame's height on a taller one, with as wide a margin: it reads alike at
// any resolution.
constexpr int kInfoPixels = 12;
constexpr int kInfoLines = 40;

// INFO in BOX, white with a dark outline of OUTLINE pixels so that it reads on any picture.
void PaintOutlined(QPainter& painter, const QRect& box, int outline, const QString& info) {
    constexpr int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;
    painter.setPen(Qt::black);
    for (int dy = -outline; dy <= outline; ++dy)
        for (int dx = -outline; dx <= outline; ++dx)
            if (dx != 0 || dy != 0) painter.drawText(box.translated(dx, dy), flags, info);
    painter.setPen(Qt::white);
    painter.drawText(box, flags, info);
}

void PaintNoImage(QPainter& painter, QSize area) {
    const int h = std::max(1, area.height());
    for (int y = 0; y < area.height(); ++y)
        painter.fillRect(0, y, area.width(), 1, QColor(0, 0, 255 - 255 * y / h));
    // The text sits in a box of the default colours, black on white, at (5, 16) from the top.
    const QFontMetrics metrics = painter.fontMetrics();
    const QPoint topLeft(5, 16);
    painter.fillRect(QRect(topLeft, QSize(metrics.horizontalAdvance(SlidePainter::kNoImageText),
                                          metrics.height())),
                     Qt::white);
    painter.setPen(Qt::black);
    painter.drawText(topLeft + QPoint(0, metrics.ascent()), SlidePainter::kNoImageText);
}

}  // namespace

namespace SlidePainter {

void PaintInfo(QPainter& painter, const QString& info) {
    // Moved in by the outline's width, so that the outline is not cut off at the screen's edge.
    PaintOutlined(painter, kTextRect.translated(kOutline, kOutline), kOutline, info);
}

void PaintFrameInfo(QPainter& painter, QSize frame, const QString& info) {
    const int pixels = std::max(kInfoPixels, frame.height() / kInfoLines);
    const double scale = double(pixels) / kInfoPixels;
    const int margin = std::max(kOutline, frame.height() / kInfoLines);
    painter.save();
    QFont font = painter.font();
    font.setPixelSize(pixels);
    painter.setFont(font);
    const int width = std::min(int(kTextRect.width() * scale), frame.width() - 2 * margin);
    const QRect box(margin, margin, std::max(1, width), int(kTextRect.height() * scale));
    PaintOutlined(painter, box, std::max(kOutline, pixels / 10), info);
    painter.restore();
}

QRect PictureRect(QSize area, QSize picture, bool fit) {
    if (fit) {
        const QSize size = picture.scaled(area, Qt::KeepAspectRatio);
        return QRect(QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2),
                     size);
    }
    const int x = area.width() >= picture.width() ? (area.width() - picture.width()) / 2 : 0;
    const int y = area.height() >= picture.height() ? (area.height() - picture.height()) / 2 : 0;
    return QRect(QPoint(x, y), picture);
}

void Paint(QPainter& painter, QSize area, const Slide& slide) {
    painter.save();
    if (slide.picture.isNull()) {
        PaintNoImage(painter, area);
        painter.restore();
        return;
    }
    painter.fillRect(QRect(QPoint(0, 0), area), Qt::black);
    const QRect target = PictureRect(area, slide.picture.size(), slide.fit);
    if (target.size() == slide.picture.size()) {
        painter.drawImage(target.topLeft(), slide.picture);
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, slide.picture);
    }
    if (!slide.info.isEmpty()) PaintInfo(painter, slide.info);
    painter.restore();
}

QImage Render(QSize size, const Slide& slide) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    Paint(painter, size, slide);
    return image;
}

}  // namespace SlidePainter
