#pragma once

#include <QString>
#include <optional>

class CImageObject;

// The overlay's pictures in the formats "GrabaFormato" names ("BMP type DIB 24-bit", "BMP type
// DIB 8-bit", "BMP type DIB 8-bit gray", "GIF type GIF 8-bit", "GIF type GIF 8-bit gray").
namespace OverlaySave {

bool IsKnownFormat(const QString& format);
// Writes PICTURE to PATH in FORMAT, replacing PATH only once the whole file is written. Nothing,
// or the reason it failed ("unknown format", "No space left on device").
std::optional<QString> Write(const CImageObject& picture, const QString& path, const QString& format);

}  // namespace OverlaySave
