#pragma once

#include "VideoWindow.h"
#include "VideoWindowCommands.h"
#include "capture/CaptureDevice.h"
#include "capture/video/CaptureParameters.h"

#include <QPointer>
#include <functional>

class CAlboraDoc;
class UiServices;
class QWidget;

// Video for Windows behind Photo/Scan: a capture driver's live picture in the "Video for
// Windows" tool window, a frame of which becomes the picture.
class VfwCaptureDevice : public CaptureDevice {
public:
    // CHECK_HARDWARE shows the detection report (the initialisation error dialog offers it).
    VfwCaptureDevice(CAlboraDoc& doc, UiServices& ui, QWidget* owner, std::function<void()> checkHardware);
    ~VfwCaptureDevice() override;

    Capabilities Abilities() const override { return {Cards::WhenAutoInsert, true, true}; }
    QString StatusName() const override { return QStringLiteral("VfW"); }
    bool Activate() override;
    void Deactivate() override;
    CaptureOutcome Take(const QString& proposed) override;
    CaptureOutcome TakeUnattended(const QString& proposed) override;

    VideoWindow* Window() const { return m_window; }
    // Whether a frame or a sequence can be taken now: the camera is connected and the window
    // shows it, not a sequence played back.
    bool Ready() const { return m_window && m_window->IsConnected() && !m_window->IsPlaying(); }
    // Records into the capture file until Esc, a click or the time limit, then asks whether to
    // save it as PATH; true when PATH holds the whole sequence.
    bool CaptureSequenceAndSave(const QString& path);
    CaptureParameters& Parameters() { return m_parameters; }
    // "Video capture configuration".
    void Configure();
    // Where sequences are recorded before they are saved: "CAPTEMP.AVI" in the fast folder until
    // the user names another.
    QString CaptureFile() const;
    VideoWindowCommands& Commands() { return m_commands; }

private:
    // "Video for Windows Initialization Error"; true when the user goes on.
    bool InitialisationError(const QString& state);
    // The newest frame stored as NAME; failures are said in a message.
    CaptureOutcome StoreFrame(const QString& name);
    // The window's right-button menu: its commands, as the Capture menu has them.
    void AddWindowMenu();
    void ChooseCaptureFile();

    CAlboraDoc& m_doc;
    UiServices& m_ui;
    QWidget* m_owner;
    std::function<void()> m_checkHardware;
    QPointer<VideoWindow> m_window;  // owned by the main window, which may go first
    CaptureParameters m_parameters;
    QString m_captureFile;
    VideoWindowCommands m_commands;
};
