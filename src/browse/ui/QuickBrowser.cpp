#include "QuickBrowser.h"

#include "album/CAppSettings.h"
#include "browse/QuickFolders.h"
#include "platform/UiServices.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>

QuickBrowser::QuickBrowser(CAppSettings& settings, UiServices& ui, std::function<void()> go, QWidget* parent)
    : QDialog(parent, Qt::Tool), m_settings(settings), m_ui(ui), m_go(std::move(go)), m_mask(new QComboBox),
      m_list(new QListWidget) {
    setWindowTitle(QStringLiteral("Quick browser:"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_mask->setEditable(true);
    m_mask->addItems({"Internet images (*.jpg; *.jpeg; *.gif)",
                      "All images (*.jpg; *.jpeg; *.gif;*.bmp; *.dib; *png; *.avi)", "*.jpg", "*.gif", "*.bmp", "*.png",
                      "*.avi", "*.wmf", "*.emf", "*.*"});
    m_mask->setCurrentText(settings.browserMask);
    QString reason;
    m_list->addItems(QuickFolders::Read(QuickFolders::ListPath(), &reason));
    if (!reason.isEmpty())
        m_ui.MessageBox(QStringLiteral("Error:\nCan't read the quick folders from %1\n(%2)").arg(QuickFolders::ListPath(), reason),
                        MsgButtons::Ok, MsgIcon::Exclamation);
    auto* add = new QPushButton(QStringLiteral("&Add..."));
    auto* del = new QPushButton(QStringLiteral("&Del..."));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(del);
    buttons->addStretch(1);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("File mask:"), m_mask);
    form->addRow(QStringLiteral("Quick folders:"), m_list);
    form->addRow(buttons);
    resize(460, 320);
    connect(add, &QPushButton::clicked, this, &QuickBrowser::Add);
    connect(del, &QPushButton::clicked, this, &QuickBrowser::DeleteSelected);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        m_chosen = item->text();
        m_settings.browserMask = m_mask->currentText();
        m_go();
    });
}

void QuickBrowser::Add() {
    const QListWidgetItem* current = m_list->currentItem();
    const auto folder = m_ui.ChooseFolder(QStringLiteral("Quick folders:"), current ? current->text() : QString());
    if (folder && !folder->isEmpty()) m_list->addItem(*folder);
}

void QuickBrowser::DeleteSelected() { delete m_list->currentItem(); }

bool QuickBrowser::Save() {
    QStringList folders;
    for (int i = 0; i < m_list->count(); ++i) folders << m_list->item(i)->text();
    QString reason;
    if (QuickFolders::Write(QuickFolders::ListPath(), folders, &reason)) return true;
    m_ui.MessageBox(QStringLiteral("Error:\nCan't write the quick folders to %1\n(%2)").arg(QuickFolders::ListPath(), reason),
                    MsgButtons::Ok, MsgIcon::Exclamation);
    return false;
}

void QuickBrowser::done(int result) {
    Save();
    QDialog::done(result);
}
