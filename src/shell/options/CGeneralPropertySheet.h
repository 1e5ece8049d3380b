#pragma once

#include <QDialog>
#include <vector>

class CAppSettings;
class CaptureOptions;
class CInternetPage;
class OptionsPage;
class QTabWidget;
class UiServices;

// "General Options": nine pages over most of the program's settings. OK stores them all once
// every number is within its range; Cancel changes nothing.
class CGeneralPropertySheet : public QDialog {
    Q_OBJECT

public:
    // CAPTURE may be null: the capture pages then say that no device is available.
    CGeneralPropertySheet(CAppSettings& settings, UiServices& ui, CaptureOptions* capture, QWidget* parent);
    // The "Properties" sheet of the capture dialogs: the Images page alone.
    struct ImagesOnly {};
    CGeneralPropertySheet(CAppSettings& settings, UiServices& ui, QWidget* parent, ImagesOnly);

    // Opens modally on the settings; OK stores every page into them, makes the JPEG quality the
    // image library's and gives true.
    bool Run();

    // A number out of its range is refused with a message, and the sheet stays open on its page.
    void accept() override;

private:
    void AddPage(OptionsPage* page, const QString& caption);
    void AddButtonsAndSize();

    CAppSettings& m_settings;
    UiServices& m_ui;
    QTabWidget* m_tabs;
    std::vector<OptionsPage*> m_pages;
    CInternetPage* m_internet = nullptr;
};
