#pragma once

#include <QWizard>
#include <vector>

class HtmlWizardPage;
class UiServices;
struct HtmlWizardSettings;

// "Wizard": the Internet assistant's five pages over the settings it is given. The folder chooser
// and the messages go through the Ui services.
class CPSheetHTMLWizard : public QWizard {
    Q_OBJECT

public:
    CPSheetHTMLWizard(HtmlWizardSettings& settings, UiServices& ui, QWidget* parent);

    // Opens modally on page 1 with OUTPUTDIRECTORY as the directory and every other control as
    // the settings hold it. "Start..." stores every control into the settings and gives true;
    // Cancel gives false and leaves them as they were.
    bool Run(const QString& outputDirectory);

private:
    HtmlWizardSettings& m_settings;
    std::vector<HtmlWizardPage*> m_pages;
};
