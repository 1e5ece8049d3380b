#pragma once

#include <QObject>
#include <initializer_list>
#include <map>
#include <span>

class CommandRouter;
class QAction;
class QMenu;
class QWidget;

// The QActions of the command table, wired to a router: triggering an action routes its command,
// and Refresh asks the router's update queries for every action's enabled and checked state.
class CommandActions : public QObject {
    Q_OBJECT

public:
    CommandActions(const CommandRouter& router, QObject* parent);

    // The action of ID, made from its table row on first use.
    QAction* Action(int id);
    // Adds the actions of IDS to a menu or toolbar; 0 stands for a separator.
    void Fill(QWidget* bar, std::span<const int> ids);
    void Fill(QWidget* bar, std::initializer_list<int> ids) { Fill(bar, std::span(ids.begin(), ids.size())); }

    void Refresh();
    // Refreshes the actions of MENU each time it opens.
    void RefreshOnShow(QMenu* menu);

private:
    void Refresh(int id, QAction* action);

    const CommandRouter& m_router;
    std::map<int, QAction*> m_actions;
};
