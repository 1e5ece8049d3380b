#pragma once

#include "OverlayWindow.h"
#include "capture/CaptureDevice.h"
#include "platform/media/MciInterpreter.h"

#include <QPointer>
#include <optional>

class CAlboraDoc;
class UiServices;
class QWidget;

// The MCI overlay behind Photo/Scan: the "Video Overlay" window with a video source keyed in,
// whose picture Photo/Scan saves in the "GrabaFormato" format. It makes no card.
class OverlayCaptureDevice : public CaptureDevice {
public:
    OverlayCaptureDevice(CAlboraDoc& doc, UiServices& ui, QWidget* owner);
    ~OverlayCaptureDevice() override;

    Capabilities Abilities() const override { return {Cards::Never, false, true}; }
    QString StatusName() const override { return QStringLiteral("MCI Overlay"); }
    // Shows the window, making it the first time, and opens the device.
    bool Activate() override;
    void Deactivate() override;
    CaptureOutcome Take(const QString& proposed) override;
    CaptureOutcome TakeUnattended(const QString& proposed) override;

    OverlayWindow* Window() const { return m_window; }

private:
    // Whether the window can be made: a video source exists, or the user goes on without one.
    bool Usable();
    // The overlay's picture saved as NAME in the "GrabaFormato" format.
    CaptureOutcome Save(const QString& name);

    CAlboraDoc& m_doc;
    UiServices& m_ui;
    QWidget* m_owner;
    MciInterpreter m_mci;
    std::optional<bool> m_usable;  // decided once, when the window would first be made
    QPointer<OverlayWindow> m_window;  // owned by the main window, which may go first
};
