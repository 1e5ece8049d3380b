#pragma once

#include "Placeholders.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

class CAlboraDoc;
class CAppSettings;
class ProcessLauncher;
class UiServices;
class View;

// One user utility, "MenuName;program argument;ignored": the menu text before the first ";",
// the command template between the first and the second.
struct UtilityDefinition {
    static constexpr int kCount = 5;

    QString menuText;
    QString commandTemplate;  // empty when the definition has no command part

    static UtilityDefinition Parse(const QString& definition);
    // A command is enabled, and a menu item shown, only for texts longer than one character.
    static bool IsEnabled(const QString& definition) { return definition.size() > 1; }
    bool InMenu() const { return menuText.size() > 1; }
};

// The settings util1 to util5, in order.
std::array<QString*, UtilityDefinition::kCount> UtilitySettings(CAppSettings& settings);

// What a utility starts: the program and its arguments.
struct UtilityCommand {
    QString program;
    QStringList arguments;
};

// The command of TEMPLATE for the album and the selected card. The template is split into words
// before the placeholders are expanded inside each word, so a value with blanks, ";", "$()" or
// quotes stays one literal argument; a word in double quotes keeps its blanks. The first word is
// the program, the others its arguments, with files named by absolute paths (see
// ExpandProgramPlaceholders). One new image name serves
// every "{NEWNAME}" of the run, and is taken even when none is used, so each run advances the
// naming counter. Nullopt when the template names no program.
std::optional<UtilityCommand> BuildUtilityCommand(const QString& commandTemplate, CAlboraDoc& doc,
                                                  const std::optional<SelectedCardTexts>& selection);

enum class UtilityQuestion { Ask, Skip };

// Runs DEFINITION as the Utilities menu does: asks before starting unless told to skip,
// reports a definition without a command or a program that cannot start, and tells the
// document's views other than SENDER (hint 500) unless it failed. False on failure.
bool RunUtility(const QString& definition, CAlboraDoc& doc, const std::optional<SelectedCardTexts>& selection,
                UiServices& ui, ProcessLauncher& launcher, UtilityQuestion question, View* sender);
