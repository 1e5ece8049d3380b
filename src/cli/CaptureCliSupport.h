#pragma once

#include <QString>

class CAlboraDoc;
class CAppSettings;
struct CliArgs;

// What the capture commands share: where new pictures go and how they are stored.

// The album's own directory, else the album file's folder.
QString CapturePictureFolder(const CAlboraDoc& doc, const QString& albumPath);

// --jpg and --quality Q into the capture settings; false, with the usage message in WHY, when
// the quality is not 0 to 100.
bool TakeStorageOptions(const CliArgs& args, CAppSettings& settings, QString& why);
