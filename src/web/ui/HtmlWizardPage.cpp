#include "HtmlWizardPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <algorithm>

HtmlWizardPage::HtmlWizardPage(const QString& title) { setTitle(title); }

void HtmlWizardPage::Load(const HtmlWizardSettings& settings) {
    for (const auto& [box, flag] : m_flags) box->setChecked(settings.*flag);
}

void HtmlWizardPage::Store(HtmlWizardSettings& settings) const {
    for (const auto& [box, flag] : m_flags) settings.*flag = box->isChecked();
}

QCheckBox* HtmlWizardPage::FlagBox(const QString& text, const char* name,
                                   bool HtmlWizardSettings::*flag) {
    auto* box = new QCheckBox(text);
    box->setObjectName(QString::fromLatin1(name));
    m_flags.emplace_back(box, flag);
    return box;
}

QLabel* PageText(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    label->setBuddy(buddy);
    return label;
}

QComboBox* ChoiceBox(const char* name, const QStringList& items) {
    auto* box = new QComboBox;
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(items);
    return box;
}

void SelectByPrefix(QComboBox* box, const QString& text) {
    box->setCurrentIndex(std::max(0, box->findText(text, Qt::MatchStartsWith)));
}
