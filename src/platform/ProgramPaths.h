#pragma once

#include <QString>

// The program directory is the directory current at start-up, as the album's templates, tips and
// new-album folders expect; shipped files fall back to the installed and the source folders.
namespace ProgramPaths {

// Records the current directory (with a trailing "/") as the program directory.
void CaptureProgramDirectory();

// The recorded program directory; captures it on first use.
QString ProgramDirectory();

// The first existing path of NAME in the program directory, the installed data directory (below
// the running program's folder, then where it was configured to go) and the source tree's data and
// docs folders (the user manual lives in docs/); empty when none exists.
QString FindShippedFile(const QString& name);

// DIR with a trailing "/" added when missing.
QString WithTrailingSlash(const QString& dir);

}  // namespace ProgramPaths
