#include "VideoWindow.h"

#include "album/CAppSettings.h"
#include "platform/UiServices.h"
#include "platform/media/VideoSources.h"

#include <QPainter>
#include <QTimer>

namespace {
constexpr int kPreviewMs = 66;
}

VideoWindow::VideoWindow(CAppSettings& settings, UiServices& ui, QWidget* owner)
    : QWidget(owner, Qt::Tool), m_ui(ui) {
    setWindowTitle(QStringLiteral("Video for Windows"));
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    move(160, 110);
    resize(std::max(settings.anchoFrame, 16), std::max(settings.altoFrame, 16));
    auto* preview = new QTimer(this);
    connect(preview, &QTimer::timeout, this, &VideoWindow::ShowNewestFrame);
    preview->start(kPreviewMs);
}

bool VideoWindow::Connect() {
    if (IsConnected()) return true;
    const std::vector<VideoSource> sources = ListVideoSources();
    m_error = sources.empty() ? QStringLiteral("no capture driver is installed") : QString();
    std::vector<int> order;
    if (m_driver >= 0 && std::size_t(m_driver) < sources.size()) order.push_back(m_driver);
    for (int i = 0; i < int(sources.size()); ++i)
        if (i != m_driver) order.push_back(i);
    for (int i : order) {
        if (m_camera.Connect(sources[std::size_t(i)].pipeline, {}, &m_error)) {
            m_driver = i;
            m_ui.SetStatusText(0, sources[std::size_t(i)].name);
            return true;
        }
    }
    m_driver = -1;
    return false;
}

void VideoWindow::Disconnect() { m_camera.Disconnect(); }

CImageObject VideoWindow::GrabFrame() { return m_camera.NewestFrame(2000); }

void VideoWindow::SetStretched(bool stretched) {
    m_stretched = stretched;
    if (!stretched) FitToVideo();
    update();
}

void VideoWindow::ShowNewestFrame() {
    if (!isVisible() || !IsConnected()) return;
    const CImageObject frame = m_camera.NewestFrame(0);
    if (!frame.IsValid()) return;
    const bool resized = m_shown.size() != QSize(frame.GetWidth(), frame.GetHeight());
    m_shown = frame.MakeBitmap();
    if (resized) {
        setWindowTitle(QStringLiteral("Video [%1x%2]").arg(m_shown.width()).arg(m_shown.height()));
        if (!m_stretched) FitToVideo();
    }
    update();
}

void VideoWindow::FitToVideo() {
    if (!m_shown.isNull()) resize(m_shown.size());
}

void VideoWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (m_shown.isNull()) return;
    if (m_stretched)
        painter.drawImage(rect(), m_shown);
    else
        painter.drawImage(0, 0, m_shown);
}
