#include "ScannerDialog.h"

#include "SaneOptionsDialog.h"
#include "ScannerSource.h"

#include "album/CAppSettings.h"
#include "capture/sane/ScanStore.h"
#include "platform/UiServices.h"
#include "shell/options/ImagePropertiesSheet.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr QSize kPreviewSize(320, 320);

}  // namespace

ScannerDialog::ScannerDialog(CAppSettings& settings, UiServices& ui, QWidget* parent, bool single)
    : QDialog(parent), m_settings(settings), m_ui(ui), m_single(single) {
    setWindowTitle(QStringLiteral("Scanner Photo: Multiple Twain scanner capture"));
    m_acquire = new QPushButton(QStringLiteral("&Acquire from scanner..."));
    m_selectSource = new QPushButton(QStringLiteral("Se&lect Source..."));
    m_previewOn = new QCheckBox(QStringLiteral("&Preview"));
    m_previewOn->setChecked(true);
    m_split = new QCheckBox(QStringLiteral("Split photos"));
    m_split->setToolTip(QStringLiteral("Several photos on the glass become one picture each"));
    m_files = new QListWidget;
    m_files->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_messages = new QListWidget;
    m_messages->setSelectionMode(QAbstractItemView::NoSelection);
    m_preview = new QLabel;
    m_preview->setFixedSize(kPreviewSize);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::StyledPanel);
    m_preview->setBackgroundRole(QPalette::Base);
    m_preview->setAutoFillBackground(true);
    m_prefix = new QLineEdit(settings.NombreFoto);
    m_format = new QLabel(FormatText());
    m_format->setFrameShape(QFrame::StyledPanel);
    m_properties = new QPushButton(QStringLiteral("Properties..."));
    m_insertAll = new QPushButton(QStringLiteral("Insert all"));
    m_insertSelected = new QPushButton(QStringLiteral("Insert selected"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    m_progress = new QProgressBar;
    m_stop = new QPushButton(QStringLiteral("&Stop"));
    m_progress->hide();
    m_stop->hide();

    auto* left = new QVBoxLayout;
    auto* scanRow = new QHBoxLayout;
    scanRow->addWidget(m_acquire);
    scanRow->addWidget(m_selectSource);
    left->addLayout(scanRow);
    auto* checks = new QHBoxLayout;
    checks->addWidget(m_previewOn);
    checks->addWidget(m_split);
    checks->addStretch();
    left->addLayout(checks);
    auto* filesLabel = new QLabel(QStringLiteral("&Scanned images:"));
    filesLabel->setBuddy(m_files);
    left->addWidget(filesLabel);
    left->addWidget(m_files, 1);

    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(m_preview, 0, Qt::AlignTop);
    auto* messagesLabel = new QLabel(QStringLiteral("Messages:"));
    m_messages->setMaximumHeight(110);

    auto* naming = new QGridLayout;
    auto* prefixLabel = new QLabel(QStringLiteral("&Name prefix:"));
    prefixLabel->setBuddy(m_prefix);
    auto* formatLabel = new QLabel(QStringLiteral("&Format:"));
    formatLabel->setBuddy(m_properties);
    naming->addWidget(prefixLabel, 0, 0);
    naming->addWidget(m_prefix, 0, 1);
    naming->addWidget(formatLabel, 1, 0);
    naming->addWidget(m_format, 1, 1);
    naming->addWidget(m_properties, 1, 2);
    naming->setColumnStretch(1, 1);

    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(m_progress, 1);
    progressRow->addWidget(m_stop);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_insertAll);
    buttons->addWidget(m_insertSelected);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(messagesLabel);
    layout->addWidget(m_messages);
    layout->addLayout(naming);
    layout->addLayout(progressRow);
    layout->addLayout(buttons);

    connect(m_acquire, &QPushButton::clicked, this, &ScannerDialog::Acquire);
    connect(m_selectSource, &QPushButton::clicked, this, [this] { SelectScannerSource(m_settings, m_ui, this); });
    connect(m_previewOn, &QCheckBox::toggled, this, &ScannerDialog::ShowCurrentFile);
    connect(m_files, &QListWidget::currentRowChanged, this, &ScannerDialog::ShowCurrentFile);
    connect(m_files, &QListWidget::itemSelectionChanged, this, &ScannerDialog::UpdateButtons);
    connect(m_properties, &QPushButton::clicked, this, &ScannerDialog::EditProperties);
    connect(m_insertAll, &QPushButton::clicked, this, &ScannerDialog::InsertAll);
    connect(m_insertSelected, &QPushButton::clicked, this, &ScannerDialog::InsertSelected);
    connect(cancel, &QPushButton::clicked, this, &ScannerDialog::reject);
    connect(m_stop, &QPushButton::clicked, &m_reader, &ScanPageReader::Cancel);
    connect(&m_reader, &ScanPageReader::PageRead, this, &ScannerDialog::OnPage);
    connect(&m_reader, &ScanPageReader::Finished, this, &ScannerDialog::OnFinished);
    connect(&m_reader, &ScanPageReader::Progress, this, [this](int page, int percent) {
        m_progress->setFormat(QStringLiteral("Page %1: %p%").arg(page + 1));
        m_progress->setValue(percent);
    });

    {
        WaitCursor wait(m_ui);
        if (TwainSession::IsAvailable() && !m_session.OpenManager()) TwainError(m_session.LastError());
    }
    UpdateButtons();
    resize(660, 560);
    if (m_single) QTimer::singleShot(0, this, &ScannerDialog::Acquire);
}

