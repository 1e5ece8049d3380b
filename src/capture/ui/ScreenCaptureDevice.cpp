#include "ScreenCaptureDevice.h"

#include "ScreenCaptureDialog.h"
#include "album/CAlboraDoc.h"
#include "capture/ScreenSource.h"
#include "platform/UiServices.h"

ScreenCaptureDevice::ScreenCaptureDevice(CAlboraDoc& doc, UiServices& ui, QWidget* owner)
    : m_doc(doc), m_ui(ui), m_owner(owner) {}

bool ScreenCaptureDevice::Activate() {
    QString why;
    if (ScreenCaptureAvailable(&why)) return true;
    m_ui.MessageBox(QStringLiteral("Error:\nThe screen cannot be captured: ") + why, MsgButtons::Ok, MsgIcon::Exclamation);
    return false;
}

CaptureOutcome ScreenCaptureDevice::Take(const QString& proposed) {
    ScreenCaptureDialog dialog(m_doc, m_ui, m_owner, proposed);
    if (dialog.exec() == QDialog::Accepted) return CaptureOutcome::Taken({dialog.FileName()});
    return dialog.Failed() ? CaptureOutcome::Failed() : CaptureOutcome::Cancelled();
}
