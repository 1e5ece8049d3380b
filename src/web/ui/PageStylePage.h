#pragma once

#include "HtmlWizardPage.h"

class QButtonGroup;
class QComboBox;

// Page 3: the page format, each shown by a picture of its layout, and the style and button sets.
class PageStylePage final : public HtmlWizardPage {
public:
    PageStylePage();

    void Load(const HtmlWizardSettings& settings) override;
    void Store(HtmlWizardSettings& settings) const override;

private:
    QButtonGroup* m_formats;
    QComboBox* m_styleSet;
    QComboBox* m_buttonSet;
};
