#include "CImagePropertyPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

CImagePropertyPage::CImagePropertyPage(QWidget* parent)
    : OptionsPage(parent), m_quality(BoundNumber("JPGquality")), m_qualityBar(new QSlider(Qt::Horizontal)) {
    const SettingRule& rule = m_quality->Rule();
    m_qualityBar->setObjectName(QStringLiteral("qualityBar"));
    m_qualityBar->setRange(rule.minimum, rule.maximum);
    m_qualityBar->setPageStep(10);
    // Only a number the bar can show moves it; anything else waits for OK to be refused.
    connect(m_quality, &QLineEdit::textChanged, this, [this] {
        if (m_quality->Refusal()) return;
        const QSignalBlocker quiet(m_qualityBar);
        m_qualityBar->setValue(m_quality->Value());
    });
    connect(m_qualityBar, &QSlider::valueChanged, m_quality, &NumberEdit::SetValue);

    auto* internet = new QGroupBox(QStringLiteral("Ready for Internet"));
    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QStringLiteral("Poor")));
    bar->addWidget(m_qualityBar, 1);
    bar->addWidget(new QLabel(QStringLiteral("Excelent")));
    auto* internetForm = new QFormLayout(internet);
    internetForm->addRow(bar);
    internetForm->addRow(QStringLiteral("JPEG Image &quality:"), m_quality);
    internetForm->addRow(BoundCheck(QStringLiteral("&JPEG convert"), "flgJPG"));

    auto* names = new QGroupBox(QStringLiteral("Name generation"));
    auto* namesForm = new QFormLayout(names);
    namesForm->addRow(QStringLiteral("Name &prefix:"),
                      BoundCombo("NombreFoto", {"IMG_%04d", "IMG_%4d", "IMG_%04X", "ALBO_%04d", "IM%04d"}));
    namesForm->addRow(BoundCheck(QStringLiteral("&Store extra info"), "flgExtraInfo"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(internet);
    layout->addWidget(names);
    layout->addStretch();
}
