#include "LiveCamDialog.h"

#include "capture/LiveCamServer.h"
#include "platform/FileFilter.h"
#include "platform/SafeFile.h"
#include "platform/UiServices.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

LiveCamDialog::LiveCamDialog(const LiveCamSettings& settings, const QString& listenOn, UiServices& ui, QWidget* parent)
    : QDialog(parent),
      m_ui(ui),
      m_image(new QLineEdit(settings.imagePath)),
      m_rate(new QSpinBox),
      m_maxErrors(new QSpinBox),
      m_listen(new QLineEdit(listenOn)),
      m_warning(new QLabel) {
    setWindowTitle(QStringLiteral("LiveCamWebServer (Beta)"));
    m_image->setObjectName(QStringLiteral("image"));
    m_rate->setObjectName(QStringLiteral("rate"));
    m_rate->setRange(1, 24 * 3600 * 1000);
    m_rate->setValue(settings.rateMs);
    m_maxErrors->setObjectName(QStringLiteral("maxErrors"));
    m_maxErrors->setRange(0, 1000000);
    m_maxErrors->setValue(settings.maxErrors);
    m_listen->setObjectName(QStringLiteral("listen"));
    m_listen->setPlaceholderText(QStringLiteral("Not served"));
    m_warning->setObjectName(QStringLiteral("warning"));
    m_warning->setWordWrap(true);
    auto* browse = new QPushButton(QStringLiteral("Browse..."));
    auto* imageRow = new QHBoxLayout;
    imageRow->addWidget(m_image, 1);
    imageRow->addWidget(browse);
    auto* rateRow = new QHBoxLayout;
    rateRow->addWidget(m_rate, 1);
    rateRow->addWidget(new QLabel(QStringLiteral("miliseconds.")));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Image:"), imageRow);
    qobject_cast<QLabel*>(form->labelForField(imageRow))->setBuddy(m_image);
    form->addRow(QStringLiteral("Refresh rate:"), rateRow);
    form->addRow(QStringLiteral("Max errors:"), m_maxErrors);
    form->addRow(QStringLiteral("&Listen on:"), m_listen);
    form->addRow(m_warning);
    auto* testPage = new QPushButton(QStringLiteral("Make HTML test page..."));
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("Begin"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(testPage, 0, Qt::AlignLeft);
    layout->addWidget(buttons);
    connect(browse, &QPushButton::clicked, this, &LiveCamDialog::Browse);
    connect(testPage, &QPushButton::clicked, this, &LiveCamDialog::MakeTestPage);
    connect(m_listen, &QLineEdit::textChanged, this, &LiveCamDialog::ShowListenWarning);
    connect(buttons, &QDialogButtonBox::accepted, this, &LiveCamDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    ShowListenWarning();
}

LiveCamSettings LiveCamDialog::Settings() const { return {m_image->text().trimmed(), m_rate->value(), m_maxErrors->value()}; }

QString LiveCamDialog::ListenOn() const { return m_listen->text().trimmed(); }

// Any address but the machine's own lets the network see the camera.
void LiveCamDialog::ShowListenWarning() {
    const auto listen = ParseListenAddress(ListenOn());
    m_warning->setText(listen && !listen->address.isLoopback()
                           ? QStringLiteral("Warning: anyone who can reach this address can see the camera.")
                           : QString());
}

void LiveCamDialog::Browse() {
    const auto file = m_ui.ChooseFile(
        FileDialogKind::Save, QStringLiteral("Assign new object"),
        QtFileFilter(QStringLiteral("Bitmaps *.bmp|*.bmp|DIBs *.dib|*.dib|Video *.avi|*.avi|Metafiles *.wmf|*.wmf|Compuserve "
                                    "*.gif|*.gif|JPEG *.jpg|*.jpg|Png *.png|*.png|All *.*|*.*||")),
        m_image->text());
    if (file) m_image->setText(QFileInfo(*file).suffix().isEmpty() ? *file + QStringLiteral(".jpg") : *file);
}

void LiveCamDialog::MakeTestPage() {
    auto file = m_ui.ChooseFile(FileDialogKind::Save, QStringLiteral("Create Test Page"),
                                QtFileFilter(QStringLiteral("Internet *.htm|*.htm|*.*|*.*||")), QStringLiteral("index.htm"));
    if (!file) return;
    if (QFileInfo(*file).suffix().isEmpty()) *file += QStringLiteral(".htm");
    if (!SafeFile::Write(*file, LiveCamTestPage()))
        m_ui.MessageBox(QStringLiteral("Fatal Error:\nIn file!"), MsgButtons::Ok, MsgIcon::Stop);
}

void LiveCamDialog::accept() {
    if (Settings().imagePath.isEmpty()) {
        m_image->setFocus();
        return;
    }
    if (!ListenOn().isEmpty() && !ParseListenAddress(ListenOn())) {
        m_ui.MessageBox(QStringLiteral("Error:\nListen on an address and a port, as 127.0.0.1:8080."), MsgButtons::Ok,
                        MsgIcon::Exclamation);
        m_listen->setFocus();
        return;
    }
    QDialog::accept();
}
