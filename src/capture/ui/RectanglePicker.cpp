#include "RectanglePicker.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

RectanglePicker::RectanglePicker(const QImage& frozen, const Feedback& feedback)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::BypassWindowManagerHint),
      m_frozen(frozen), m_feedback(feedback) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
}

std::optional<QRect> RectanglePicker::Pick(const QImage& frozen, const Feedback& feedback) {
    RectanglePicker picker(frozen, feedback);
    // The X screen's pixels start at the virtual desktop's corner.
    picker.setGeometry(QGuiApplication::primaryScreen()->virtualGeometry());
    picker.show();
    picker.activateWindow();
    picker.grabMouse();
    picker.grabKeyboard();
    QEventLoop loop;
    while (!picker.m_done && picker.isVisible()) loop.processEvents(QEventLoop::WaitForMoreEvents);
    picker.releaseMouse();
    picker.releaseKeyboard();
    return picker.m_result;
}

void RectanglePicker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_frozen);
    // Drawn in difference, so the band shows on any picture, as an inverted one would.
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    painter.setPen(Qt::white);
    painter.drawText(rect().adjusted(4, 4, -4, -4), Qt::AlignLeft | Qt::AlignTop, m_text);
    if (!m_started) return;
    const QRect band = Band();
    painter.drawRect(band.adjusted(0, 0, -1, -1));
    painter.drawText(band, Qt::AlignCenter, QStringLiteral("%1x%2").arg(band.width()).arg(band.height()));
}

void RectanglePicker::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton || m_started) return;
    m_started = true;
    m_start = m_end = event->globalPosition().toPoint();
    update();
}

void RectanglePicker::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->globalPosition().toPoint();
    if (!m_started) {
        m_text = QStringLiteral("[%1, %2]").arg(at.x()).arg(at.y());
    } else {
        m_end = at;
        const QRect band = Band();
        m_text = QStringLiteral("[%1, %2, %3, %4] [%5 x %6]")
                     .arg(band.left()).arg(band.top()).arg(band.right() + 1).arg(band.bottom() + 1)
                     .arg(band.width()).arg(band.height());
    }
    if (m_feedback) m_feedback(m_text);
    update();
}

void RectanglePicker::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton || (event->button() == Qt::LeftButton && m_started)) {
        m_end = event->globalPosition().toPoint();
        Finish(true);
    } else if (event->button() == Qt::LeftButton) {
        Finish(false);
    }
}

void RectanglePicker::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) Finish(false);
}

void RectanglePicker::Finish(bool withRectangle) {
    if (withRectangle && m_started) m_result = Band();
    m_done = true;
    hide();
}
