#include "VideoWindow.h"

#include "CapturedVideoPlayer.h"

#include "album/CAppSettings.h"
#include "image/ColourReduction.h"
#include "platform/UiServices.h"
#include "platform/media/VideoSources.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>
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

VideoWindow::~VideoWindow() = default;

bool VideoWindow::Connect() {
    if (IsConnected()) return true;
    // The drivers are listed once: each listing asks GStreamer's device monitor again.
    const std::vector<VideoSource> sources = ListVideoSources();
    const int count = int(sources.size());
    m_error = count == 0 ? QStringLiteral("no capture driver is installed") : QString();
    if (m_driver >= 0 && m_driver < count && ConnectTo(sources, m_driver)) return true;
    for (int i = 0; i < count; ++i)
        if (i != m_driver && ConnectTo(sources, i)) return true;
    m_driver = -1;
    return false;
}

bool VideoWindow::ConnectDriver(int index) { return ConnectTo(ListVideoSources(), index); }

bool VideoWindow::ConnectTo(const std::vector<VideoSource>& sources, int index) {
    if (index < 0 || std::size_t(index) >= sources.size()) return false;
    const VideoSource& source = sources[std::size_t(index)];
    // A format chosen for another camera may not suit this one.
    if (index != m_driver) m_format = {};
    if (!m_camera.Connect(source.pipeline, m_format, &m_error)) return false;
    m_driver = index;
    m_ui.SetStatusText(0, source.name);
    return true;
}

void VideoWindow::Disconnect() { m_camera.Disconnect(); }

bool VideoWindow::SetFormat(const VideoFormat& format) {
    const VideoFormat previous = m_format;
    m_format = format;
    const QString source = m_camera.Source();
    if (!source.isEmpty() && m_camera.Connect(source, m_format, &m_error)) {
        m_shown = {};
        return true;
    }
    // The camera refused: back to what it showed before.
    m_format = previous;
    if (!source.isEmpty()) m_camera.Connect(source, m_format);
    return false;
}

CImageObject VideoWindow::GrabFrame(int timeoutMs, quint64* number) {
    quint64 any = 0;
    CImageObject frame = m_camera.NewFrame(number ? *number : any, timeoutMs);
    if (m_palette.Count()) return ColourReduction::MapToPalette(frame, m_palette);
    return frame;
}

void VideoWindow::SetPreview(bool on) {
    m_previewing = on;
    update();
}

void VideoWindow::SetStretched(bool stretched) {
    m_stretched = stretched;
    if (!stretched) FitToVideo();
    update();
}

void VideoWindow::SetPalette(const ImagePalette& palette, const QString& caption) {
    m_palette = palette;
    m_paletteCaption = caption;
    m_ui.SetStatusText(0, caption);
}

void VideoWindow::Play(const QString& file) {
    if (m_player) return;
    m_player = new CapturedVideoPlayer(file, this);
    m_player->setGeometry(rect());
    m_player->show();
    FitToVideo();
}

void VideoWindow::StopPlaying() {
    delete m_player;
    m_player = nullptr;
    FitToVideo();
    update();
}

void VideoWindow::ShowNewestFrame() {
    if (!isVisible() || !IsConnected()) return;
    ReportCameraError();
    if (!m_previewing || m_player) return;
    const CImageObject frame = m_camera.NewestFrame(0);
    if (!frame.IsValid()) return;
    const bool resized = m_shown.size() != QSize(frame.GetWidth(), frame.GetHeight());
    m_shown = m_palette.Count() ? ColourReduction::MapToPalette(frame, m_palette).MakeBitmap() : frame.MakeBitmap();
    if (resized) {
        setWindowTitle(QStringLiteral("Video [%1x%2]").arg(m_shown.width()).arg(m_shown.height()));
        if (!m_stretched) FitToVideo();
    }
    update();
}

// A camera's error in a box; the camera is let go, and Activate device takes it again.
void VideoWindow::ReportCameraError() {
    if (m_reporting) return;
    const QString error = m_camera.PendingError();
    if (error.isEmpty()) return;
    // A camera that failed sends no more frames: its last one must not pass for a new picture.
    Disconnect();
    m_ui.SetStatusText(0, QStringLiteral("Error: in Video for Windows device"));
    m_reporting = true;
    Busy busy(this);
    m_ui.MessageBox(QStringLiteral("Error:\n") + error, MsgButtons::Ok, MsgIcon::Exclamation);
    m_reporting = false;
}

void VideoWindow::FitToVideo() {
    if (m_player)
        resize(m_player->sizeHint().expandedTo(QSize(160, 120)));
    else if (!m_shown.isNull())
        resize(m_shown.size());
}

void VideoWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (m_shown.isNull() || !m_previewing) return;
    if (m_stretched)
        painter.drawImage(rect(), m_shown);
    else
        painter.drawImage(0, 0, m_shown);
}

void VideoWindow::closeEvent(QCloseEvent* event) {
    if (IsBusy()) {
        event->ignore();
        m_ui.Beep();
        m_ui.MessageBox(QStringLiteral("Close all dialog box before exit!"), MsgButtons::Ok, MsgIcon::Exclamation);
        raise();
        activateWindow();
        return;
    }
    StopPlaying();
    Disconnect();
    event->accept();
    deleteLater();
}

void VideoWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (actions().isEmpty()) return;
    Busy busy(this);
    Q_EMIT MenuAboutToShow();
    QMenu::exec(actions(), event->globalPos(), nullptr, this);
    // The keys of the actions stay live; the commands check their own state.
    for (QAction* action : actions()) action->setEnabled(true);
    update();
}

void VideoWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_player) m_player->setGeometry(rect());
}
