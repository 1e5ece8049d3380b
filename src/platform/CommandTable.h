#pragma once

#include <QString>

// One row per command: what menus, toolbars and the status bar show for it.
struct CommandInfo {
    int id;
    const char* text;      // menu text with its "&" mnemonic
    const char* shortcut;  // QKeySequence texts separated by "; ", or empty
    const char* prompt;    // status-bar prompt "\n" tooltip
    const char* icon;      // freedesktop icon name, or empty
};

namespace CommandTable {

// The row of ID, or nullptr for an id without one.
const CommandInfo* Find(int id);

// The part of the prompt shown in the status bar, and the tooltip after its "\n".
QString StatusPrompt(const CommandInfo& info);
QString ToolTip(const CommandInfo& info);

}  // namespace CommandTable
