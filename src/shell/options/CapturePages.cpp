#include "CapturePages.h"

#include "CaptureOptions.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* Unavailable(const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(QStringLiteral("unavailable"));
    label->setWordWrap(true);
    return label;
}

}  // namespace

ScannerPage::ScannerPage(CaptureOptions* capture, QWidget* parent) : OptionsPage(parent) {
    auto* select = new QPushButton(QStringLiteral("Se&lect Source..."));
    select->setObjectName(QStringLiteral("selectSource"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BoundCheck(QStringLiteral("&Multiple scan (Albora:Twain scanner interface)"), "multicapTwain"));
    layout->addWidget(select, 0, Qt::AlignLeft);
    if (capture && capture->HasScanner())
        connect(select, &QPushButton::clicked, this, [this, capture] { capture->SelectScannerSource(window()); });
    else {
        select->setEnabled(false);
        layout->addWidget(Unavailable(QStringLiteral("No scanner is available.")));
    }
    layout->addStretch();
}

VideoDriverPage::VideoDriverPage(CaptureOptions* capture, QWidget* parent)
    : OptionsPage(parent), m_capture(capture), m_current(new QLineEdit), m_drivers(new QListWidget) {
    m_current->setObjectName(QStringLiteral("currentDriver"));
    m_current->setReadOnly(true);
    m_drivers->setObjectName(QStringLiteral("drivers"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Current:")), 0, 0);
    grid->addWidget(m_current, 1, 0);
    auto* selectLabel = new QLabel(QStringLiteral("Select other:"));
    selectLabel->setBuddy(m_drivers);
    grid->addWidget(selectLabel, 2, 0);
    grid->addWidget(m_drivers, 3, 0);
    auto* buttons = new QVBoxLayout;
    const bool available = m_capture && !m_capture->VideoDrivers().isEmpty();
    const std::pair<const char*, CaptureOptions::DriverDialog> dialogs[] = {
        {"&Format", CaptureOptions::DriverDialog::Format},
        {"&Source", CaptureOptions::DriverDialog::Source},
        {"&Display", CaptureOptions::DriverDialog::Display},
        {"Configure capture...", CaptureOptions::DriverDialog::Configure}};
    for (const auto& [text, dialog] : dialogs) {
        auto* button = new QPushButton(QString::fromLatin1(text));
        button->setEnabled(available);
        if (available)
            connect(button, &QPushButton::clicked, this,
                    [this, dialog = dialog] { m_capture->ShowDriverDialog(dialog, window()); });
        buttons->addWidget(button);
    }
    buttons->addStretch();
    grid->addLayout(buttons, 0, 1, 4, 1);
    if (!available) {
        m_drivers->setEnabled(false);
        grid->addWidget(Unavailable(QStringLiteral("No video capture device is available.")), 4, 0, 1, 2);
        return;
    }
    ShowDrivers();
    connect(m_drivers, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        m_capture->SelectVideoDriver(item->text());
        ShowDrivers();
    });
}

void VideoDriverPage::ShowDrivers() {
    m_current->setText(m_capture->CurrentVideoDriver());
    m_drivers->clear();
    m_drivers->addItems(m_capture->VideoDrivers());
}
