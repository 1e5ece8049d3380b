#pragma once

#include <QString>

// The program directory is the directory current at start-up: "{ALBOPATH}" names it and new
// albums' folders go below it, as albums and their placeholders expect. Nothing is read from it:
// shipped files come from the installation, and what the program keeps for its user from the
// user's XDG folders, so that a folder of downloaded files cannot stand in for either.
namespace ProgramPaths {

// Records the current directory (with a trailing "/") as the program directory.
void CaptureProgramDirectory();

// The recorded program directory; captures it on first use.
QString ProgramDirectory();

// The path of NAME among the shipped files, which lie below the running program's folder
// (bin/../share/albora/) in an installation and in the build tree alike. Empty when it does not
// exist.
QString FindShippedFile(const QString& name);

// Where the program keeps what it learns for its user, as "quick.lst": $XDG_DATA_HOME/albora/
// (~/.local/share/albora/), made when missing (a folder that cannot be made fails the write).
QString UserDataDirectory();

// The folder for scratch files when the user has chosen none: $XDG_CACHE_HOME/albora/
// (~/.cache/albora/), made when missing, or the system's temporary folder when it cannot be.
QString ScratchDirectory();

// DIR with a trailing "/" added when missing.
QString WithTrailingSlash(const QString& dir);

}  // namespace ProgramPaths
