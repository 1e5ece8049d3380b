#pragma once

#include "HtmlWizardPage.h"

class QComboBox;
class QLineEdit;
class UiServices;

// Page 1: where the pages are made, the pictures' format, the boxes pictures and thumbnails fit
// and whether the camera's private notes are published with them.
class OutputPage final : public HtmlWizardPage {
public:
    explicit OutputPage(UiServices& ui);

    void Load(const HtmlWizardSettings& settings) override;
    void Store(HtmlWizardSettings& settings) const override;
    // Refuses an empty directory and a size that is not a box, telling why.
    bool validatePage() override;

private:
    void ChooseDirectory();
    bool Refuse(QWidget* control, const QString& reason);

    UiServices& m_ui;
    QLineEdit* m_directory;
    QComboBox* m_format;
    QComboBox* m_pictureBox;
    QComboBox* m_thumbnailBox;
};
