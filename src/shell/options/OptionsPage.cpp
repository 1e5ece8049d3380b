#include "OptionsPage.h"

#include "album/CAppSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QVBoxLayout>

NumberEdit::NumberEdit(const SettingRule& rule, QWidget* parent) : QLineEdit(parent), m_rule(rule) {
    setObjectName(rule.key);
    setMaxLength(11);
    setMaximumWidth(90);
}

void OptionsPage::Load(const CAppSettings& settings) {
    for (const auto& [check, key] : m_checks) check->setChecked(settings.ValueText(key).value_or(QString()) != "0");
    for (const auto& [edit, key] : m_texts) {
        edit->setText(settings.ValueText(key).value_or(QString()));
        edit->setCursorPosition(0);
    }
    for (const auto& [combo, key] : m_combos) combo->setCurrentText(settings.ValueText(key).value_or(QString()));
}

void OptionsPage::Store(CAppSettings& settings) const {
    for (const auto& [check, key] : m_checks)
        settings.SetValueText(key, check->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    for (const auto& [edit, key] : m_texts) settings.SetValueText(key, edit->text());
    for (const auto& [combo, key] : m_combos) settings.SetValueText(key, combo->currentText());
}

NumberEdit* OptionsPage::FirstRefused() const {
    for (NumberEdit* edit : m_numbers)
        if (edit->Refusal()) return edit;
    return nullptr;
}

QCheckBox* OptionsPage::BoundCheck(const QString& text, const char* key) {
    auto* check = new QCheckBox(text);
    check->setObjectName(QString::fromLatin1(key));
    m_checks.emplace_back(check, check->objectName());
    return check;
}

NumberEdit* OptionsPage::BoundNumber(const char* key) {
    const SettingRule* rule = SettingRules::Find(QString::fromLatin1(key));
    Q_ASSERT(rule);
    NumberEdit* edit = CheckedNumber(*rule);
    m_texts.emplace_back(edit, rule->key);
    return edit;
}

QLineEdit* OptionsPage::BoundText(const char* key) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(key));
    m_texts.emplace_back(edit, edit->objectName());
    return edit;
}

QComboBox* OptionsPage::BoundCombo(const char* key, const QStringList& items) {
    auto* combo = new QComboBox;
    combo->setObjectName(QString::fromLatin1(key));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    m_combos.emplace_back(combo, combo->objectName());
    return combo;
}

NumberEdit* OptionsPage::CheckedNumber(const SettingRule& rule) {
    auto* edit = new NumberEdit(rule);
    m_numbers.push_back(edit);
    return edit;
}


QGroupBox* OptionsPage::Group(const QString& title, std::initializer_list<QWidget*> rows) {
    auto* group = new QGroupBox(title);
    auto* layout = new QVBoxLayout(group);
    for (QWidget* row : rows) layout->addWidget(row);
    return group;
}
