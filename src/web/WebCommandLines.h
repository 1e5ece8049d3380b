#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class CAlboraDoc;
class CAppSettings;

// The folder a site goes to: the "assistDefDir" setting with {CRPPATH} the album's folder and
// Windows separators turned; the current folder + "/WEB" for an album not saved yet.
QString SiteDirectory(const QString& assistDefDir, const QString& albumDirectory);

// The album's folder, or empty for an album not yet saved.
QString SavedAlbumDirectory(const CAlboraDoc& doc);

// The folder of the album's site where the settings place it; empty for an album not yet saved,
// which has no site.
QString AlbumSiteDirectory(const CAlboraDoc& doc, const CAppSettings& settings);

// A program and its arguments from a command-line setting: the line is split into words as a
// shell would (quotes kept together), then each placeholder is replaced inside each word, so a
// file name with blanks stays one argument and can never add one. Placeholders match without
// regard to case. An empty list when the line names no program.
QStringList CommandWords(const QString& commandLine, const std::vector<std::pair<QString, QString>>& placeholders);

// Why COMMANDLINE is not run here: its program is named by a Windows path (a drive letter or
// backslashes), as settings kept from Windows have it; "Not found: a Windows path: PATH", or empty
// when the line may be tried. Such a setting stays as stored.
QString WindowsProgramProblem(const QString& commandLine);
