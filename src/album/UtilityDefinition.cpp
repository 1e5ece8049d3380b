#include "UtilityDefinition.h"

#include "CAlboraDoc.h"
#include "CAppSettings.h"

#include "platform/ProcessLauncher.h"
#include "platform/UiServices.h"

#include <QProcess>

UtilityDefinition UtilityDefinition::Parse(const QString& definition) {
    const QStringList parts = definition.split(';');
    return {parts.value(0), parts.value(1)};
}

std::array<QString*, UtilityDefinition::kCount> UtilitySettings(CAppSettings& settings) {
    return {&settings.util1, &settings.util2, &settings.util3, &settings.util4, &settings.util5};
}

std::optional<UtilityCommand> BuildUtilityCommand(const QString& commandTemplate, CAlboraDoc& doc,
                                                  const std::optional<SelectedCardTexts>& selection) {
    const QString newName = doc.NextImageFileName();
    QStringList words = QProcess::splitCommand(commandTemplate);
    if (words.isEmpty()) return std::nullopt;
    for (QString& word : words) ExpandProgramPlaceholders(word, doc, selection, newName);
    if (words.front().isEmpty()) return std::nullopt;
    return UtilityCommand{words.front(), words.mid(1)};
}

bool RunUtility(const QString& definition, CAlboraDoc& doc, const std::optional<SelectedCardTexts>& selection,
                UiServices& ui, ProcessLauncher& launcher, UtilityQuestion question, View* sender) {
    const UtilityDefinition utility = UtilityDefinition::Parse(definition);
    const std::optional<UtilityCommand> command = BuildUtilityCommand(utility.commandTemplate, doc, selection);
    if (!command) {
        ui.MessageBox(QStringLiteral("Error:\nCan't execute the utility: ") + definition, MsgButtons::Ok, MsgIcon::Stop);
        return false;
    }
    if (question == UtilityQuestion::Ask &&
        ui.MessageBox(QStringLiteral("Begin execute application?:\n") + command->program + QStringLiteral("\n") +
                          command->arguments.join(' '),
                      MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes) {
        doc.UpdateAllViews(sender, Hint::ViewCurrent);
        return true;
    }
    if (!launcher.StartDetached(command->program, command->arguments)) {
        QString message = QStringLiteral("Error:\nExecuting:\n") + utility.commandTemplate;
        if (const QString reason = launcher.StartError(); !reason.isEmpty()) message += QStringLiteral("\n(") + reason + ')';
        ui.MessageBox(message, MsgButtons::Ok, MsgIcon::Stop);
        return false;
    }
    doc.UpdateAllViews(sender, Hint::ViewCurrent);
    return true;
}
