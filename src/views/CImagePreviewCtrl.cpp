#include "CImagePreviewCtrl.h"

#include <QPainter>

CImagePreviewCtrl::CImagePreviewCtrl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CImagePreviewCtrl::SetCaptions(const QString& top, const QString& bottom) {
    m_top = top;
    m_bottom = bottom;
    update();
}

void CImagePreviewCtrl::SetResult(const ThumbnailLoader::Result& result) {
    m_hasResult = true;
    m_loaded = result.loaded;
    m_image = result.image;
    if (result.loaded) m_info = QString::asprintf("%dx%d pixels\r%d bits", result.width, result.height, result.bpp);
    update();
}

void CImagePreviewCtrl::Clear() {
    m_hasResult = m_loaded = false;
    m_image = QImage();
    update();
}

void CImagePreviewCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // A sunken edge, white inside.
    painter.setPen(palette().dark().color());
    painter.drawLine(0, 0, width() - 1, 0);
    painter.drawLine(0, 0, 0, height() - 1);
    painter.setPen(palette().light().color());
    painter.drawLine(width() - 1, 0, width() - 1, height() - 1);
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
    const QRect area = rect().adjusted(1, 1, -1, -1);
    painter.fillRect(area, Qt::white);
    painter.setClipRect(area);
    if (!m_image.isNull()) {
        QRect target;
        if (m_image.width() < area.width() && m_image.height() < area.height()) {
            target = QRect(QPoint(0, 0), m_image.size());
            target.moveCenter(area.center());
        } else if (m_image.width() - area.width() < m_image.height() - area.height()) {
            const int w = area.height() * m_image.width() / m_image.height();
            target = QRect(area.left() + (area.width() - w) / 2, area.top(), w, area.height());
        } else {
            const int h = area.width() * m_image.height() / m_image.width();
            target = QRect(area.left(), area.top() + (area.height() - h) / 2, area.width(), h);
        }
        painter.drawImage(target, m_image);
    } else if (m_hasResult) {
        painter.setPen(Qt::black);
        painter.drawLine(area.topLeft(), area.bottomRight());
        painter.drawLine(area.topRight(), area.bottomLeft());
    }
    const int line = painter.fontMetrics().height() + painter.fontMetrics().leading();
    // Captions sit on a shaded band, so they read over light and dark pictures alike.
    const auto caption = [&](const QRect& box, const QString& text) {
        const QString shown = painter.fontMetrics().elidedText(text, Qt::ElideLeft, box.width());
        const int width = painter.fontMetrics().horizontalAdvance(shown) + 6;
        QRect band(0, box.top(), std::min(width, area.width()), box.height());
        band.moveCenter(QPoint(box.center().x(), box.center().y()));
        painter.fillRect(band, QColor(0, 0, 0, 140));
        painter.setPen(Qt::white);
        painter.drawText(box, Qt::AlignCenter, shown);
    };
    if (!m_top.isEmpty()) caption(QRect(QPoint(2, 2), QPoint(area.width() / 3, line + 2)), m_top);
    // A path wider than the cell keeps its end, where the file's own name is.
    if (!m_bottom.isEmpty()) caption(QRect(QPoint(2, area.height() - line - 2), QPoint(area.width() - 2, area.height() - 2)), m_bottom);
}
