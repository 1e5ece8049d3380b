#include "TipDialog.h"

#include "album/TipOfTheDay.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TipDialog::TipDialog(SettingsStore& store, const QString& tipFile, QWidget* parent)
    : QDialog(parent),
      m_tips(std::make_unique<TipOfTheDay>(store, tipFile)),
      m_tip(new QLabel),
      m_showAtStartUp(new QCheckBox(QStringLiteral("&Show Tips on StartUp"))) {
    setWindowTitle(QStringLiteral("Albora 32 bits: Tip of the Day"));
    auto* heading = new QLabel(QStringLiteral("<b>Did you know...</b>"));
    m_tip->setTextFormat(Qt::PlainText);
    m_tip->setWordWrap(true);
    m_tip->setMinimumSize(360, 120);
    m_tip->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_tip->setFrameShape(QFrame::StyledPanel);
    m_tip->setMargin(12);
    m_showAtStartUp->setChecked(TipOfTheDay::ShowAtStartUp(store));
    auto* next = new QPushButton(QStringLiteral("&Next Tip"));
    auto* close = new QPushButton(QStringLiteral("&Close"));
    close->setDefault(true);
    connect(next, &QPushButton::clicked, this, &TipDialog::ShowNextTip);
    connect(close, &QPushButton::clicked, this, &TipDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_showAtStartUp);
    buttons->addStretch();
    buttons->addWidget(next);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_tip, 1);
    layout->addLayout(buttons);
    ShowNextTip();
}

TipDialog::~TipDialog() = default;

QString TipDialog::CurrentTip() const { return m_tip->text(); }

void TipDialog::ShowNextTip() { m_tip->setText(m_tips->NextTip()); }

void TipDialog::accept() {
    m_tips->SetShowAtStartUp(m_showAtStartUp->isChecked());
    QDialog::accept();
}
