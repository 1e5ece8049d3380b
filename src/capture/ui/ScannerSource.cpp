#include "ScannerSource.h"

#include "album/CAppSettings.h"
#include "capture/sane/TwainSession.h"
#include "platform/UiServices.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

void SelectScannerSource(CAppSettings& settings, UiServices& ui, QWidget* parent) {
    TwainSession session;
    {
        // Backends probe their buses here, which can take a moment.
        WaitCursor wait(ui);
        if (!TwainSession::IsAvailable() || !session.OpenManager()) {
            ui.MessageBox(ScannerErrorText(session.LastError()), MsgButtons::Ok, MsgIcon::Information);
            return;
        }
    }
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Select Source"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("&Sources:")));
    auto* list = new QListWidget;
    qobject_cast<QLabel*>(layout->itemAt(0)->widget())->setBuddy(list);
    for (const ScannerInfo& scanner : session.Scanners()) {
        auto* item = new QListWidgetItem(scanner.Text(), list);
        item->setData(Qt::UserRole, scanner.name);
        if (scanner.name == settings.scannerSource || list->count() == 1) list->setCurrentItem(item);
    }
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Select"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.resize(420, 260);
    if (dialog.exec() == QDialog::Accepted && list->currentItem())
        settings.scannerSource = list->currentItem()->data(Qt::UserRole).toString();
}
