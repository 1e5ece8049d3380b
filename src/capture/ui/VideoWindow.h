#pragma once

#include "capture/video/VideoCapture.h"
#include "image/ImagePalette.h"

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <vector>

class CAppSettings;
class CapturedVideoPlayer;
struct VideoSource;
class UiServices;

// "Video for Windows": the tool window holding a capture driver's live picture. It connects to
// the first driver (0 to 9) that starts, shows its frames every 66 ms, natural size or stretched
// to the window, and is titled by the video's size. While one of its dialogs is open it is busy
// and refuses to close; closed, it lets the camera go and is gone.
class VideoWindow : public QWidget {
    Q_OBJECT

public:
    VideoWindow(CAppSettings& settings, UiServices& ui, QWidget* owner);
    ~VideoWindow() override;

    // Tries the drivers in turn, the one used last first; false when none starts (the reason in
    // Error()).
    bool Connect();
    // Connects driver INDEX alone.
    bool ConnectDriver(int index);
    void Disconnect();
    bool IsConnected() const { return m_camera.IsConnected(); }
    int DriverIndex() const { return m_driver; }
    // The GStreamer source of the connected driver.
    const QString& Source() const { return m_camera.Source(); }
    const QString& Error() const { return m_error; }
    VideoCapture& Camera() { return m_camera; }
    // The format asked of the camera; a new one reconnects it.
    const VideoFormat& Format() const { return m_format; }
    bool SetFormat(const VideoFormat& format);

    // The newest frame, in the window's palette when it has one; invalid when none comes within
    // TIMEOUT_MS. With NUMBER, only one newer than the NUMBER-th (VideoCapture::NewFrame).
    CImageObject GrabFrame(int timeoutMs = 2000, quint64* number = nullptr);
    bool Previewing() const { return m_previewing; }
    void SetPreview(bool on);
    bool Stretched() const { return m_stretched; }
    void SetStretched(bool stretched);

    // An empty palette leaves the frames in their own colours.
    const ImagePalette& Palette() const { return m_palette; }
    const QString& PaletteCaption() const { return m_paletteCaption; }
    void SetPalette(const ImagePalette& palette, const QString& caption);

    // The captured sequence played in the window in place of the live picture.
    bool IsPlaying() const { return m_player != nullptr; }
    void Play(const QString& file);
    void StopPlaying();

    // Marks the window busy for the life of a dialog or menu of its own.
    class Busy {
    public:
        explicit Busy(VideoWindow* window) : m_window(window) { ++m_window->m_busy; }
        ~Busy() {
            if (m_window) --m_window->m_busy;
        }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        QPointer<VideoWindow> m_window;
    };
    bool IsBusy() const { return m_busy > 0; }
    // Sizes the window to the video, or to the player while one plays.
    void FitToVideo();

Q_SIGNALS:
    // The right-button menu is about to show its actions: their states are due.
    void MenuAboutToShow();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool ConnectTo(const std::vector<VideoSource>& sources, int index);
    void ShowNewestFrame();
    void ReportCameraError();

    UiServices& m_ui;
    VideoCapture m_camera;
    VideoFormat m_format;
    int m_driver = -1;
    QString m_error;
    QImage m_shown;
    bool m_stretched = false;
    bool m_previewing = true;
    bool m_reporting = false;
    int m_busy = 0;
    ImagePalette m_palette;
    QString m_paletteCaption = QStringLiteral("Palette: Default");
    CapturedVideoPlayer* m_player = nullptr;
};
