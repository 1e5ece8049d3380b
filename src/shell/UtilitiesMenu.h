#pragma once

class CAppSettings;
class CommandActions;
class QMenu;

// Takes the five utility entries out of MENU and appends, in order 1 to 5, those whose
// definition has a menu text longer than one character, showing that text.
void RebuildUtilitiesMenu(QMenu& menu, CommandActions& actions, CAppSettings& settings);
