#include "CommandActions.h"
#include "ThemeIcon.h"

#include "platform/CommandTable.h"
#include "platform/CommandTarget.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

CommandActions::CommandActions(const CommandRouter& router, QObject* parent)
    : QObject(parent), m_router(router) {}

QAction* CommandActions::Action(int id) {
    if (const auto it = m_actions.find(id); it != m_actions.end()) return it->second;
    auto* action = new QAction(this);
    if (const CommandInfo* info = CommandTable::Find(id)) {
        action->setText(QString::fromUtf8(info->text));
        if (*info->shortcut) action->setShortcuts(QKeySequence::listFromString(QString::fromUtf8(info->shortcut)));
        action->setStatusTip(CommandTable::StatusPrompt(*info));
        action->setWhatsThis(CommandTable::StatusPrompt(*info));
        action->setToolTip(CommandTable::ToolTip(*info));
        action->setIconText(CommandTable::ToolTip(*info));
        if (*info->icon) action->setIcon(ThemeIcon(QString::fromUtf8(info->icon)));
    }
    connect(action, &QAction::triggered, this, [this, id] { m_router.Execute(id); });
    m_actions.emplace(id, action);
    Refresh(id, action);
    return action;
}

void CommandActions::Fill(QWidget* bar, std::span<const int> ids) {
    for (int id : ids) {
        if (id != 0) {
            bar->addAction(Action(id));
            continue;
        }
        auto* separator = new QAction(bar);
        separator->setSeparator(true);
        bar->addAction(separator);
    }
}

void CommandActions::Refresh(int id, QAction* action) {
    const CommandState state = m_router.Update(id);
    action->setEnabled(state.enabled);
    action->setCheckable(state.checked || action->isCheckable());
    action->setChecked(state.checked);
    if (!state.text.isEmpty()) action->setText(state.text);
}

void CommandActions::Refresh() {
    for (const auto& [id, action] : m_actions) Refresh(id, action);
}

void CommandActions::RefreshOnShow(QMenu* menu) {
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        for (QAction* action : menu->actions())
            for (const auto& [id, candidate] : m_actions)
                if (candidate == action) Refresh(id, action);
    });
}
