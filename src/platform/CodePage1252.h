#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Album and annotation files carry single-byte texts in the Windows-1252 code page.
namespace CodePage1252 {

// Every byte maps to one character; the five bytes Windows leaves undefined map to the C1
// control of the same value, so a read and a write give the bytes back unchanged.
QString Decode(QByteArrayView bytes);

// nullopt when a character has no Windows-1252 byte; the caller then stores the text wide.
std::optional<QByteArray> Encode(const QString& text);

}  // namespace CodePage1252
