#include "OverlayCaptureDevice.h"

#include "CaptureFileDialog.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "capture/overlay/OverlayMciDevice.h"
#include "platform/UiServices.h"
#include "platform/media/VideoSources.h"

#include <QFile>
#include <QFileInfo>

OverlayCaptureDevice::OverlayCaptureDevice(CAlboraDoc& doc, UiServices& ui, QWidget* owner)
    : m_doc(doc), m_ui(ui), m_owner(owner) {
    RegisterOverlayDevice(m_mci);
}

OverlayCaptureDevice::~OverlayCaptureDevice() { delete m_window; }

bool OverlayCaptureDevice::Usable() {
    if (!m_usable)
        m_usable = !ListVideoSources().empty() ||
                   m_ui.MessageBox(QStringLiteral("Error:\nCan't detect video overlay in our system!\nReinstall all video "
                                                  "overlay software and hardware and try again.\n\nContinue?"),
                                   MsgButtons::YesNo, MsgIcon::Question) == MsgAnswer::Yes;
    return *m_usable;
}

bool OverlayCaptureDevice::Activate() {
    if (!m_window) {
        if (!Usable()) return false;
        m_window = new OverlayWindow(m_doc.Settings(), m_ui, m_mci, m_owner);
    }
    m_window->show();
    if (m_window->Controller().Open()) return true;
    // Without its device the window would only show the key colour.
    m_window->hide();
    return false;
}

// Closing the window closes the device and hides the window, as the user's close does.
void OverlayCaptureDevice::Deactivate() {
    if (m_window) m_window->close();
}

CaptureOutcome OverlayCaptureDevice::Take(const QString& proposed) {
    CaptureFileDialog dialog(m_doc, m_ui, proposed, m_owner, CaptureFileDialog::Kind::Overlay);
    if (dialog.exec() != QDialog::Accepted) return CaptureOutcome::Cancelled();
    // The dialog shows "GrabaFormato" and cannot change it.
    return Save(dialog.FileName());
}

// Unasked, the photo's name takes the extension of the format it is saved in, and a number after
// it while that name is taken: nothing of an earlier run is written over.
CaptureOutcome OverlayCaptureDevice::TakeUnattended(const QString& proposed) {
    const QString format = m_doc.Settings().GrabaFormato.section(QLatin1Char(' '), 0, 0).toLower();
    if (format.isEmpty()) return Save(proposed);
    const QFileInfo file(proposed);
    const QString stem = file.path() + QLatin1Char('/') + file.completeBaseName();
    QString name = stem + QLatin1Char('.') + format;
    for (int n = 1; QFileInfo::exists(name); ++n) name = QStringLiteral("%1_%2.%3").arg(stem).arg(n).arg(format);
    return Save(name);
}

CaptureOutcome OverlayCaptureDevice::Save(const QString& name) {
    if (!m_window) return CaptureOutcome::Failed();
    const auto argument = OverlayController::SaveArgument(name, m_doc.Settings().GrabaFormato);
    if (!argument) {
        m_ui.MessageBox(QStringLiteral("Error:\nCan't create the file name."), MsgButtons::Ok, MsgIcon::Exclamation);
        return CaptureOutcome::Failed();
    }
    if (!m_window->Controller().SavePicture(*argument) || !QFile::exists(name)) return CaptureOutcome::Failed();
    return CaptureOutcome::Taken({name});
}
