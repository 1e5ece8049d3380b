#include "InsertImagesDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

InsertImagesDialog::InsertImagesDialog(const QString& files, const QString& path, QWidget* parent)
    : QDialog(parent), m_files(new QLineEdit(files)), m_path(new QLineEdit(path)) {
    setWindowTitle(QStringLiteral("Insert image(s)"));
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&File(s):"), m_files);
    form->addRow(QStringLiteral("&Path:"), m_path);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    m_files->setMinimumWidth(360);
}

QString InsertImagesDialog::Files() const { return m_files->text().trimmed(); }
QString InsertImagesDialog::Path() const { return m_path->text().trimmed(); }
