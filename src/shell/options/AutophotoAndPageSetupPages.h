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
};

// "Page Setup": the printed card list's font, margins, header and footer.
class PageSetupPage : public OptionsPage {
    Q_OBJECT

public:
    explicit PageSetupPage(QWidget* parent = nullptr);
};
