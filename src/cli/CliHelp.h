#pragma once

#include <string>
#include <string_view>
#include <vector>

// What "albora-cli --help" prints: every command with its arguments.
extern const char kCliHelp[];

// The usage of the command that WORDS (the arguments after the program's name) name: the entries of
// kCliHelp for GROUP and, in a group of several commands, for COMMAND (every one of the group when
// COMMAND is an option). Empty when they name no command.
std::string CommandHelp(const std::vector<std::string_view>& words);
