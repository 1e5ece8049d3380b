#pragma once

#include "Autophoto.h"
#include "LiveCamControl.h"
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
class VideoWindow;
struct CaptureHardware;

// The capture commands of the main window: the device choice, "Activate device" (F4),
// "Photo/Scan" (F5) into the card list, the hardware detection report, the Video for Windows
// window's commands, the LiveCam and Autophoto.
class CaptureCommands : public CommandTarget {
public:
    // PROBE finds the capture hardware; it runs off the UI thread.
    CaptureCommands(CAlboraDoc& doc, UiServices& ui, MainWindowServices& frame, CardCommands& cards, QWidget* owner,
                    std::function<CaptureHardware()> probe);
    ~CaptureCommands() override;

    CapturePipeline& Pipeline() { return m_pipeline; }
    LiveCamControl& LiveCams() { return m_liveCam; }
    Autophoto& Autophotos() { return m_autophoto; }

private:
    std::unique_ptr<CaptureDevice> MakeDevice(int kind);
    // UNATTENDED: without the device's dialogs and the card editor (Autophoto).
    bool PhotoScan(bool unattended = false);
    void CaptureVideo();
    // The Video for Windows device when it is the chosen one.
    VfwCaptureDevice* Camera();
    // Its window while it shows the camera (not a sequence played back).
    VideoWindow* LiveWindow();
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
    LiveCamControl m_liveCam;
    Autophoto m_autophoto;
};
