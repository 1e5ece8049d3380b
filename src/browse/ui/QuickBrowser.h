#pragma once

#include <QDialog>
#include <functional>

class CAppSettings;
class QComboBox;
class QListWidget;
class UiServices;

// "Quick browser:": the favourite folders of "quick.lst"; a double click makes an album of the
// folder's pictures of the mask. Closing writes the list back.
class QuickBrowser : public QDialog {
    Q_OBJECT

public:
    // GO is handed the chosen folder, after the mask has been stored as "browserMask"; the
    // program sends it on as the command "GoFromQuickFolders".
    QuickBrowser(CAppSettings& settings, UiServices& ui, std::function<void()> go, QWidget* parent);

    QListWidget* List() const { return m_list; }
    QComboBox* Mask() const { return m_mask; }
    const QString& ChosenFolder() const { return m_chosen; }
    void Add();
    void DeleteSelected();
    // Writes the list; a failure is said, not swallowed.
    bool Save();

protected:
    void done(int result) override;

private:
    CAppSettings& m_settings;
    UiServices& m_ui;
    std::function<void()> m_go;
    QComboBox* m_mask;
    QListWidget* m_list;
    QString m_chosen;
};
