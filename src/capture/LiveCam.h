#pragma once

#include "image/CImageObject.h"

#include <QByteArray>
#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <functional>

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
// Failures are counted; past the limit the LiveCam stops and says so.
class LiveCam : public QObject {
    Q_OBJECT

public:
    // The newest frame; an invalid picture (no frame, no device) skips the tick uncounted.
    using FrameSource = std::function<CImageObject()>;

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

    FrameSource m_frames;
    UiServices& m_ui;
    LiveCamSettings m_settings;
    QTimer m_timer;
    QThreadPool m_pool;
    bool m_busy = false;
    int m_errors = 0;
};
