#pragma once

#include "capture/LiveCam.h"
#include "capture/LiveCamServer.h"

class UiServices;
class QWidget;

// "Marenkis LiveCam Web Server...": the dialog stops the LiveCam; "Begin" starts it again with
// the new values and, when an address is given, serves its pictures there until it stops.
class LiveCamControl {
public:
    LiveCamControl(LiveCam::FrameSource frames, UiServices& ui, QWidget* owner);

    void Open();
    bool IsRunning() const { return m_cam.IsRunning(); }
    LiveCam& Cam() { return m_cam; }
    LiveCamServer& Server() { return m_server; }

private:
    void Stop();

    UiServices& m_ui;
    QWidget* m_owner;
    LiveCam m_cam;
    LiveCamServer m_server;
    QString m_listenOn = QStringLiteral("127.0.0.1:8080");
};
