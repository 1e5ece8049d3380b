#include "UtilitiesMenu.h"

#include "album/CAppSettings.h"
#include "album/UtilityDefinition.h"
#include "platform/CommandIds.h"
#include "platform/CommandTable.h"
#include "platform/widgets/CommandActions.h"

#include <QAction>
#include <QMenu>

void RebuildUtilitiesMenu(QMenu& menu, CommandActions& actions, CAppSettings& settings) {
    const auto definitions = UtilitySettings(settings);
    for (int i = 0; i < UtilityDefinition::kCount; ++i) {
        QAction* action = actions.Action(Cmd::kUtilities[i]);
        menu.removeAction(action);
        const UtilityDefinition utility = UtilityDefinition::Parse(*definitions[std::size_t(i)]);
        // The Tools toolbar's button tells which utility it starts.
        const QString name = utility.InMenu() ? QString(utility.menuText).remove(QLatin1Char('&'))
                                              : CommandTable::ToolTip(*CommandTable::Find(Cmd::kUtilities[i]));
        action->setToolTip(name);
        action->setIconText(name);
        if (!utility.InMenu()) continue;
        action->setText(utility.menuText);
        menu.addAction(action);
    }
}
