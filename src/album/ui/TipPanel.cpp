#include "TipPanel.h"

#include "album/TipOfTheDay.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TipPanel::TipPanel(SettingsStore& store, const QString& tipFile, const QString& nextText, QWidget* parent)
    : QWidget(parent), m_tips(std::make_unique<TipOfTheDay>(store, tipFile)), m_tip(new QLabel) {
    auto* heading = new QLabel(QStringLiteral("<b>Did you know...</b>"));
    m_tip->setTextFormat(Qt::PlainText);
    m_tip->setWordWrap(true);
    m_tip->setMinimumSize(360, 120);
    m_tip->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_tip->setFrameShape(QFrame::StyledPanel);
    m_tip->setMargin(12);
    auto* next = new QPushButton(nextText);
    next->setObjectName(QStringLiteral("nextTip"));
    connect(next, &QPushButton::clicked, this, &TipPanel::ShowNextTip);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(next);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(heading);
    layout->addWidget(m_tip, 1);
    layout->addLayout(buttons);
    ShowNextTip();
}

TipPanel::~TipPanel() = default;

QString TipPanel::CurrentTip() const { return m_tip->text(); }

void TipPanel::ShowNextTip() { m_tip->setText(m_tips->NextTip()); }
