#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// Enhanced and Windows metafiles turned into SVG by Debian's converters (emf2svg-conv, wmf2svg),
// each run in its own process with a time limit, so that a hostile metafile can at worst fail.
// ALBORA_EMF2SVG and ALBORA_WMF2SVG name other programs to run in their place.
namespace MetafileConverter {

enum class Kind { None, Emf, Wmf };

// What DATA is by its first bytes; a file's name does not count.
Kind KindOf(QByteArrayView data);

// The SVG of the metafile PATH, or nullopt with the reason in REASON ("not a metafile",
// "emf2svg-conv not found", "conversion took too long"). Results, failures too, are kept in memory
// by path, size and modification time. Safe to call from any thread.
std::optional<QByteArray> ToSvg(const QString& path, QString* reason = nullptr);

}  // namespace MetafileConverter
