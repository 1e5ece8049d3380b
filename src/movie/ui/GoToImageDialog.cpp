#include "GoToImageDialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

GoToImageDialog::GoToImageDialog(const QStringList& names, int current, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget) {
    setWindowTitle(QStringLiteral("Go to image"));
    m_list->setObjectName(QStringLiteral("names"));
    m_list->addItems(names);
    m_list->setCurrentRow(current);
    // Enter reaches the OK button, the default one.
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

std::optional<int> GoToImageDialog::Choose(const QStringList& names, int current, QWidget* parent) {
    GoToImageDialog dialog(names, current, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.m_list->currentRow() < 0) return std::nullopt;
    return dialog.m_list->currentRow();
}
