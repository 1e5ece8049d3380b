#include "CommandActions.h"

#include "platform/CommandTable.h"
#include "platform/CommandTarget.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QStyle>
#include <QKeySequence>
#include <QMenu>

namespace {

// The style's own pictures stand in where the desktop has no icon theme.
QIcon ThemeIcon(const QString& name) {
    static const std::map<QString, QStyle::StandardPixmap> fallbacks = {
        {"document-new", QStyle::SP_FileIcon},
        {"document-open", QStyle::SP_DialogOpenButton},
        {"document-save", QStyle::SP_DialogSaveButton},
        {"document-save-as", QStyle::SP_DialogSaveButton},
        {"document-print", QStyle::SP_ComputerIcon},
        {"document-print-preview", QStyle::SP_FileDialogContentsView},
        {"mail-send", QStyle::SP_CommandLink},
        {"document-properties", QStyle::SP_FileDialogInfoView},
        {"go-first", QStyle::SP_MediaSkipBackward},
        {"go-previous", QStyle::SP_MediaSeekBackward},
        {"go-next", QStyle::SP_MediaSeekForward},
        {"go-last", QStyle::SP_MediaSkipForward},
        {"media-playback-start", QStyle::SP_MediaPlay},
        {"media-playback-stop", QStyle::SP_MediaStop},
        {"help-about", QStyle::SP_MessageBoxInformation},
        {"help-contextual", QStyle::SP_TitleBarContextHelpButton},
        {"application-exit", QStyle::SP_DialogCloseButton},
        {"go-home", QStyle::SP_DirHomeIcon},
        {"folder-pictures", QStyle::SP_DirIcon},
        {"edit-cut", QStyle::SP_DialogDiscardButton},
        {"edit-copy", QStyle::SP_FileLinkIcon},
        {"edit-paste", QStyle::SP_DialogApplyButton},
        {"list-add", QStyle::SP_FileDialogNewFolder},
        {"list-remove", QStyle::SP_TrashIcon},
        {"document-edit", QStyle::SP_FileDialogDetailedView},
        {"edit-find", QStyle::SP_FileDialogContentsView},
        {"view-refresh", QStyle::SP_BrowserReload},
        {"image-x-generic", QStyle::SP_DesktopIcon},
        {"media-record", QStyle::SP_MediaVolume},
    };
    const auto it = fallbacks.find(name);
    if (it == fallbacks.end()) return QIcon::fromTheme(name);
    return QIcon::fromTheme(name, QApplication::style()->standardIcon(it->second));
}

}  // namespace

CommandActions::CommandActions(const CommandRouter& router, QObject* parent)
    : QObject(parent), m_router(router) {}

QAction* CommandActions::Action(int id) {
    if (const auto it = m_actions.find(id); it != m_actions.end()) return it->second;
    auto* action = new QAction(this);
    if (const CommandInfo* info = CommandTable::Find(id)) {
        action->setText(QString::fromUtf8(info->text));
        if (*info->shortcut) action->setShortcuts(QKeySequence::listFromString(QString::fromUtf8(info->shortcut)));
        action->setStatusTip(CommandTable::StatusPrompt(*info));
        action->setToolTip(CommandTable::ToolTip(*info));
        action->setIconText(CommandTable::ToolTip(*info));
        if (*info->icon) action->setIcon(ThemeIcon(QString::fromUtf8(info->icon)));
    }
    connect(action, &QAction::triggered, this, [this, id] { m_router.Execute(id); });
    m_actions.emplace(id, action);
    Refresh(id, action);
    return action;
}

void CommandActions::Fill(QWidget* bar, std::initializer_list<int> ids) {
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
