#pragma once

#include "capture/CapturePipeline.h"
#include "platform/CommandTarget.h"

#include <functional>
#include <optional>

class CAlboraDoc;
class CardCommands;
class MainWindowServices;
class QWidget;
class UiServices;
class VfwCaptureDevice;
struct CaptureHardware;

// The capture commands of the main window: the device choice, "Activate device" (F4),
// "Photo/Scan" (F5) into the card list, and the hardware detection report.
class CaptureCommands : public CommandTarget {
public:
    // PROBE finds the capture hardware; it runs off the UI thread.
    CaptureCommands(CAlboraDoc& doc, UiServices& ui, MainWindowServices& frame, CardCommands& cards, QWidget* owner,
                    std::function<CaptureHardware()> probe);
    ~CaptureCommands() override;

    CapturePipeline& Pipeline() { return m_pipeline; }

private:
    std::unique_ptr<CaptureDevice> MakeDevice(int kind);
    void PhotoScan();
    void CaptureVideo();
    // The Video for Windows device when it is the chosen one.
    VfwCaptureDevice* Camera();
    // OFFERED, when given, says whether the device can be chosen here.
    void RegisterDeviceChoice(int command, int kind, std::function<bool()> offered = {});

    CAlboraDoc& m_doc;
    UiServices& m_ui;
    MainWindowServices& m_frame;
    CardCommands& m_cards;
    QWidget* m_owner;
    std::function<CaptureHardware()> m_probe;
    CapturePipeline m_pipeline;
    std::optional<bool> m_screenOffered;
};
