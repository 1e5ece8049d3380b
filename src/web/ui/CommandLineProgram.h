#pragma once

#include <QString>

// COMMANDLINE run by PROGRAM (quoted when it holds a blank): PROGRAM followed by the line's
// placeholder part, from the first word holding a "{" to the end. The old program's own options
// seldom suit another program, and its path may hold unquoted blanks, as the defaults
// "C:\Program Files\..." do, so no word of it is kept.
QString WithProgram(const QString& commandLine, const QString& program);
