#pragma once

#include "ImagePalette.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// Palette files as Windows writes them: a RIFF "PAL " form whose "data" chunk holds the logical
// palette (version 0x300, a count, then red, green, blue and flags for each colour).
namespace PaletteFile {

// The palette in DATA, or nullopt with the reason in REASON when DATA is not a palette file.
std::optional<ImagePalette> Parse(QByteArrayView data, QString* reason = nullptr);
QByteArray Bytes(const ImagePalette& palette);

}  // namespace PaletteFile
