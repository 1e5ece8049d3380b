// The image view's zoom, its keys and wheel, and the full-screen picture.
#include "CImgView.h"

#include "FullScreenPicture.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "platform/CommandIds.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

void CImgView::RegisterZoomCommands() {
    const auto scaleCommand = [this](int id, double scale) {
        OnCommand(id, [this, scale] { SetZoom({ImageZoom::Mode::Scale, scale}); }, [this, scale](CommandState& s) {
            s.enabled = HasImage();
            s.checked = m_zoom.mode == ImageZoom::Mode::Scale && m_zoom.scale == scale;
        });
    };
    scaleCommand(Cmd::ZoomEighth, 1.0 / 8);
    scaleCommand(Cmd::ZoomQuarter, 1.0 / 4);
    scaleCommand(Cmd::ZoomHalf, 1.0 / 2);
    const int magnified[] = {Cmd::Zoom1, Cmd::Zoom2, Cmd::Zoom3, Cmd::Zoom4, Cmd::Zoom5};
    for (int z = 1; z <= 5; ++z) scaleCommand(magnified[z - 1], z);
    OnCommand(Cmd::ZoomFit, [this] { SetZoom({}); }, [this](CommandState& s) {
        s.enabled = HasImage();
        s.checked = m_zoom.mode == ImageZoom::Mode::Fit;
    });
    OnCommand(Cmd::StretchImage, [this] {
        if (Stretched()) {
            SetZoom(m_beforeStretch);
        } else {
            m_beforeStretch = m_zoom;
            SetZoom({ImageZoom::Mode::Stretch, 1});
        }
    }, [this](CommandState& s) { s.checked = Stretched(); });
    const auto zoomable = [this](CommandState& s) { s.enabled = HasImage() && !Stretched(); };
    OnCommand(Cmd::ZoomIn, [this] { ZoomBy(+1); }, zoomable);
    OnCommand(Cmd::ZoomOut, [this] { ZoomBy(-1); }, zoomable);
    OnCommand(Cmd::FullScreen, [this] { ShowFullScreen(); }, [this](CommandState& s) { s.enabled = HasImage(); });
}

double CImgView::Scale() const {
    return m_image.IsValid() ? m_zoom.Effective(QSize(m_image.GetWidth(), m_image.GetHeight()), viewport()->size()) : 1;
}

void CImgView::SetZoom(const ImageZoom& zoom, std::optional<QPoint> anchor) {
    const QPoint at = anchor.value_or(viewport()->rect().center());
    // The picture's point under the anchor, in picture pixels.
    const double before = Scale();
    const QPointF spot = QPointF(at - m_origin) / before;
    m_zoom = zoom;
    // The chosen way of looking at pictures lasts; a stretch is only for the moment.
    if (!Stretched()) m_doc.Settings().ImageZoom = m_zoom.ToSetting();
    UpdateScrollBars();
    const double after = Scale();
    horizontalScrollBar()->setValue(int(std::lround(spot.x() * after - at.x())));
    verticalScrollBar()->setValue(int(std::lround(spot.y() * after - at.y())));
    UpdateOrigin();
    viewport()->update();
}

void CImgView::ZoomBy(int direction, std::optional<QPoint> anchor) {
    if (!HasImage() || Stretched()) return;
    SetZoom({ImageZoom::Mode::Scale, ImageZoom::Step(Scale(), direction)}, anchor);
}

void CImgView::StepCard(int direction) { m_doc.StepShown(direction); }

void CImgView::ShowFullScreen() {
    if (!HasImage()) return;
    if (!m_fullScreen) {
        m_fullScreen = new FullScreenPicture(window());
        m_fullScreen->step = [this](int direction) { StepCard(direction); };
    }
    m_fullScreen->SetPicture(m_bitmap);
    m_fullScreen->showFullScreen();
    m_fullScreen->activateWindow();
    m_fullScreen->setFocus();
}

void CImgView::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() & ~Qt::KeypadModifier) return QAbstractScrollArea::keyPressEvent(event);
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_PageDown: StepCard(+1); return;
        case Qt::Key_Backspace:
        case Qt::Key_PageUp: StepCard(-1); return;
        default: QAbstractScrollArea::keyPressEvent(event);
    }
}

void CImgView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) return QAbstractScrollArea::wheelEvent(event);
    const int delta = event->angleDelta().y();
    if (delta != 0) ZoomBy(delta > 0 ? +1 : -1, event->position().toPoint());
    event->accept();
}
