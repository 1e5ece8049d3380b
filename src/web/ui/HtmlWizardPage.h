#pragma once

#include "web/HtmlWizardSettings.h"

#include <QWizardPage>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;

// A page of the Internet assistant: shows its share of the settings and stores it back.
class HtmlWizardPage : public QWizardPage {
public:
    explicit HtmlWizardPage(const QString& title);

    virtual void Load(const HtmlWizardSettings& settings);
    virtual void Store(HtmlWizardSettings& settings) const;

protected:
    // A check box that shows and stores FLAG; NAME is its object name.
    QCheckBox* FlagBox(const QString& text, const char* name, bool HtmlWizardSettings::*flag);

private:
    std::vector<std::pair<QCheckBox*, bool HtmlWizardSettings::*>> m_flags;
};

// A text of a page, wrapped to its width; its mnemonic focuses BUDDY.
QLabel* PageText(const QString& text, QWidget* buddy = nullptr);
// A drop-down list of ITEMS; NAME is its object name.
QComboBox* ChoiceBox(const char* name, const QStringList& items);
// Selects the first item that begins with TEXT, ignoring case, as a Windows list does; the first
// item when none does, so a list never shows blank.
void SelectByPrefix(QComboBox* box, const QString& text);
