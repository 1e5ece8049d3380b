#include "PresentationWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include "PresentationControl.h"

PresentationWindow::PresentationWindow(QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint) {
    setWindowTitle(QStringLiteral("Pres"));
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::StrongFocus);
    // The screen's size is known before the window is mapped, so pictures can be read for it at
    // once; a window manager that knows full screen keeps it so.
    QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    setGeometry(screen->geometry());
    setWindowState(Qt::WindowFullScreen);
}

bool PresentationWindow::ShowImage(const SlidePicture& picture) {
    if (picture.outcome == SlidePicture::Outcome::UnknownType) return false;
    m_slide.picture = picture.image;
    update();
    return picture.outcome == SlidePicture::Outcome::Loaded;
}

void PresentationWindow::SetInfoText(const QString& text) {
    m_slide.info = text;
    update();
}

void PresentationWindow::SetStretch(bool stretch) {
    m_slide.fit = stretch;
    update();
}

void PresentationWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    SlidePainter::Paint(painter, size(), m_slide);
}

void PresentationWindow::keyPressEvent(QKeyEvent* event) {
    if (const std::optional<BarResult> result = BarResultForKey(event->key()))
        Q_EMIT command(*result);
    else
        QWidget::keyPressEvent(event);
}

void PresentationWindow::closeEvent(QCloseEvent* event) {
    // The show ends and takes the window down itself.
    event->ignore();
    Q_EMIT command(BarResult::Cancel);
}
