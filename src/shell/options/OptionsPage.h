#pragma once

#include "album/SettingRules.h"

#include <QLineEdit>
#include <QWidget>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

class CAppSettings;
class QCheckBox;
class QComboBox;
class QGroupBox;

// An edit of a whole number that its rule checks when the sheet is closed with OK.
class NumberEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit NumberEdit(const SettingRule& rule, QWidget* parent = nullptr);
    const SettingRule& Rule() const { return m_rule; }
    std::optional<QString> Refusal() const { return m_rule.Check(text()); }
    // The number typed, 0 when there is none.
    int Value() const { return text().trimmed().toInt(); }
    void SetValue(int value) { setText(QString::number(value)); }

private:
    SettingRule m_rule;
};

// One page of "General Options": its controls bound to settings by key, loaded and stored
// together. A page with controls of other kinds adds them in its own Load and Store.
class OptionsPage : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    virtual void Load(const CAppSettings& settings);
    virtual void Store(CAppSettings& settings) const;
    // The first edit of the page, in the order made, whose text is refused; null when none is.
    NumberEdit* FirstRefused() const;

protected:
    // Controls named after their key, so that tests and tools find them.
    QCheckBox* BoundCheck(const QString& text, const char* key);
    NumberEdit* BoundNumber(const char* key);
    QLineEdit* BoundText(const char* key);
    // An editable combo box offering ITEMS and keeping any typed text.
    QComboBox* BoundCombo(const char* key, const QStringList& items);
    // An edit checked by RULE whose value the page keeps itself.
    NumberEdit* CheckedNumber(const SettingRule& rule);
    // A group of ROWS one under the other.
    static QGroupBox* Group(const QString& title, std::initializer_list<QWidget*> rows);

private:
    std::vector<std::pair<QCheckBox*, QString>> m_checks;
    std::vector<std::pair<QLineEdit*, QString>> m_texts;
    std::vector<std::pair<QComboBox*, QString>> m_combos;
    std::vector<NumberEdit*> m_numbers;
};
