#include "LiveCamControl.h"

#include "LiveCamDialog.h"

#include "platform/UiServices.h"

LiveCamControl::LiveCamControl(LiveCam::FrameSource frames, UiServices& ui, QWidget* owner)
    : m_ui(ui), m_owner(owner), m_cam(std::move(frames), ui) {
    m_server.SetTestPage(LiveCamTestPage());
    m_server.Follow(m_cam);
    QObject::connect(&m_cam, &LiveCam::GaveUp, &m_server, [this] { m_server.Close(); });
}

void LiveCamControl::Stop() {
    m_cam.Stop();
    m_server.Close();
}

void LiveCamControl::Open() {
    Stop();
    LiveCamDialog dialog(m_cam.Settings(), m_listenOn, m_ui, m_owner);
    if (dialog.exec() != QDialog::Accepted) return;
    m_listenOn = dialog.ListenOn();
    if (const auto listen = ParseListenAddress(m_listenOn)) {
        QString reason;
        if (!m_server.Listen(listen->address, listen->port, &reason)) {
            m_ui.MessageBox(QStringLiteral("Error:\nLiveCamWebServer can't listen on %1: %2").arg(m_listenOn, reason),
                            MsgButtons::Ok, MsgIcon::Exclamation);
            return;
        }
        m_server.SetSnapshot({});
    }
    m_cam.Begin(dialog.Settings());
}
