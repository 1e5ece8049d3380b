#include "OverlayWindow.h"

#include "album/CAppSettings.h"
#include "platform/UiServices.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>

namespace {
constexpr int kFrameMs = 66;
// The stored size comes from the settings file: a window of it is painted into a picture.
constexpr int kLeastSide = 16;
constexpr int kMostSide = 4096;
}

OverlayWindow::OverlayWindow(CAppSettings& settings, UiServices& ui, MciInterpreter& mci, QWidget* owner)
    : QWidget(owner, Qt::Tool), m_settings(settings), m_ui(ui), m_controller(settings, ui, mci) {
    setWindowTitle(QStringLiteral("Video Overlay"));
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    move(160, 110);
    resize(std::clamp(settings.anchoFrame, kLeastSide, kMostSide), std::clamp(settings.altoFrame, kLeastSide, kMostSide));
    m_controller.SetHandle(winId());
    // New frames only key the video in again; the window itself is painted when it changes.
    auto* frames = new QTimer(this);
    connect(frames, &QTimer::timeout, this, [this] {
        if (isVisible() && m_controller.IsOpen()) update();
    });
    frames->start(kFrameMs);
}

void OverlayWindow::Invalidate() {
    m_painted = false;
    update();
}

// A message box over the window would paint it again before it returns: shown after the paint.
void OverlayWindow::ShowLater(const QString& message) {
    QTimer::singleShot(0, this, [this, message] { m_ui.MessageBox(message, MsgButtons::Ok, MsgIcon::Exclamation); });
}

void OverlayWindow::paintEvent(QPaintEvent*) {
    if (!m_painted) {
        m_painted = true;
        const QString message = m_controller.Paint(size());
        setWindowTitle(m_controller.Caption());
        if (!message.isEmpty()) ShowLater(message);
    }
    m_shown = m_controller.Composite();
    QPainter(this).drawImage(0, 0, m_shown);
}

void OverlayWindow::resizeEvent(QResizeEvent*) { Invalidate(); }

void OverlayWindow::moveEvent(QMoveEvent*) { m_controller.SetRectangles(size()); }

void OverlayWindow::showEvent(QShowEvent*) { Invalidate(); }

void OverlayWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    m_ui.SetStatusText(0, QStringLiteral("[X=%1,Y=%2]").arg(at.x()).arg(at.y()));
}

// The window's own menu: what it draws over the video.
void OverlayWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* ruler = menu.addAction(QStringLiteral("&Ruler"));
    ruler->setCheckable(true);
    ruler->setChecked(m_settings.flgEscala);
    QAction* plane = menu.addAction(QStringLiteral("&Plane"));
    plane->setCheckable(true);
    plane->setChecked(m_settings.flgPlano);
    QAction* chosen = menu.exec(event->globalPos());
    if (chosen == ruler) m_settings.flgEscala = ruler->isChecked() ? 1 : 0;
    if (chosen == plane) m_settings.flgPlano = plane->isChecked() ? 1 : 0;
    Invalidate();
}

// Closing only hides the window: it stays for the next activation.
void OverlayWindow::closeEvent(QCloseEvent* event) {
    m_controller.Close();
    QWidget::closeEvent(event);
}
