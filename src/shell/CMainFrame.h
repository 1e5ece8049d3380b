#pragma once

#include "RecentFileList.h"

#include "platform/CommandTarget.h"
#include "platform/MainWindowServices.h"

#include <QMainWindow>
#include <QTimer>
#include <vector>

class CAlboraDoc;
class CAppSettings;
class CHTMLViewS;
class CommandActions;
class QtUiServices;
class QTabWidget;
class QToolBar;
class SettingsStore;
class StatusBarWithProgress;
class View;

// The program's main window: the views in a tab window, the menus and toolbars made from the
// command table, the status bar with its progress control, the recent albums and the window
// placement kept between runs.
class CMainFrame : public QMainWindow, public CommandTarget, public MainWindowServices {
    Q_OBJECT

public:
    CMainFrame(CAlboraDoc& doc, CAppSettings& settings, SettingsStore& store, QtUiServices& ui);
    ~CMainFrame() override;

    // Adds a view of the document as a tab.
    void AddTab(QWidget* widget, View* view, const QString& caption);
    // Brings tab N forward, telling the hidden and the shown view.
    void ShowTab(int n) override;
    // The album's site in the " Web Site " tab; without one there is no location and nowhere to go.
    void SetWebView(CHTMLViewS* view) { m_webView = view; }
    QString GetWebLocation() const override;
    void NavigateWeb(const QString& url) override;
    int CurrentTab() const;
    View* ActiveView() const;

    const CommandRouter& Router() const { return m_router; }
    // A further receiver of commands, asked after the view, the document and the frame.
    void AddCommandTarget(CommandTarget* target) {
        m_router.AddTarget([target] { return target; });
    }
    CommandActions& Actions() { return *m_actions; }
    StatusBarWithProgress* StatusBar() const { return m_statusBar; }
    RecentFileList& RecentFiles() { return m_recent; }

    // Places the window as the "WindowPos" setting says, or leaves it to the platform.
    void RestorePlacement();
    void ShowTipOfTheDay();
    void ShowWelcome();
    // "General Options" over the settings.
    void EditGeneralOptions();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void BuildMenus();
    void BuildToolbars();
    void RegisterCommands();
    void UpdateTitle();
    void RebuildRecentMenu();
    void OpenRecent(int index);
    void OpenAlbum();
    void About();
    void ToggleToolbar(QToolBar* toolbar);
    void SavePlacement();

    CAlboraDoc& m_doc;
    CAppSettings& m_settings;
    SettingsStore& m_store;
    QtUiServices& m_ui;
    CommandRouter m_router;
    CommandActions* m_actions;
    StatusBarWithProgress* m_statusBar;
    QTabWidget* m_tabs;
    CHTMLViewS* m_webView = nullptr;
    std::vector<View*> m_tabViews;
    int m_currentTab = 0;
    QToolBar* m_filesBar = nullptr;
    QToolBar* m_goToBar = nullptr;
    QToolBar* m_annotationsBar = nullptr;
    QToolBar* m_drawBar = nullptr;
    QToolBar* m_editBar = nullptr;
    QToolBar* m_cardsBar = nullptr;
    QToolBar* m_imageBar = nullptr;
    RecentFileList m_recent;
    QTimer m_idleTimer;
};
