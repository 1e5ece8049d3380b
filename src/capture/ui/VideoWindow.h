#pragma once

#include "capture/video/VideoCapture.h"

#include <QImage>
#include <QWidget>

class CAppSettings;
class UiServices;

// "Video for Windows": the tool window holding a capture driver's live picture. It connects to
// the first driver (0 to 9) that starts, shows its frames every 66 ms, natural size or stretched
// to the window, and is titled by the video's size.
class VideoWindow : public QWidget {
    Q_OBJECT

public:
    VideoWindow(CAppSettings& settings, UiServices& ui, QWidget* owner);

    // Tries the drivers in turn, the one used last first; false when none starts (the reason in
    // Error()).
    bool Connect();
    void Disconnect();
    bool IsConnected() const { return m_camera.IsConnected(); }
    int DriverIndex() const { return m_driver; }
    // The GStreamer source of the connected driver.
    const QString& Source() const { return m_camera.Source(); }
    const QString& Error() const { return m_error; }
    // The newest frame, for Photo/Scan; invalid when none comes.
    CImageObject GrabFrame();
    void SetStretched(bool stretched);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowNewestFrame();
    void FitToVideo();

    UiServices& m_ui;
    VideoCapture m_camera;
    int m_driver = -1;
    QString m_error;
    QImage m_shown;
    bool m_stretched = false;
};
