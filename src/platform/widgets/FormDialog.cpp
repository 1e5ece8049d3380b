#include "FormDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>

FormDialog::FormDialog(QWidget* parent, const QString& title, int minimumWidth)
    : QDialog(parent), m_form(new QFormLayout(this)) {
    setWindowTitle(title);
    setMinimumWidth(minimumWidth);
}

bool FormDialog::Exec() {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_form->addRow(buttons);
    return exec() == QDialog::Accepted;
}
