#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The album file on disk: an OLE compound file whose root storage holds one stream, "Contents".
namespace AlbumFile {

// The bytes of the "Contents" stream. A file that is not a compound file, or has no such stream,
// is taken whole as the stream. Only a regular file of a size an album can have is read; else
// nullopt, with REASON saying why.
std::optional<QByteArray> ReadContents(const QString& path, QString* reason = nullptr);

// Writes a compound file holding CONTENTS into a temporary file beside PATH and renames it over
// PATH only when the whole file is written, so a failure never leaves a half-written album.
bool WriteContents(const QString& path, const QByteArray& contents, QString* error = nullptr);

// The compound file holding CONTENTS, in memory.
std::optional<QByteArray> MakeCompoundFile(const QByteArray& contents);

// The "Contents" stream of a compound file in memory, or nullopt when DATA is no compound file.
std::optional<QByteArray> StreamOfCompoundFile(const QByteArray& data);

}  // namespace AlbumFile
