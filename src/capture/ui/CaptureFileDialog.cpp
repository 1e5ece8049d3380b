#include "CaptureFileDialog.h"

#include "CaptureFileFields.h"
#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "platform/UiServices.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// The format shown that "Properties..." does not change; empty for a photo's.
QString FixedFormat(const CAlboraDoc& doc, CaptureFileDialog::Kind kind) {
    switch (kind) {
    case CaptureFileDialog::Kind::Overlay: return doc.Settings().GrabaFormato;
    case CaptureFileDialog::Kind::Sequence: return QStringLiteral("AVI");
    case CaptureFileDialog::Kind::Photo: break;
    }
    return {};
}

}  // namespace

CaptureFileDialog::CaptureFileDialog(CAlboraDoc& doc, UiServices& ui, const QString& proposed, QWidget* parent,
                                     Kind kind)
    : QDialog(parent),
      m_ui(ui),
      m_fields(new CaptureFileFields(doc, ui, proposed, FixedFormat(doc, kind))) {
    setWindowTitle(kind == Kind::Sequence ? QStringLiteral("Video Sequence: Capture") : QStringLiteral("Video Photo: Capture"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fields);
    if (kind == Kind::Sequence) layout->addWidget(new QLabel(QStringLiteral("Press OK to start capture. Press Esc or click to stop.")));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CaptureFileDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString CaptureFileDialog::FileName() const { return m_fields->FileName(); }

void CaptureFileDialog::accept() {
    if (FileName().trimmed().isEmpty() || m_fields->RefusesAlbumFile()) return;
    if (QFileInfo::exists(FileName()) &&
        m_ui.MessageBox(QStringLiteral("Warning!:\nThat name already exists.\nOverwrite the file?"), MsgButtons::YesNo,
                        MsgIcon::Question) != MsgAnswer::Yes)
        return;
    QDialog::accept();
}
