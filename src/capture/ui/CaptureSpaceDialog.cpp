#include "CaptureSpaceDialog.h"

#include "capture/video/CaptureParameters.h"
#include "platform/FileFilter.h"
#include "platform/UiServices.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStorageInfo>

namespace {
constexpr int kInitialMegabytes = 5;
}

CaptureSpaceDialog::CaptureSpaceDialog(const QString& captureFile, UiServices& ui, QWidget* parent)
    : FormDialog(parent, QStringLiteral("Capture temporary file")),
      m_ui(ui),
      m_name(new QLineEdit(captureFile)),
      m_megabytes(new QSpinBox),
      m_free(new QLabel),
      m_fileSize(new QLabel) {
    m_name->setObjectName(QStringLiteral("name"));
    m_megabytes->setObjectName(QStringLiteral("megabytes"));
    m_megabytes->setRange(1, 1 << 20);
    m_megabytes->setValue(kInitialMegabytes);
    m_free->setObjectName(QStringLiteral("free"));
    auto* browse = new QPushButton(QStringLiteral("&Browse..."));
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(m_name, 1);
    nameRow->addWidget(browse);
    Form()->addRow(QStringLiteral("&File name:"), nameRow);
    qobject_cast<QLabel*>(Form()->labelForField(nameRow))->setBuddy(m_name);
    Form()->addRow(QStringLiteral("File size:"), m_fileSize);
    Form()->addRow(QStringLiteral("&Capture file size (MBytes):"), m_megabytes);
    Form()->addRow(QStringLiteral("Free disk space:"), m_free);
    connect(browse, &QPushButton::clicked, this, &CaptureSpaceDialog::Browse);
    connect(m_name, &QLineEdit::editingFinished, this, &CaptureSpaceDialog::ShowFreeSpace);
    ShowFreeSpace();
}

QString CaptureSpaceDialog::CaptureFile() const { return m_name->text().trimmed(); }

// The free space of the disk that would hold the file, as the folder it goes in tells it.
void CaptureSpaceDialog::ShowFreeSpace() {
    const QStorageInfo disk(QFileInfo(CaptureFile()).absolutePath());
    m_free->setText(disk.isValid() && disk.isReady()
                        ? QStringLiteral("%1 KB free on %2").arg(disk.bytesAvailable() / 1024).arg(disk.rootPath())
                        : QStringLiteral("Unavailable"));
    const QFileInfo file(CaptureFile());
    m_fileSize->setText(QString::number(file.exists() ? file.size() / 1024 : 0) + QStringLiteral(" KB"));
}

void CaptureSpaceDialog::Browse() {
    const auto chosen = m_ui.ChooseFile(FileDialogKind::Save, QStringLiteral("Assign new temporary capture file"),
                                        QtFileFilter(QStringLiteral("Video for Windows |*.avi|All *.*|*.*||")), CaptureFile());
    if (!chosen) return;
    m_name->setText(QFileInfo(*chosen).suffix().isEmpty() ? *chosen + QStringLiteral(".avi") : *chosen);
    ShowFreeSpace();
}

void CaptureSpaceDialog::accept() {
    QString error;
    if (CaptureFile().isEmpty() || !ReserveCaptureFile(CaptureFile(), m_megabytes->value(), &error)) {
        m_ui.MessageBox(error.isEmpty() ? QStringLiteral("Error:\nCan't assign the space required in the disk.") : error,
                        MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    QDialog::accept();
}
