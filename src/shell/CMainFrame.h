#pragma once

#include "RecentFileList.h"

#include "platform/CommandTarget.h"
#include "platform/MainWindowServices.h"

#include <QMainWindow>
#include <QTimer>
#include <map>
#include <vector>

class CAlboraDoc;
class CAppSettings;
class CHTMLViewS;
class CommandActions;
class QtUiServices;
class QSessionManager;
class QSplitter;
class QTabWidget;
class QToolBar;
class SettingsStore;
class StatusBarWithProgress;
class View;

// The program's main window: the views in a tab window or, in the classic layout, one above the
// other; the menus and the thirteen toolbars made from the command table, their arrangement, the
// status bar with its progress control, the recent albums and the window placement kept between
// runs.
class CMainFrame : public QMainWindow, public CommandTarget, public MainWindowServices {
    Q_OBJECT

public:
    CMainFrame(CAlboraDoc& doc, CAppSettings& settings, SettingsStore& store, QtUiServices& ui);
    ~CMainFrame() override;

    // The layout is read from the settings once, when the frame is made.
    bool IsClassicLayout() const { return m_splitter != nullptr; }
    // Adds a view of the document as the next tab, or the next row of the classic layout.
    void AddView(QWidget* widget, View* view, const QString& caption);
    // Brings tab N forward, telling the hidden and the shown view; nothing in the classic layout.
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

    // The toolbars in the order they were made, and the one a show/hide command toggles.
    const std::vector<QToolBar*>& Toolbars() const { return m_toolbars; }
    QToolBar* ToolbarOf(int toggleCommand) const;

    // Lists the toolbars' show/hide commands: the right-click menu of every toolbar.
    QMenu* createPopupMenu() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void BuildMenus();
    void BuildToolbars();
    // Brings back the toolbar arrangement saved at the last close.
    void RestoreToolbars();
    // The Draw toolbar is on the screen with the drawing, when the user wants it.
    void ShowDrawBar();
    void RegisterCommands();
    void UpdateTitle();
    void UpdateModifiedMark();
    // Asks about every unsaved change, the drawing's first, then the album's; false when the user
    // cancelled or a save failed.
    bool SettleUnsavedWork();
    // The end of the desktop session: asked as closing the window asks, while the session manager
    // lets the program ask.
    void CommitData(QSessionManager& manager);
    void RebuildRecentMenu();
    void OpenRecent(int index);
    void OpenAlbum();
    void About();
    void RegisterViewSizeCommands();
    void SizeViews(std::vector<int> heights, int activeRow);
    void AskClassicLayout();
    // PAGE of the user manual in the desktop's browser.
    void OpenManual(const QString& page);
    void SavePlacement();

    CAlboraDoc& m_doc;
    CAppSettings& m_settings;
    SettingsStore& m_store;
    QtUiServices& m_ui;
    CommandRouter m_router;
    CommandActions* m_actions;
    StatusBarWithProgress* m_statusBar;
    QTabWidget* m_tabs = nullptr;
    QSplitter* m_splitter = nullptr;
    CHTMLViewS* m_webView = nullptr;
    std::vector<View*> m_views;
    std::vector<QWidget*> m_viewWidgets;
    int m_current = 0;  // the tab shown, or the row last given the focus
    std::vector<QToolBar*> m_toolbars;
    std::map<int, QToolBar*> m_toggles;
    bool m_drawBarWanted = true;
    QPoint m_normalCorner;  // the frame's corner when the window was last neither maximised nor minimised
    RecentFileList m_recent;
    QTimer m_idleTimer;
};
