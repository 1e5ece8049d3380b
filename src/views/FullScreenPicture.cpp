#include "FullScreenPicture.h"

#include <QKeyEvent>
#include <QPainter>

FullScreenPicture::FullScreenPicture(QWidget* owner) : QWidget(owner, Qt::Window | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::BlankCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void FullScreenPicture::SetPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

void FullScreenPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (m_picture.isNull()) return;
    // Whole and in proportion; a picture smaller than the screen keeps its own size.
    QSize size = m_picture.size();
    if (size.width() > width() || size.height() > height()) size.scale(this->size(), Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size), m_picture);
}

void FullScreenPicture::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_F11: close(); return;
        case Qt::Key_Space:
        case Qt::Key_PageDown:
        case Qt::Key_Right:
            if (step) step(+1);
            return;
        case Qt::Key_Backspace:
        case Qt::Key_PageUp:
        case Qt::Key_Left:
            if (step) step(-1);
            return;
        default: QWidget::keyPressEvent(event);
    }
}

void FullScreenPicture::mouseDoubleClickEvent(QMouseEvent*) { close(); }
