#include "CapturePipeline.h"

#include "album/CAppSettings.h"
#include "platform/UiServices.h"

namespace {
constexpr int kDevicePane = 2;
}

CapturePipeline::CapturePipeline(CAppSettings& settings, UiServices& ui, DeviceMaker maker)
    : m_settings(settings), m_ui(ui), m_maker(std::move(maker)) {}

CapturePipeline::~CapturePipeline() = default;

CaptureDevice* CapturePipeline::Current() {
    const int kind = m_settings.hardCapture;
    if (kind == CaptureKind::None) return nullptr;
    auto& device = m_devices[kind];
    if (!device) device = m_maker(kind);
    return device.get();
}

// The device left behind lets its camera go: the camera and the overlay share one.
void CapturePipeline::Select(int kind) {
    if (kind != m_settings.hardCapture) {
        const auto previous = m_devices.find(m_settings.hardCapture);
        if (previous != m_devices.end() && previous->second) previous->second->Deactivate();
    }
    m_settings.hardCapture = kind;
    Activate();
}

void CapturePipeline::FallBackToNone() {
    m_settings.hardCapture = CaptureKind::None;
    m_ui.SetStatusText(kDevicePane, QStringLiteral("None"));
}

void CapturePipeline::Activate() {
    if (m_settings.hardCapture == CaptureKind::None) {
        m_ui.SetStatusText(kDevicePane, QStringLiteral("None"));
        m_ui.Beep();
        return;
    }
    CaptureDevice* device = Current();
    if (!device) {
        // A device this computer cannot have (a stored choice from elsewhere) is no choice.
        FallBackToNone();
        return;
    }
    m_ui.SetStatusText(kDevicePane, device->StatusName());
    if (!device->Activate()) FallBackToNone();
}

CapturePipeline::Shot CapturePipeline::PhotoScan(const QString& proposed, const std::function<void(const QString&)>& insert,
                                                 bool unattended) {
    CaptureDevice* device = Current();
    if (!device) return {};
    const CaptureOutcome outcome = unattended ? device->TakeUnattended(proposed) : device->Take(proposed);
    if (outcome.status != CaptureOutcome::Status::Taken || outcome.files.isEmpty()) return {};
    const CaptureDevice::Capabilities abilities = device->Abilities();
    const bool insertCards = abilities.cards == CaptureDevice::Cards::Always ||
                             (abilities.cards == CaptureDevice::Cards::WhenAutoInsert && m_settings.flgAutoInsert);
    if (insertCards)
        for (const QString& file : outcome.files) insert(file);
    return {true, abilities.cards != CaptureDevice::Cards::Never};
}
