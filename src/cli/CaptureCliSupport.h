#pragma once

#include <QString>

class CAlboraDoc;
class CAppSettings;
struct CliArgs;

// What the capture commands share: where new pictures go and how they are stored.

// The album's own directory, else the album file's folder.
QString CapturePictureFolder(const CAlboraDoc& doc, const QString& albumPath);

// Makes that folder current (card names are relative to it) and, unless the settings name one,
// the scratch bitmaps' folder too, so a capture kept after a failed conversion lies beside the
// album. False when the folder cannot be used; FOLDER is set either way.
bool EnterPictureFolder(const CAlboraDoc& doc, const QString& albumPath, CAppSettings& settings, QString& folder);

// --jpg and --quality Q into the capture settings; false, with the usage message in WHY, when
// the quality is not 0 to 100.
bool TakeStorageOptions(const CliArgs& args, CAppSettings& settings, QString& why);
