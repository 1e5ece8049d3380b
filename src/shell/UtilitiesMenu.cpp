#include "UtilitiesMenu.h"

#include "album/CAppSettings.h"
#include "album/UtilityDefinition.h"
#include "platform/CommandIds.h"
#include "platform/widgets/CommandActions.h"

#include <QAction>
#include <QMenu>

void RebuildUtilitiesMenu(QMenu& menu, CommandActions& actions, CAppSettings& settings) {
    const auto definitions = UtilitySettings(settings);
    for (int i = 0; i < UtilityDefinition::kCount; ++i) {
        QAction* action = actions.Action(Cmd::kUtilities[i]);
        menu.removeAction(action);
        const UtilityDefinition utility = UtilityDefinition::Parse(*definitions[std::size_t(i)]);
        if (!utility.InMenu()) continue;
        action->setText(utility.menuText);
        menu.addAction(action);
    }
}
