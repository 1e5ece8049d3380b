#include "ScannerCaptureDevice.h"

#include "ScannerDialog.h"

#include "album/CAppSettings.h"
#include "capture/sane/TwainSession.h"
#include "platform/UiServices.h"

#include <QFileInfo>

ScannerCaptureDevice::ScannerCaptureDevice(CAppSettings& settings, UiServices& ui, QWidget* parent)
    : m_settings(settings), m_ui(ui), m_parent(parent) {}

bool ScannerCaptureDevice::Activate() {
    if (TwainSession::IsAvailable()) {
        m_ui.SetStatusText(0, QStringLiteral("Twain compatible scanner is available"));
        return true;
    }
    m_ui.MessageBox(QStringLiteral("Error:\nTwain compatible scanner is not available"), MsgButtons::Ok, MsgIcon::Stop);
    return false;
}

CaptureOutcome ScannerCaptureDevice::Take(const QString&) {
    ScannerDialog dialog(m_settings, m_ui, m_parent, m_settings.multicapTwain == 0);
    if (dialog.exec() != QDialog::Accepted) return CaptureOutcome::Cancelled();
    QStringList files;
    for (const QString& file : dialog.Result())
        if (QFileInfo::exists(file)) files << file;
    return files.isEmpty() ? CaptureOutcome::Failed() : CaptureOutcome::Taken(files);
}
