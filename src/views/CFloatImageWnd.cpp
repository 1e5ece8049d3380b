#include "CFloatImageWnd.h"

#include "ImageClipboard.h"
#include "ViewPainting.h"

#include "image/Orientation.h"
#include "platform/UiServices.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

CFloatImageWnd::CFloatImageWnd(UiServices& ui, QWidget* owner) : QWidget(owner, Qt::Window), m_ui(ui) {
    setWindowTitle(QStringLiteral("Imagen"));
    setGeometry(0, 0, 320, 240);
    setCursor(Qt::OpenHandCursor);
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
        // As large as the picture, but never larger than the screen can show.
        const QSize available = screen() ? screen()->availableGeometry().size() - QSize(20, 40) : QSize(1024, 768);
        resize(QSize(m_image.GetWidth() + 10, m_image.GetHeight() + 10).boundedTo(available));
    }
    update();
}

void CFloatImageWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!m_image.IsValid()) {
        ViewPainting::PaintBlueRamp(painter, rect());
        painter.setPen(Qt::white);
        painter.drawText(QRect(5, 16 - painter.fontMetrics().ascent(), width(), 16), Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("No image loaded"));
        return;
    }
    painter.fillRect(rect(), Qt::black);
    painter.drawImage(m_pan, m_bitmap);
}

void CFloatImageWnd::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void CFloatImageWnd::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    m_dragStart = event->position().toPoint();
    m_dragging = true;
    grabMouse();
}

void CFloatImageWnd::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_dragging) return;
    releaseMouse();
    // The picture moves once, when the button comes up.
    m_pan += event->position().toPoint() - m_dragStart;
    m_dragging = false;
    update();
}

void CFloatImageWnd::CopyImage() {
    if (!m_image.IsValid()) return;
    WaitCursor wait(m_ui);
    ImageClipboard::CopyWholeImage(m_image);
}

void CFloatImageWnd::GoHome() {
    m_pan = QPoint(0, 0);
    update();
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
