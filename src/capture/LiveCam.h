#pragma once

#include "image/CImageObject.h"

#include <QByteArray>
#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <functional>
#include <optional>

class UiServices;

// The LiveCam's values; they last for the run and are not saved.
struct LiveCamSettings {
    QString imagePath = QStringLiteral("livecam.jpg");  // relative to the album's folder
    int rateMs = 5000;
    int maxErrors = 50;
};

// The LiveCam: on each tick the newest frame becomes the JPEG at the image path, replaced in one
// step so that a reader sees the previous or the new picture, never a cut one. Encoding and
// writing run off the UI thread; a tick that finds the previous one still at work is skipped.
// Failures are counted; past the limit the LiveCam stops and says so. A camera that sends no new
// frame (it ended, failed or hangs) is a failure, not its last picture over again.
class LiveCam : public QObject {
    Q_OBJECT

public:
    // The camera's newest frame when it has sent one after the NUMBER-th, NUMBER then becoming
    // its number in the camera's sequence; an invalid picture when none came. Nullopt when there
    // is no camera to ask (no device, or it is busy playing back), which skips the tick uncounted.
    using FrameSource = std::function<std::optional<CImageObject>(quint64& number)>;
    // How long a tick may wait for the camera's next frame: a frame period of a slow camera, yet
    // short enough not to hold up the thread it shares with the web server and the window.
    static constexpr int kFrameWaitMs = 250;

    LiveCam(FrameSource frames, UiServices& ui, QObject* parent = nullptr);
    ~LiveCam() override;

    void Begin(const LiveCamSettings& settings);
    void Stop();
    bool IsRunning() const { return m_timer.isActive(); }
    const LiveCamSettings& Settings() const { return m_settings; }
    int Errors() const { return m_errors; }
    // One tick now, as the timer gives them.
    void Tick();

Q_SIGNALS:
    // After each tick's work: the picture written (empty on failure).
    void TickDone(const QByteArray& jpeg);
    // The limit of failures was passed.
    void GaveUp();

private:
    void Finish(const QByteArray& jpeg, bool written);
    // STATUS has "%1" for the count.
    void Fail(const QString& status);

    FrameSource m_frames;
    UiServices& m_ui;
    LiveCamSettings m_settings;
    QTimer m_timer;
    QThreadPool m_pool;
    bool m_busy = false;
    int m_errors = 0;
    quint64 m_frameNumber = 0;  // the last tick's
};
