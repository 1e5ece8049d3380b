// The image view's painting, scrolling, pixel readout and selection.
#include "CImgView.h"

#include "ViewPainting.h"

#include "image/ImageDescription.h"

#include "platform/UiServices.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

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
    const QSize picture(m_image.GetWidth(), m_image.GetHeight());
    const QSize area = viewport()->size();
    const QSize drawn = m_image.IsValid() && !Stretched() ? m_zoom.Drawn(picture, area) : QSize(0, 0);
    horizontalScrollBar()->setRange(0, std::max(0, drawn.width() - area.width()));
    verticalScrollBar()->setRange(0, std::max(0, drawn.height() - area.height()));
    horizontalScrollBar()->setPageStep(area.width());
    verticalScrollBar()->setPageStep(area.height());
    UpdateOrigin();
}

void CImgView::UpdateOrigin() {
    if (!m_image.IsValid() || Stretched()) {
        m_origin = QPoint(0, 0);
    } else {
        const QSize area = viewport()->size();
        m_origin = ImageZoom::Origin(m_zoom.Drawn(QSize(m_image.GetWidth(), m_image.GetHeight()), area), area,
                                     QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()));
    }
    // The rectangle on the screen moves and scales with the picture under it; a drag in progress
    // keeps its own.
    if (!m_tracker.Dragging()) m_tracker.SetRect(ToWindow(m_selection));
}

QRect CImgView::PictureArea() const {
    return QRect(m_origin, Stretched() ? viewport()->size()
                                       : m_zoom.Drawn(QSize(m_image.GetWidth(), m_image.GetHeight()), viewport()->size()));
}

QRect CImgView::ToWindow(const QRect& picture) const {
    if (picture.isEmpty()) return {};
    const QRect drawn = PictureArea();
    const double sx = double(drawn.width()) / m_image.GetWidth(), sy = double(drawn.height()) / m_image.GetHeight();
    const auto x = [&](int px) { return drawn.left() + int(std::lround(px * sx)); };
    const auto y = [&](int py) { return drawn.top() + int(std::lround(py * sy)); };
    return QRect(QPoint(x(picture.left()), y(picture.top())), QPoint(x(picture.left() + picture.width()) - 1,
                                                                     y(picture.top() + picture.height()) - 1));
}

QRect CImgView::ToPicture(const QRect& window) const {
    if (window.isEmpty() || !m_image.IsValid()) return {};
    const QRect drawn = PictureArea();
    const double sx = double(drawn.width()) / m_image.GetWidth(), sy = double(drawn.height()) / m_image.GetHeight();
    const auto x = [&](int wx) { return int(std::lround((wx - drawn.left()) / sx)); };
    const auto y = [&](int wy) { return int(std::lround((wy - drawn.top()) / sy)); };
    const QRect picture(QPoint(x(window.left()), y(window.top())), QPoint(x(window.left() + window.width()) - 1,
                                                                          y(window.top() + window.height()) - 1));
    // Only the picture can be selected.
    return picture & QRect(0, 0, m_image.GetWidth(), m_image.GetHeight());
}

void CImgView::TakeSelectionFromTracker() {
    m_selection = ToPicture(m_tracker.Rect());
    if (!m_tracker.Dragging()) m_tracker.SetRect(ToWindow(m_selection));
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
        const double scale = Scale();
        // Reductions are smooth; enlargements show the pixels as they are.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, scale < 1 && !Stretched());
        painter.drawImage(PictureArea(), m_bitmap);
        m_tracker.Paint(painter);
        if (s_showInfo)
            ViewPainting::DrawInformation(painter, QPoint(5, 0),
                      {m_fileName, QStringLiteral("File type=%1").arg(ImageDescription::TypeName(m_image.Type())),
                       QStringLiteral("Dimension: width= %1, height= %2").arg(m_image.GetWidth()).arg(m_image.GetHeight()),
                       QStringLiteral("Colour: %1").arg(ImageDescription::Colours(m_image)),
                       QStringLiteral("Modified: %1").arg(m_modified ? QStringLiteral("yes") : QStringLiteral("no")),
                       QStringLiteral("Zoom: %1").arg(ZoomText())});
    }
    if (m_focused) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::red);
        painter.drawEllipse(QRect(QPoint(1, 1), QPoint(5, 5)));
    }
}

QString CImgView::ZoomText() const {
    const double scale = Scale();
    if (Stretched()) return QStringLiteral("stretched");
    const QString ratio = scale >= 1 && scale == std::floor(scale) ? QStringLiteral("%1:1").arg(int(scale))
                          : scale < 1 && 1 / scale == std::floor(1 / scale) ? QStringLiteral("1:%1").arg(int(1 / scale))
                                                                             : QStringLiteral("%1%").arg(std::lround(scale * 100));
    return m_zoom.mode == ImageZoom::Mode::Fit ? QStringLiteral("fit, ") + ratio : ratio;
}

QString CImgView::PixelReadout(const QPoint& point) const {
    const double scale = Scale();
    if (scale > 1 && !Stretched()) return {};
    if (!m_image.IsValid()) return QStringLiteral(" ");
    double fx = point.x() - m_origin.x(), fy = point.y() - m_origin.y();
    if (Stretched()) {
        fx = fx * m_image.GetWidth() / std::max(1, viewport()->width());
        fy = fy * m_image.GetHeight() / std::max(1, viewport()->height());
    } else {
        fx /= scale;
        fy /= scale;
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
        if (m_tracker.Move(point)) {
            TakeSelectionFromTracker();
            viewport()->update();
        }
    } else {
        viewport()->setCursor(m_tracker.CursorAt(point));
    }
    m_services.ui.SetStatusText(0, PixelReadout(point));
}

void CImgView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mouseReleaseEvent(event);
    m_tracker.Release();
    TakeSelectionFromTracker();
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
