#pragma once

#include <QWidget>

class CAppSettings;
class QCheckBox;
class QLineEdit;
class UiServices;

// "Internet": the assistant's default directory, the HTML editor and publisher command lines and
// the choice of the internal web browser. A page of the program's property sheets; program
// files are chosen through the Ui services.
class CInternetPage : public QWidget {
    Q_OBJECT

public:
    explicit CInternetPage(UiServices& ui, QWidget* parent = nullptr);

    void Load(const CAppSettings& settings);
    void Store(CAppSettings& settings) const;

private:
    // A row of the command line EDIT and a "..." button that puts a chosen program into it.
    QWidget* CommandRow(QLineEdit* edit, const QString& chooserTitle);

    UiServices& m_ui;
    QLineEdit* m_defaultDirectory;
    QLineEdit* m_editor;
    QLineEdit* m_publisher;
    QCheckBox* m_internalBrowser;
};
