#include "AlbumInfoDialog.h"

#include "platform/CTime.h"
#include "platform/UiServices.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

AlbumInfoDialog::AlbumInfoDialog(const AlbumInfoFields& fields, UiServices& ui, QWidget* parent)
    : QDialog(parent),
      m_fields(fields),
      m_ui(ui),
      m_name(new QLineEdit(fields.name)),
      // Album descriptions break their lines with CR LF, as the Windows edit control does.
      m_description(new QPlainTextEdit(QString(fields.description).replace("\r\n", "\n"))),
      m_author(new QLineEdit(fields.author)),
      m_directory(new QLineEdit(fields.directory)) {
    setWindowTitle(QStringLiteral("Album information"));
    m_directory->setReadOnly(true);
    auto* browse = new QPushButton(QStringLiteral("..."));
    browse->setFixedWidth(32);
    connect(browse, &QPushButton::clicked, this, &AlbumInfoDialog::ChooseDirectory);
    auto* directoryRow = new QHBoxLayout;
    directoryRow->addWidget(m_directory);
    directoryRow->addWidget(browse);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Name:"), m_name);
    form->addRow(QStringLiteral("&Description:"), m_description);
    form->addRow(QStringLiteral("Creation date:"),
                 new QLabel(CTime::CardDate(fields.created).value_or(QStringLiteral("<Error>"))));
    form->addRow(QStringLiteral("&Author:"), m_author);
    form->addRow(QStringLiteral("Directory:"), directoryRow);
    form->addRow(QStringLiteral("Total:"), new QLabel(QString::asprintf("%d", fields.total)));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    resize(480, 320);
}

void AlbumInfoDialog::ChooseDirectory() {
    const auto folder = m_ui.ChooseFolder(QStringLiteral("Album directory"), m_directory->text());
    if (!folder) return;
    if (m_ui.MessageBox(QStringLiteral("Warning:\nModify default directory may result in image "
                                       "path lost!\nAre your shore?"),
                        MsgButtons::YesNo, MsgIcon::Exclamation) == MsgAnswer::Yes)
        m_directory->setText(*folder);
}

AlbumInfoFields AlbumInfoDialog::Fields() const {
    AlbumInfoFields fields = m_fields;
    fields.name = m_name->text();
    fields.description = m_description->toPlainText().replace('\n', QStringLiteral("\r\n"));
    fields.author = m_author->text();
    fields.directory = m_directory->text();
    return fields;
}

bool AlbumInfoDialog::Edit(AlbumInfoFields& fields, UiServices& ui, QWidget* parent) {
    AlbumInfoDialog dialog(fields, ui, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    fields = dialog.Fields();
    return true;
}
