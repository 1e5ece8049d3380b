#include "VfwCaptureDevice.h"

#include "CaptureConfigDialog.h"
#include "CaptureFileDialog.h"
#include "RecordingDialog.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "capture/CapturedPicture.h"
#include "capture/video/SequenceRecorder.h"
#include "platform/SafeFile.h"
#include "platform/UiServices.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

VfwCaptureDevice::VfwCaptureDevice(CAlboraDoc& doc, UiServices& ui, QWidget* owner, std::function<void()> checkHardware)
    : m_doc(doc), m_ui(ui), m_owner(owner), m_checkHardware(std::move(checkHardware)) {}

VfwCaptureDevice::~VfwCaptureDevice() { delete m_window; }

// F4 with the window there toggles it; a window shown again reconnects its driver.
bool VfwCaptureDevice::Activate() {
    if (m_window) {
        if (m_window->isVisible()) {
            m_window->hide();
            return true;
        }
        m_window->show();
        return m_window->Connect() || InitialisationError(QStringLiteral("Not initialized"));
    }
    m_window = new VideoWindow(m_doc.Settings(), m_ui, m_owner);
    // The window's own menu, on the right button.
    m_window->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* configure = new QAction(QStringLiteral("Capture &configuration..."), m_window);
    QObject::connect(configure, &QAction::triggered, m_window, [this] { Configure(); });
    auto* stretch = new QAction(QStringLiteral("&Stretch video"), m_window);
    stretch->setCheckable(true);
    QObject::connect(stretch, &QAction::toggled, m_window, [this](bool on) { m_window->SetStretched(on); });
    m_window->addActions({configure, stretch});
    if (!m_window->Connect()) {
        delete m_window;
        InitialisationError(QStringLiteral("Can't continue"));
        return false;
    }
    m_window->show();
    m_ui.SetStatusText(0, QStringLiteral("Device VFW active"));
    return true;
}

CaptureOutcome VfwCaptureDevice::Take(const QString& proposed) {
    CaptureFileDialog dialog(m_doc, m_ui, proposed, m_owner);
    if (dialog.exec() != QDialog::Accepted) return CaptureOutcome::Cancelled();
    if (!m_window || !m_window->IsConnected()) return CaptureOutcome::Failed();
    const QString name = dialog.FileName();
    const CImageObject frame = m_window->GrabFrame();
    if (!frame.IsValid()) return CaptureOutcome::Failed();
    const StoredPicture stored = StoreCapturedPicture(frame, name, m_doc.Settings(), m_ui);
    if (stored.result == StoredPicture::Result::ConversionFailed)
        m_ui.MessageBox(ConversionErrorText(name, stored), MsgButtons::Ok, MsgIcon::Exclamation);
    else if (!stored.Ok())
        m_ui.MessageBox(QStringLiteral("Error:\nCan't write the picture %1: %2").arg(name, stored.reason), MsgButtons::Ok,
                        MsgIcon::Exclamation);
    // A picture counts only when its file is there.
    if (!stored.Ok() || !QFile::exists(name)) return CaptureOutcome::Failed();
    return CaptureOutcome::Taken({name});
}

bool VfwCaptureDevice::CaptureSequenceAndSave(const QString& path) {
    if (!Ready()) return false;
    const CAppSettings& settings = m_doc.Settings();
    const QString captureFile =
        QDir(settings.FastTempPath.isEmpty() ? QDir::tempPath() : settings.FastTempPath).filePath(QStringLiteral("CAPTEMP.AVI"));
    SequenceSettings sequence;
    sequence.format.framesPerSecond = m_parameters.FramesPerSecond();
    sequence.audio = m_parameters.captureAudio;
    sequence.audioFormat = m_parameters.audioFormat;
    sequence.jpegQuality = settings.JPGquality;
    sequence.copyright = QStringLiteral("Albora");
    // A camera serves one pipeline: the recording takes it from the live picture for a while.
    const QString source = m_window->Source();
    m_window->Disconnect();
    SequenceRecorder recorder;
    QString error;
    bool recorded = recorder.Start(source, sequence, captureFile, &error);
    if (recorded) {
        RecordingDialog(recorder, m_parameters.timeLimitSeconds, m_owner).exec();
        recorded = recorder.Stop(&error);
    }
    m_window->Connect();
    if (!recorded) {
        m_ui.MessageBox(QStringLiteral("Error:\n") + error, MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    if (m_ui.MessageBox(QStringLiteral("Captured sequence!\n\nSaving sequence:\n%1?").arg(path), MsgButtons::YesNo,
                        MsgIcon::Question) != MsgAnswer::Yes)
        return false;
    if (!SafeFile::Copy(captureFile, path, &error)) {
        m_ui.MessageBox(QStringLiteral("Error:\nCan't save the sequence %1: %2").arg(path, error), MsgButtons::Ok,
                        MsgIcon::Exclamation);
        return false;
    }
    return true;
}

void VfwCaptureDevice::Configure() {
    CaptureConfigDialog(m_parameters, m_doc.Settings().hardPlay, m_ui, m_window ? static_cast<QWidget*>(m_window) : m_owner)
        .exec();
}

bool VfwCaptureDevice::InitialisationError(const QString& state) {
    QDialog dialog(m_owner);
    dialog.setWindowTitle(QStringLiteral("Video for Windows Initialization Error"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(state));
    layout->addWidget(new QLabel(QStringLiteral("Albora could not initialize the capture device.")));
    auto* checklist = new QLabel(QStringLiteral(
        "Is the capture hardware properly configured?\r\nCheck the switch settings and jumpers on the capture device.\r\n"
        "Is a driver installed and configured?\r\nSelect the \"Multimedia\" icon from the Control Panel to verify the "
        "presence of a capture driver.\r\nIf you need to install a capture driver, choose the \"Add New Hardware\" "
        "icon.\r\nIf you need to configure a capture driver, choose the \"Settings...\" button.\r\nUse the \"Check "
        "hardware\" button bellow."));
    checklist->setWordWrap(true);
    layout->addWidget(checklist);
    if (m_window && !m_window->Error().isEmpty()) layout->addWidget(new QLabel(m_window->Error()));
    layout->addWidget(new QLabel(QStringLiteral("Do you wish to continue?")));
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("&Continue"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    QPushButton* check = buttons->addButton(QStringLiteral("Check hardware..."), QDialogButtonBox::ActionRole);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(check, &QPushButton::clicked, &dialog, [this] {
        if (m_checkHardware) m_checkHardware();
    });
    return dialog.exec() == QDialog::Accepted;
}
