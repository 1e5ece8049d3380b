#include "TipDialog.h"

#include "TipPanel.h"

#include "album/TipOfTheDay.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TipDialog::TipDialog(SettingsStore& store, const QString& tipFile, QWidget* parent)
    : QDialog(parent),
      m_panel(new TipPanel(store, tipFile, QStringLiteral("&Next Tip"))),
      m_showAtStartUp(new QCheckBox(QStringLiteral("&Show Tips on StartUp"))) {
    setWindowTitle(QStringLiteral("Albora 32 bits: Tip of the Day"));
    m_showAtStartUp->setChecked(TipOfTheDay::ShowAtStartUp(store));
    auto* close = new QPushButton(QStringLiteral("&Close"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &TipDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_showAtStartUp);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_panel, 1);
    layout->addLayout(buttons);
}

QString TipDialog::CurrentTip() const { return m_panel->CurrentTip(); }

void TipDialog::accept() {
    m_panel->Tips().SetShowAtStartUp(m_showAtStartUp->isChecked());
    QDialog::accept();
}
