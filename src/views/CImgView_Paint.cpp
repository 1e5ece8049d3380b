// The image view's painting, scrolling, pixel readout and selection.
#include "CImgView.h"

#include "ViewPainting.h"

#include "platform/UiServices.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace {

// Lines of text, white, each 16 pixels below the last, from (X, Y).
void DrawLines(QPainter& painter, int x, int y, const QStringList& lines) {
    painter.setPen(Qt::white);
    for (const QString& line : lines) {
        painter.drawText(QRect(x, y, 4000, 16), Qt::AlignLeft | Qt::AlignTop, line);
        y += 16;
    }
}

}  // namespace

void CImgView::UpdateScrollBars() {
    const QSize zoomed = m_image.IsValid() && !m_stretch
                             ? QSize(m_image.GetWidth() * m_zoom, m_image.GetHeight() * m_zoom)
                             : QSize(0, 0);
    const QSize area = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, zoomed.width() - area.width()));
    verticalScrollBar()->setRange(0, std::max(0, zoomed.height() - area.height()));
    horizontalScrollBar()->setPageStep(area.width());
    verticalScrollBar()->setPageStep(area.height());
    UpdateOrigin();
}

void CImgView::UpdateOrigin() {
    if (!m_image.IsValid() || m_stretch) {
        m_origin = QPoint(0, 0);
        return;
    }
    // Centred in each direction where the window is at least as large as the picture.
    const QSize zoomed(m_image.GetWidth() * m_zoom, m_image.GetHeight() * m_zoom);
    const QSize area = viewport()->size();
    m_origin.setX(area.width() >= zoomed.width() ? (area.width() - zoomed.width()) / 2
                                                 : -horizontalScrollBar()->value());
    m_origin.setY(area.height() >= zoomed.height() ? (area.height() - zoomed.height()) / 2
                                                   : -verticalScrollBar()->value());
}

void CImgView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CImgView::scrollContentsBy(int, int) {
    UpdateOrigin();
    viewport()->update();
}

void CImgView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QRect area = viewport()->rect();
    if (!m_image.IsValid()) {
        ViewPainting::PaintBlueRamp(painter, area);
        DrawLines(painter, 5, 16 - painter.fontMetrics().ascent(), {QStringLiteral("No image loaded")});
        DrawLines(painter, 5, 32 - painter.fontMetrics().ascent(), m_message.split('\n'));
    } else {
        painter.fillRect(area, Qt::black);
        UpdateOrigin();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        if (m_stretch) {
            painter.drawImage(area, m_bitmap);
        } else {
            const QRect target(m_origin, QSize(m_image.GetWidth() * m_zoom, m_image.GetHeight() * m_zoom));
            painter.drawImage(target, m_bitmap);
            if (m_zoom == 1) m_tracker.Paint(painter);
        }
        if (s_showInfo)
            DrawLines(painter, 5, 0,
                      {m_fileName, QStringLiteral("File type=%1").arg(m_image.Type()),
                       QStringLiteral("Dimension: width= %1, height= %2").arg(m_image.GetWidth()).arg(m_image.GetHeight()),
                       QStringLiteral("Colour: depth=%1, type=%2").arg(m_image.GetBitsPerPixel()).arg(m_image.GetColorType()),
                       QStringLiteral("Modified: %1").arg(m_modified ? QStringLiteral("yes") : QStringLiteral("no")),
                       QStringLiteral("Zoom: %1:1").arg(m_zoom)});
    }
    if (m_focused) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::red);
        painter.drawEllipse(QRect(QPoint(1, 1), QPoint(5, 5)));
    }
}

QString CImgView::PixelReadout(const QPoint& point) const {
    if (m_zoom > 1) return {};
    if (!m_image.IsValid()) return QStringLiteral(" ");
    double fx = point.x() - m_origin.x(), fy = point.y() - m_origin.y();
    if (m_stretch) {
        fx = fx * m_image.GetWidth() / std::max(1, viewport()->width());
        fy = fy * m_image.GetHeight() / std::max(1, viewport()->height());
    }
    const int x = int(fx), y = int(fy);
    if (fx < 0 || fy < 0 || !m_image.Inside(x, y)) return QStringLiteral(" ");
    const int row = m_image.GetHeight() - 1 - y;
    QString text = QString::asprintf("X = %.0f Y = %.0f  Idx=%d", fx, fy, m_image.GetPixelIndex(x, row) & 0xFF);
    std::uint8_t r, g, b;
    if (m_image.GetPixelColor(x, row, r, g, b)) text += QString::asprintf("  RGB = (%d, %d, %d)", r, g, b);
    return text;
}

void CImgView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    m_tracker.Press(event->position().toPoint());
    viewport()->update();
}

void CImgView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (m_tracker.Dragging()) {
        if (m_tracker.Move(point)) viewport()->update();
    } else {
        viewport()->setCursor(m_tracker.CursorAt(point));
    }
    m_services.ui.SetStatusText(0, PixelReadout(point));
}

void CImgView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mouseReleaseEvent(event);
    m_tracker.Release();
    viewport()->update();
}

void CImgView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    m_focused = true;
    viewport()->update(QRect(0, 0, 8, 8));
}

void CImgView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    m_focused = false;
    viewport()->update(QRect(0, 0, 8, 8));
}
