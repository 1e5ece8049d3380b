#include "CFloatImageWnd.h"

#include "ImageClipboard.h"
#include "ViewPainting.h"
#include "PlaceBeside.h"

#include "image/Orientation.h"
#include "platform/UiServices.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <cmath>

CFloatImageWnd::CFloatImageWnd(UiServices& ui, QWidget* owner, QWidget* beside)
    : QAbstractScrollArea(owner), m_ui(ui), m_beside(beside) {
    setWindowFlags(Qt::Window);
    setWindowTitle(QStringLiteral("Imagen"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setGeometry(0, 0, 320, 240);
    viewport()->setCursor(Qt::OpenHandCursor);
    show();
}

void CFloatImageWnd::ShowFile(const QString& fileName) {
    m_image = CImageObject();
    m_bitmap = QImage();
    CImageObject image;
    if (Orientation::LoadUpright(image, fileName) && image.GetWidth() > 0 && image.GetHeight() > 0) {
        m_image = std::move(image);
        m_bitmap = m_image.MakeBitmap();
        m_fileName = fileName;
        setWindowTitle(fileName);
        m_zoom = ImageZoom();
        FitWindow();
    }
    UpdateScrollBars();
    viewport()->update();
}

void CFloatImageWnd::FitWindow() {
    const QScreen* on = m_beside ? m_beside->screen() : screen();
    const QRect available = on ? on->availableGeometry() : QRect(0, 0, 1024, 768);
    // Half the screen, so that the contact sheet stays in sight beside it.
    const QSize half(available.width() / 2, available.height());
    resize(m_zoom.Drawn(PictureSize(), half).expandedTo(QSize(160, 120)));
    // The frame the window manager adds is known once the window is shown.
    const QSize frame = size() + (frameGeometry().size() - geometry().size());
    QRect place;
    if (!m_placed && m_beside) {
        const QRect sheet(m_beside->mapToGlobal(QPoint(0, 0)), m_beside->size());
        place = PlaceBeside(frame, sheet, available);
    } else {
        // Later pictures leave the window where the user has it, but on the screen.
        place = QRect(frameGeometry().topLeft(), frame);
        place.moveLeft(std::max(available.left(), std::min(place.left(), available.right() + 1 - frame.width())));
        place.moveTop(std::max(available.top(), std::min(place.top(), available.bottom() + 1 - frame.height())));
    }
    move(place.topLeft());
    m_placed = true;
}

double CFloatImageWnd::Scale() const { return m_zoom.Effective(PictureSize(), viewport()->size()); }

QPoint CFloatImageWnd::ScrollOffset() const { return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()); }

void CFloatImageWnd::SetZoom(const ImageZoom& zoom) {
    if (!m_image.IsValid()) return;
    const QPoint centre = viewport()->rect().center();
    const QPoint origin = ImageZoom::Origin(m_zoom.Drawn(PictureSize(), viewport()->size()), viewport()->size(), ScrollOffset());
    const QPointF spot = QPointF(centre - origin) / Scale();
    m_zoom = zoom;
    UpdateScrollBars();
    horizontalScrollBar()->setValue(int(std::lround(spot.x() * Scale() - centre.x())));
    verticalScrollBar()->setValue(int(std::lround(spot.y() * Scale() - centre.y())));
    viewport()->update();
}

void CFloatImageWnd::UpdateScrollBars() {
    const QSize area = viewport()->size();
    const QSize drawn = m_image.IsValid() ? m_zoom.Drawn(PictureSize(), area) : QSize(0, 0);
    horizontalScrollBar()->setRange(0, std::max(0, drawn.width() - area.width()));
    verticalScrollBar()->setRange(0, std::max(0, drawn.height() - area.height()));
    horizontalScrollBar()->setPageStep(area.width());
    verticalScrollBar()->setPageStep(area.height());
}

void CFloatImageWnd::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CFloatImageWnd::scrollContentsBy(int, int) { viewport()->update(); }

void CFloatImageWnd::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QRect area = viewport()->rect();
    if (!m_image.IsValid()) {
        ViewPainting::PaintBlueRamp(painter, area);
        painter.setPen(Qt::white);
        painter.drawText(QRect(5, 16 - painter.fontMetrics().ascent(), area.width(), 16), Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("No image loaded"));
        return;
    }
    painter.fillRect(area, Qt::black);
    const QSize drawn = m_zoom.Drawn(PictureSize(), area.size());
    // Reductions are smooth; enlargements show the pixels as they are.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, Scale() < 1);
    painter.drawImage(QRect(ImageZoom::Origin(drawn, area.size(), ScrollOffset()), drawn), m_bitmap);
}

void CFloatImageWnd::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool plain = modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier;
    switch (event->key()) {
        case Qt::Key_Escape: close(); return;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            if (plain) return SetZoom({ImageZoom::Mode::Scale, ImageZoom::Step(Scale(), +1)});
            break;
        case Qt::Key_Minus:
            if (plain) return SetZoom({ImageZoom::Mode::Scale, ImageZoom::Step(Scale(), -1)});
            break;
        case Qt::Key_0:
            if (plain || modifiers == Qt::ControlModifier) return SetZoom({});
            break;
        case Qt::Key_1:
            if (plain) return SetZoom({ImageZoom::Mode::Scale, 1});
            break;
        default: break;
    }
    // The arrows and page keys scroll.
    QAbstractScrollArea::keyPressEvent(event);
}

void CFloatImageWnd::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    m_dragStart = event->position().toPoint();
    m_dragging = true;
}

void CFloatImageWnd::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_dragging) return;
    // The picture moves once, when the button comes up, as far as it can scroll.
    const QPoint delta = event->position().toPoint() - m_dragStart;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - delta.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() - delta.y());
    m_dragging = false;
}

void CFloatImageWnd::CopyImage() {
    if (!m_image.IsValid()) return;
    WaitCursor wait(m_ui);
    ImageClipboard::CopyWholeImage(m_image);
}

void CFloatImageWnd::GoHome() {
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void CFloatImageWnd::ShowInformation() {
    if (!m_image.IsValid()) return;
    m_ui.MessageBox(ViewPainting::InformationText(m_fileName, m_image), MsgButtons::Ok, MsgIcon::Information);
}

void CFloatImageWnd::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Copy image"), this, &CFloatImageWnd::CopyImage);
    menu.addAction(QStringLiteral("&Go home"), this, &CFloatImageWnd::GoHome);
    menu.addAction(QStringLiteral("&Information..."), this, &CFloatImageWnd::ShowInformation);
    menu.exec(event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(QPoint(5, 5)) : event->globalPos());
}

void CFloatImageWnd::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}
