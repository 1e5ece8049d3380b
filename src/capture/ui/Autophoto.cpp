#include "Autophoto.h"

#include "album/CAppSettings.h"
#include "platform/UiServices.h"

#include <QWidget>

namespace {
constexpr int kSecondsUnit = 1;  // "tFactor": 0 minutes, 1 seconds; the stored default 60 is minutes
}

Autophoto::Autophoto(CAppSettings& settings, UiServices& ui, QWidget* mainWindow, std::function<bool()> take)
    : m_settings(settings), m_ui(ui), m_mainWindow(mainWindow), m_take(std::move(take)) {
    connect(&m_timer, &QTimer::timeout, this, &Autophoto::TakeOne);
}

int Autophoto::GapMs(const CAppSettings& settings) {
    const qint64 unit = settings.tFactor == kSecondsUnit ? 1000 : 60000;
    return int(std::clamp<qint64>(qint64(settings.latenciaTimer) * unit, 1000, 24 * 3600 * 1000));
}

// The first photo at once, the others a gap apart.
void Autophoto::Begin() {
    if (IsRunning()) return;
    m_taken = 0;
    if (m_settings.fmini && m_mainWindow && !m_mainWindow->isMinimized()) {
        m_mainWindow->showMinimized();
        m_minimised = true;
    }
    m_timer.start(GapMs(m_settings));
    TakeOne();
}

void Autophoto::End() {
    m_timer.stop();
    if (m_minimised && m_mainWindow) m_mainWindow->showNormal();
    m_minimised = false;
}

void Autophoto::TakeOne() {
    if (m_taking) return;
    m_taking = true;
    const bool taken = m_take();
    m_taking = false;
    if (!taken) {
        m_ui.SetStatusText(0, QStringLiteral("Autophoto stopped: the photo could not be taken"));
        End();
        return;
    }
    ++m_taken;
    m_ui.SetStatusText(0, QStringLiteral("Autophoto: photo %1 of %2").arg(m_taken).arg(m_settings.tNDetiene));
    if (m_taken >= m_settings.tNDetiene) End();
}
