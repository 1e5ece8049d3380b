#include "OverlayController.h"

#include "OverlayCompositor.h"
#include "album/CAppSettings.h"
#include "platform/UiServices.h"
#include "platform/media/MciInterpreter.h"

#include <QPainter>

namespace {

QColor KeyColour(const CAppSettings& settings) {
    return QColor(qBound(0, settings.overlayColorR, 255), qBound(0, settings.overlayColorG, 255),
                  qBound(0, settings.overlayColorB, 255));
}

}  // namespace

OverlayController::OverlayController(const CAppSettings& settings, UiServices& ui, MciInterpreter& mci)
    : m_settings(settings), m_ui(ui), m_mci(mci) {}

OverlayController::~OverlayController() {
    if (OverlayWindows::Find(m_handle) == this) OverlayWindows::Unregister(m_handle);
}

void OverlayController::SetHandle(quint64 handle) {
    if (OverlayWindows::Find(m_handle) == this) OverlayWindows::Unregister(m_handle);
    m_handle = handle;
    OverlayWindows::Register(handle, this);
}

int OverlayController::Send(const QString& command) {
    if (onCommand) onCommand(command);
    return m_mci.SendString(command);
}

void OverlayController::Warn(const QString& text) { m_ui.MessageBox(text, MsgButtons::Ok, MsgIcon::Exclamation); }

bool OverlayController::Open() {
    if (m_open) return true;
    WaitCursor wait(m_ui);
    if (Send(m_settings.flgShareable ? QStringLiteral("open overlay alias alboovr shareable")
                                     : QStringLiteral("open overlay alias alboovr")) != 0) {
        Warn(QStringLiteral("Error:\nCan't open the video device.\n\n1) Verify that the video device exists.\n2) Verify its Setup."));
        return false;
    }
    if (Send(QStringLiteral("window alboovr handle %1").arg(m_handle)) != 0) {
        Warn(QStringLiteral("Error:\nAssigning window to video device."));
        // An unbound device would keep the alias and make every later open fail.
        Send(QStringLiteral("close alboovr"));
        return false;
    }
    m_open = true;
    SetRectangles(m_client);
    return true;
}

void OverlayController::Close() {
    if (!m_open) return;
    if (Send(QStringLiteral("set alboovr video off")) != 0) Warn(QStringLiteral("Error:\nOn video device."));
    if (Send(QStringLiteral("close alboovr")) != 0) Warn(QStringLiteral("Error:\nCan't close the video device."));
    m_open = false;
}

bool OverlayController::SavePicture(const QString& argument) {
    if (!m_open) return false;
    {
        WaitCursor wait(m_ui);
        if (Send(QStringLiteral("save alboovr %1").arg(argument)) != 0) {
            Warn(QStringLiteral("Error:\nSaving file."));
            return false;
        }
    }
    m_ui.Beep();
    if (m_settings.descongelaFoto == 1) Send(QStringLiteral("unfreeze alboovr"));
    return true;
}

void OverlayController::SetRectangles(QSize client) {
    m_client = client;
    if (!m_open) return;
    if (m_settings.flgLock) {
        for (const char* rect : {"frame", "source", "destination"})
            Send(QStringLiteral("put alboovr %1 at 0 0 %2 %3").arg(QLatin1String(rect)).arg(client.width()).arg(client.height()));
    } else {
        for (const char* rect : {"frame", "source", "destination"}) Send(QStringLiteral("put alboovr %1").arg(QLatin1String(rect)));
    }
}

QString OverlayController::Paint(QSize client) {
    SetRectangles(client);
    m_background = QImage(client.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    m_background.fill(KeyColour(m_settings));
    QPainter painter(&m_background);
    if (m_settings.flgEscala)
        OverlayCompositor::DrawRuler(painter, client, m_settings.flgDtoColorBlanco ? Qt::white : Qt::black);
    if (m_settings.flgPlano) return m_plane.Draw(painter, m_background.rect(), m_settings.Plantilla);
    return {};
}

QString OverlayController::Caption() const {
    if (m_settings.flgPlano)
        return QStringLiteral("Overlay [%1x%2] + %3").arg(m_client.width()).arg(m_client.height()).arg(m_settings.Plantilla);
    return QStringLiteral("Overlay [%1x%2]").arg(m_client.width()).arg(m_client.height());
}

QImage OverlayController::Composite(int timeoutMs) {
    if (!m_video) return m_background;
    return OverlayCompositor::KeyIn(m_background, KeyColour(m_settings).rgb(), m_video->Shown(timeoutMs));
}

std::optional<QString> OverlayController::SaveArgument(const QString& file, const QString& format) {
    if (file.isEmpty() || file.contains(QLatin1Char('"'))) return std::nullopt;
    return QStringLiteral("\"%1\" %2").arg(file, format);
}

void OverlayController::Unbind(OverlayVideo* video) {
    if (m_video == video) m_video = nullptr;
}
