#include "VfwCaptureDevice.h"

#include "CaptureConfigDialog.h"
#include "CaptureFileDialog.h"
#include "CaptureSpaceDialog.h"
#include "RecordingDialog.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "capture/CapturedPicture.h"
#include "capture/video/SequenceRecorder.h"
#include "platform/CommandIds.h"
#include "platform/CommandTable.h"
#include "platform/CommandTarget.h"
#include "platform/SafeFile.h"
#include "platform/UiServices.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <map>

VfwCaptureDevice::VfwCaptureDevice(CAlboraDoc& doc, UiServices& ui, QWidget* owner, std::function<void()> checkHardware)
    : m_doc(doc),
      m_ui(ui),
      m_owner(owner),
      m_checkHardware(std::move(checkHardware)),
      m_commands(*this, doc.Settings(), ui) {}

VfwCaptureDevice::~VfwCaptureDevice() { delete m_window; }

// F4 with the window there toggles it; a window shown again, or one whose camera failed,
// reconnects its driver.
bool VfwCaptureDevice::Activate() {
    if (m_window) {
        if (m_window->isVisible() && (m_window->IsConnected() || m_window->IsPlaying())) {
            m_window->hide();
            return true;
        }
        m_window->show();
        return m_window->Connect() || InitialisationError(QStringLiteral("Not initialized"));
    }
    m_window = new VideoWindow(m_doc.Settings(), m_ui, m_owner);
    AddWindowMenu();
    if (!m_window->Connect()) {
        delete m_window;
        InitialisationError(QStringLiteral("Can't continue"));
        return false;
    }
    m_window->show();
    m_ui.SetStatusText(0, QStringLiteral("Device VFW active"));
    return true;
}

void VfwCaptureDevice::Deactivate() {
    if (!m_window) return;
    m_window->StopPlaying();
    m_window->Disconnect();
    m_window->hide();
}

CaptureOutcome VfwCaptureDevice::Take(const QString& proposed) {
    CaptureFileDialog dialog(m_doc, m_ui, proposed, m_owner);
    if (dialog.exec() != QDialog::Accepted) return CaptureOutcome::Cancelled();
    return StoreFrame(dialog.FileName());
}

CaptureOutcome VfwCaptureDevice::TakeUnattended(const QString& proposed) { return StoreFrame(proposed); }

CaptureOutcome VfwCaptureDevice::StoreFrame(const QString& name) {
    if (!Ready()) return CaptureOutcome::Failed();
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

void VfwCaptureDevice::AddWindowMenu() {
    // Copy and Paste palette have their keys in this window only: the main window's Ctrl+C and
    // Ctrl+P are Copy and Print.
    const std::map<int, QKeySequence> keys{{Cmd::VfwCopy, QKeySequence(Qt::CTRL | Qt::Key_C)},
                                           {Cmd::VfwPastePalette, QKeySequence(Qt::CTRL | Qt::Key_P)}};
    for (int id : VideoWindowCommands::Ids()) {
        auto* action = new QAction(m_window);
        if (id == 0) {
            action->setSeparator(true);
        } else {
            action->setText(QString::fromUtf8(CommandTable::Find(id)->text));
            action->setData(id);
            if (keys.count(id)) action->setShortcut(keys.at(id));
            QObject::connect(action, &QAction::triggered, m_window, [this, id] { m_commands.Run(id); });
        }
        m_window->addAction(action);
    }
    // The menu shows each command's state as it opens.
    QObject::connect(m_window, &VideoWindow::MenuAboutToShow, m_window, [this] {
        for (QAction* action : m_window->actions()) {
            if (action->isSeparator()) continue;
            CommandState state;
            m_commands.Update(action->data().toInt(), state);
            action->setEnabled(state.enabled);
            action->setCheckable(state.checked || action->isCheckable());
            action->setChecked(state.checked);
        }
    });
}

QString VfwCaptureDevice::CaptureFile() const {
    if (!m_captureFile.isEmpty()) return m_captureFile;
    const CAppSettings& settings = m_doc.Settings();
    return QDir(settings.FastTempPath.isEmpty() ? QDir::tempPath() : settings.FastTempPath).filePath(QStringLiteral("CAPTEMP.AVI"));
}

bool VfwCaptureDevice::CaptureSequenceAndSave(const QString& path) {
    if (!Ready()) return false;
    const CAppSettings& settings = m_doc.Settings();
    const QString captureFile = CaptureFile();
    SequenceSettings sequence;
    // The size chosen in "Video Format", at the configuration's rate.
    sequence.format.size = m_window->Format().size;
    sequence.format.framesPerSecond = m_parameters.FramesPerSecond();
    sequence.audio = m_parameters.captureAudio;
    sequence.mjpeg = m_parameters.compressed;
    sequence.buffers = m_parameters.VideoBuffers();
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
    if (!m_window->Connect())
        m_ui.MessageBox(QStringLiteral("Error:\nThe camera could not be taken back after the recording: ") + m_window->Error(),
                        MsgButtons::Ok, MsgIcon::Exclamation);
    if (!recorded) {
        m_ui.MessageBox(QStringLiteral("Error:\n") + error, MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    const int frames = recorder.Frames() + recorder.Dropped();
    if (m_parameters.TooManyDropped(recorder.Dropped(), frames))
        m_ui.MessageBox(QStringLiteral("Warning:\n%1 of %2 frames were dropped: the computer could not keep up.")
                            .arg(recorder.Dropped())
                            .arg(frames),
                        MsgButtons::Ok, MsgIcon::Exclamation);
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
    CaptureConfigDialog::Buttons buttons;
    for (int id : {Cmd::VfwVideoFormat, Cmd::VfwVideoSource, Cmd::VfwVideoDisplay})
        buttons.device[id] = [this, id] { m_commands.Run(id); };
    buttons.captureFile = [this] { ChooseCaptureFile(); };
    CaptureConfigDialog(m_parameters, m_doc.Settings().hardPlay, m_ui, std::move(buttons),
                        m_window ? static_cast<QWidget*>(m_window) : m_owner)
        .exec();
    if (m_window) m_window->FitToVideo();
}

void VfwCaptureDevice::ChooseCaptureFile() {
    CaptureSpaceDialog dialog(CaptureFile(), m_ui, m_window ? static_cast<QWidget*>(m_window) : m_owner);
    if (dialog.Exec()) m_captureFile = dialog.CaptureFile();
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
