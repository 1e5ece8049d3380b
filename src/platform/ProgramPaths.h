#pragma once

#include <QString>

// The program directory is the directory current at start-up, as the album's templates, tips and
// new-album folders expect; shipped files fall back to the installed and the source data folders.
namespace ProgramPaths {

// Records the current directory (with a trailing "/") as the program directory.
void CaptureProgramDirectory();

// The recorded program directory; captures it on first use.
QString ProgramDirectory();

// The first existing path of NAME in the program directory, the installed data directory and
// the source tree's data folder; empty when none exists.
QString FindShippedFile(const QString& name);

// DIR with a trailing "/" added when missing.
QString WithTrailingSlash(const QString& dir);

}  // namespace ProgramPaths
