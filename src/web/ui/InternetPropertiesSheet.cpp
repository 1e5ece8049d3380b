#include "InternetPropertiesSheet.h"

#include "CInternetPage.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

InternetPropertiesSheet::InternetPropertiesSheet(CAppSettings& settings, UiServices& ui,
                                                 QWidget* parent)
    : QDialog(parent), m_settings(settings), m_page(new CInternetPage(ui)) {
    setWindowTitle(QStringLiteral("Properties"));
    auto* tabs = new QTabWidget;
    tabs->addTab(m_page, QStringLiteral("Internet"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    resize(540, sizeHint().height());
}

bool InternetPropertiesSheet::Run() {
    m_page->Load(m_settings);
    if (exec() != QDialog::Accepted) return false;
    m_page->Store(m_settings);
    return true;
}
