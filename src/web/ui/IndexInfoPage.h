#pragma once

#include "HtmlWizardPage.h"

class QLineEdit;
class QPlainTextEdit;

// Page 4: the index information page and what the album tells on it.
class IndexInfoPage final : public HtmlWizardPage {
public:
    IndexInfoPage();

    void Load(const HtmlWizardSettings& settings) override;
    void Store(HtmlWizardSettings& settings) const override;

private:
    QLineEdit* m_email;
    QPlainTextEdit* m_moreInfo;
};
