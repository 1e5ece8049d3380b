#include "CaptureFileFields.h"

#include "album/AlbumOutputGuard.h"
#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "platform/UiServices.h"
#include "shell/options/ImagePropertiesSheet.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CaptureFileFields::CaptureFileFields(CAlboraDoc& doc, UiServices& ui, const QString& proposed,
                                     const QString& fixedFormat, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_ui(ui), m_fixedFormat(fixedFormat), m_file(new QLineEdit(proposed)),
      m_format(new QLabel) {
    m_file->setObjectName(QStringLiteral("file"));
    auto* browse = new QPushButton(QStringLiteral("Browse..."));
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file);
    fileRow->addWidget(browse);
    auto* properties = new QPushButton(QStringLiteral("Properties..."));
    auto* formatRow = new QHBoxLayout;
    formatRow->addWidget(m_format, 1);
    formatRow->addWidget(properties);

    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("&File:"), fileRow);
    qobject_cast<QLabel*>(form->labelForField(fileRow))->setBuddy(m_file);
    form->addRow(QStringLiteral("F&ormat:"), formatRow);
    qobject_cast<QLabel*>(form->labelForField(formatRow))->setBuddy(properties);
    connect(browse, &QPushButton::clicked, this, &CaptureFileFields::Browse);
    connect(properties, &QPushButton::clicked, this, &CaptureFileFields::Properties);
    ShowFormat();
}

QString CaptureFileFields::FileName() const { return m_file->text(); }

bool CaptureFileFields::RefusesAlbumFile() const {
    const QString refusal = GuardOfAlbum(m_doc).WriteRefusal(FileName());
    if (!refusal.isEmpty()) m_ui.MessageBox(refusal, MsgButtons::Ok, MsgIcon::Exclamation);
    return !refusal.isEmpty();
}

void CaptureFileFields::ShowFormat() {
    if (!m_fixedFormat.isEmpty())
        m_format->setText(m_fixedFormat);
    else
        m_format->setText(m_doc.Settings().flgJPG ? QStringLiteral("JPEG") : QStringLiteral("BMP"));
}

void CaptureFileFields::Browse() {
    const auto file = m_ui.ChooseFile(
        FileDialogKind::Save, QStringLiteral("Assign new object"),
        QStringLiteral("Bitmaps (*.bmp);;DIBs (*.dib);;Video (*.avi);;Metafiles (*.wmf);;Compuserve (*.gif);;"
                       "JPEG (*.jpg);;Png (*.png);;All (*)"),
        m_file->text());
    if (file) m_file->setText(*file);
}

void CaptureFileFields::Properties() {
    if (!EditImageProperties(m_doc.Settings(), m_ui, this) || !m_fixedFormat.isEmpty()) return;
    ShowFormat();
    m_file->setText(m_doc.NextImageFileName());
}
