#pragma once

#include <QDialog>

class CAppSettings;
class CInternetPage;
class UiServices;

// "Properties" with the single page "Internet".
class InternetPropertiesSheet : public QDialog {
    Q_OBJECT

public:
    InternetPropertiesSheet(CAppSettings& settings, UiServices& ui, QWidget* parent);

    // Opens modally on the settings; OK stores the page into them and gives true, Cancel leaves
    // them as they were.
    bool Run();

private:
    CAppSettings& m_settings;
    CInternetPage* m_page;
};