ScannerDialog::~ScannerDialog() {
    m_reader.Cancel();
    // The reader's thread ends before the session it reads from goes.
    disconnect(&m_reader, nullptr, this, nullptr);
}

QString ScannerDialog::FormatText() const { return m_settings.flgJPG ? QStringLiteral("JPEG") : QStringLiteral("BMP"); }

void ScannerDialog::TwainError(const QString& why) {
    const QString text = ScannerErrorText(why);
    AddMessage(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    m_ui.MessageBox(text, MsgButtons::Ok, MsgIcon::Information);
}

void ScannerDialog::AddMessage(const QString& line) {
    m_messages->addItem(line);
    m_messages->scrollToBottom();
}

void ScannerDialog::UpdateButtons() {
    const bool scanning = m_scanning;
    const bool ready = !scanning && m_session.State() == TwainSession::ManagerOpen;
    m_acquire->setEnabled(ready);
    m_selectSource->setEnabled(ready);
    m_properties->setEnabled(!scanning);
    m_prefix->setEnabled(!scanning);
    m_split->setEnabled(!scanning);
    m_insertAll->setEnabled(!scanning && m_files->count() > 0);
    m_insertSelected->setEnabled(!scanning && m_files->count() > 0);
}

void ScannerDialog::Acquire() {
    if (m_scanning) return;
    m_stateBeforeAcquire = m_session.State();
    m_session.sourceDialog = [this](TwainSession& session) {
        QString title = session.SourceName();
        for (const ScannerInfo& scanner : session.Scanners())
            if (scanner.name == title) title = scanner.Text();
        SaneOptionsDialog options(session.Options(), title, m_ui, this);
        return options.exec() == QDialog::Accepted;
    };
    bool enabled;
    {
        WaitCursor wait(m_ui);
        enabled = m_session.OpenManager() && m_session.OpenSource(m_settings.scannerSource);
    }
    enabled = enabled && m_session.EnableSource();
    if (!enabled) {
        const bool declined = m_session.Declined();
        if (!declined) TwainError(m_session.LastError());
        m_session.ReturnTo(m_stateBeforeAcquire);
        UpdateButtons();
        if (declined && m_single) reject();
        return;
    }
    m_scanning = true;
    m_progress->setValue(0);
    m_progress->show();
    m_stop->show();
    UpdateButtons();
    m_reader.Start(m_session, m_single ? 1 : 0);
}

void ScannerDialog::OnPage(const ScannedPage& page) {
    const QString prefix = m_prefix->text().isEmpty() ? m_settings.NombreFoto : m_prefix->text();
    for (const ScanStoreEvent& event : StoreScannedPage(page, m_split->isChecked(), prefix, m_settings, m_ui)) {
        AddMessage(event.message);
        if (event.conversionFailed) m_ui.MessageBox(event.message, MsgButtons::Ok, MsgIcon::Exclamation);
        if (!event.written) continue;
        m_files->addItem(event.name);
        m_files->setCurrentRow(m_files->count() - 1, QItemSelectionModel::ClearAndSelect);
    }
    UpdateButtons();
}

void ScannerDialog::OnFinished(int, const QString& error) {
    m_session.ReturnTo(m_stateBeforeAcquire);
    m_scanning = false;
    m_progress->hide();
    m_stop->hide();
    UpdateButtons();
    if (!error.isEmpty()) TwainError(error);
    if (m_single && m_files->count() > 0) InsertAll();
}

void ScannerDialog::ShowPreview(const QImage& picture) {
    m_preview->setPixmap(picture.isNull() ? QPixmap()
                                          : QPixmap::fromImage(picture.scaled(kPreviewSize - QSize(4, 4), Qt::KeepAspectRatio,
                                                                              Qt::SmoothTransformation)));
}

void ScannerDialog::ShowCurrentFile() {
    QListWidgetItem* item = m_files->currentItem();
    if (!m_previewOn->isChecked() || !item) {
        ShowPreview({});
        return;
    }
    // Read at preview size: a JPEG decodes only what the preview needs.
    QImageReader reader(QDir::current().filePath(item->text()));
    const QSize size = reader.size();
    if (size.isValid()) reader.setScaledSize(size.scaled(kPreviewSize - QSize(4, 4), Qt::KeepAspectRatio));
    ShowPreview(reader.read());
}

void ScannerDialog::EditProperties() {
    if (!EditImageProperties(m_settings, m_ui, this)) return;
    m_format->setText(FormatText());
    m_prefix->setText(m_settings.NombreFoto);
}

void ScannerDialog::InsertAll() {
    m_result.clear();
    for (int i = 0; i < m_files->count(); ++i)
        if (!m_files->item(i)->text().isEmpty()) m_result << m_files->item(i)->text();
    accept();
}

void ScannerDialog::InsertSelected() {
    m_result.clear();
    for (int i = 0; i < m_files->count(); ++i)
        if (m_files->item(i)->isSelected() && !m_files->item(i)->text().isEmpty()) m_result << m_files->item(i)->text();
    if (m_result.isEmpty()) {
        m_ui.Beep();
        return;
    }
    accept();
}

void ScannerDialog::reject() {
    if (m_scanning) {
        m_reader.Cancel();
        return;
    }
    if (m_files->count() > 0 &&
        m_ui.MessageBox(QStringLiteral("Warning!:\nDo you like to descart all scanned images, are you sure?"),
                        MsgButtons::YesNo, MsgIcon::Exclamation) != MsgAnswer::Yes)
        return;
    QDialog::reject();
}
