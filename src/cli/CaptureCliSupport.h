#pragma once

#include <QSize>
#include <QString>
#include <optional>

class CAlboraDoc;
class CAppSettings;
class CliContext;
struct CliArgs;

// What the capture commands share: where new pictures go and how they are stored.

// Opens ALBUM_PATH into DOC and makes its picture folder (the album's own directory, else the
// album file's folder) current, as card names are relative to it; unless the settings name one,
// it is the scratch bitmaps' folder too, so a capture kept after a failed conversion lies beside
// the album. False, with the message given, when either fails.
bool OpenCaptureAlbum(CliContext& c, CAlboraDoc& doc, const QString& albumPath, QString& folder);

// "WxH" of a --size option, 1 to 8192 each way.
std::optional<QSize> SizeOption(const QString& text);

// --jpg and --quality Q into the capture settings; false, with the usage message in WHY, when
// the quality is not 0 to 100.
bool TakeStorageOptions(const CliArgs& args, CAppSettings& settings, QString& why);
