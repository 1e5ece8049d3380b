#pragma once

#include "OptionsPage.h"

class QComboBox;

// "Autophoto": the timer of the autophoto commands.
class AutophotoPage : public OptionsPage {
    Q_OBJECT

public:
    explicit AutophotoPage(QWidget* parent = nullptr);
    void Load(const CAppSettings& settings) override;
    void Store(CAppSettings& settings) const override;

private:
    QComboBox* m_unit;
    int m_shownAtLoad = 0;  // a unit the user did not choose is left as stored
};

// "Page Setup": the printed card list's font, margins, header and footer.
class PageSetupPage : public OptionsPage {
    Q_OBJECT

public:
    explicit PageSetupPage(QWidget* parent = nullptr);
};
