#include "CaptureCommands.h"

#include "CaptureFileDialog.h"
#include "DetectionDialog.h"
#include "OverlayCaptureDevice.h"
#include "ScannerCaptureDevice.h"
#include "ScreenCaptureDevice.h"
#include "VfwCaptureDevice.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "album/editing/CardCommands.h"
#include "capture/DetectionReport.h"
#include "capture/ScreenSource.h"
#include "platform/CommandIds.h"
#include "platform/MainWindowServices.h"

CaptureCommands::CaptureCommands(CAlboraDoc& doc, UiServices& ui, MainWindowServices& frame, CardCommands& cards,
                                 QWidget* owner, std::function<CaptureHardware()> probe)
    : m_doc(doc),
      m_ui(ui),
      m_frame(frame),
      m_cards(cards),
      m_owner(owner),
      m_probe(std::move(probe)),
      m_pipeline(doc.Settings(), ui, [this](int kind) { return MakeDevice(kind); }),
      m_liveCam(
          [this](quint64& number) -> std::optional<CImageObject> {
              VideoWindow* window = LiveWindow();
              if (!window) return std::nullopt;
              return window->GrabFrame(LiveCam::kFrameWaitMs, &number);
          },
          ui, owner),
      m_autophoto(doc.Settings(), ui, owner, [this] { return PhotoScan(true); }) {
    RegisterDeviceChoice(Cmd::CaptureNone, CaptureKind::None);
    RegisterDeviceChoice(Cmd::CaptureTwain, CaptureKind::Twain);
    RegisterDeviceChoice(Cmd::CaptureVideoForWindows, CaptureKind::VideoForWindows);
    RegisterDeviceChoice(Cmd::CaptureOverlay, CaptureKind::Overlay);
    // Where the screen cannot be read (no X display, a Wayland session) it is not offered; the
    // display does not change during a run, so it is asked once.
    RegisterDeviceChoice(Cmd::CaptureScreen, CaptureKind::Screen, [this] {
        if (!m_screenOffered) m_screenOffered = ScreenCaptureAvailable();
        return *m_screenOffered;
    });
    const auto deviceChosen = [this](CommandState& s) { s.enabled = m_doc.Settings().hardCapture != CaptureKind::None; };
    OnCommand(Cmd::ActivateDevice, [this] { m_pipeline.Activate(); }, deviceChosen);
    OnCommand(Cmd::PhotoScan, [this] { PhotoScan(); }, deviceChosen);
    // A running LiveCam can always be reached, to stop it, even when its camera has gone.
    OnCommand(Cmd::LiveCamServer, [this] { m_liveCam.Open(); },
              [this](CommandState& s) { s.enabled = LiveWindow() != nullptr || m_liveCam.IsRunning(); });
    OnCommand(Cmd::AutophotoBegin, [this] { m_autophoto.Begin(); }, [this](CommandState& s) {
        const CaptureDevice* device = m_doc.Settings().hardCapture == CaptureKind::None ? nullptr : m_pipeline.Current();
        s.enabled = device && device->Abilities().unattended && !m_autophoto.IsRunning();
    });
    OnCommand(Cmd::AutophotoEnd, [this] { m_autophoto.End(); }, [this](CommandState& s) { s.enabled = m_autophoto.IsRunning(); });
    OnCommand(Cmd::CaptureVideo, [this] { CaptureVideo(); }, [this](CommandState& s) { s.enabled = LiveWindow() != nullptr; });
    OnCommand(Cmd::HardwareDetection, [this] { DetectionDialog(m_probe, m_owner).exec(); });
    for (int id : VideoWindowCommands::Ids()) {
        if (id == 0) continue;
        OnCommand(
            id,
            [this, id] {
                if (VfwCaptureDevice* camera = Camera()) camera->Commands().Run(id);
            },
            [this, id](CommandState& s) {
                if (VfwCaptureDevice* camera = Camera())
                    camera->Commands().Update(id, s);
                else
                    s.enabled = false;
            });
    }
}

CaptureCommands::~CaptureCommands() = default;

void CaptureCommands::RegisterDeviceChoice(int command, int kind, std::function<bool()> offered) {
    OnCommand(command, [this, kind] { m_pipeline.Select(kind); },
              [this, kind, offered = std::move(offered)](CommandState& s) {
                  s.enabled = !offered || offered();
                  s.checked = m_doc.Settings().hardCapture == kind;
              });
}

std::unique_ptr<CaptureDevice> CaptureCommands::MakeDevice(int kind) {
    switch (kind) {
    case CaptureKind::Twain:
        return std::make_unique<ScannerCaptureDevice>(m_doc.Settings(), m_ui, m_owner);
    case CaptureKind::VideoForWindows:
        return std::make_unique<VfwCaptureDevice>(m_doc, m_ui, m_owner,
                                                  [this] { DetectionDialog(m_probe, m_owner).exec(); });
    case CaptureKind::Overlay:
        return std::make_unique<OverlayCaptureDevice>(m_doc, m_ui, m_owner);
    case CaptureKind::Screen:
        return std::make_unique<ScreenCaptureDevice>(m_doc, m_ui, m_owner);
    default:
        return nullptr;
    }
}

// The pictures go into the card list, which is brought forward first; with many pages taken at
// once the card editor opens once, on the last.
bool CaptureCommands::PhotoScan(bool unattended) {
    m_frame.ShowTab(MainWindowServices::ListTab);
    const CapturePipeline::Shot shot = m_pipeline.PhotoScan(
        m_doc.NextImageFileName(), [this](const QString& file) { m_cards.InsertImageAsCard(file); }, unattended);
    if (shot.cards && !unattended && m_doc.Settings().flgAutoEdita) m_cards.Modify();
    return shot.taken;
}

VfwCaptureDevice* CaptureCommands::Camera() {
    if (m_doc.Settings().hardCapture != CaptureKind::VideoForWindows) return nullptr;
    return dynamic_cast<VfwCaptureDevice*>(m_pipeline.Current());
}

VideoWindow* CaptureCommands::LiveWindow() {
    VfwCaptureDevice* camera = Camera();
    return camera && camera->Ready() ? camera->Window() : nullptr;
}

// "Capture video!": the sequence goes into the card list like a picture.
void CaptureCommands::CaptureVideo() {
    VfwCaptureDevice* camera = Camera();
    if (!camera || !camera->Ready()) return;
    m_frame.ShowTab(MainWindowServices::ListTab);
    CaptureFileDialog dialog(m_doc, m_ui, m_doc.NextImageFileName(CAlboraDoc::ImageCounter::Video), m_owner,
                             CaptureFileDialog::Kind::Sequence);
    if (dialog.exec() != QDialog::Accepted || !camera->CaptureSequenceAndSave(dialog.FileName())) return;
    if (m_doc.Settings().flgAutoInsert) m_cards.InsertImageAsCard(dialog.FileName());
    if (m_doc.Settings().flgAutoEdita) m_cards.Modify();
}
