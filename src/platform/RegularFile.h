#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <optional>

// The whole of the regular file PATH, or nullopt when it cannot be read, is no regular file (a
// device, a pipe, a folder: a name from outside may point at anything) or holds more than
// MAXBYTES; then REASON, when given, says why.
std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxBytes, QString* reason = nullptr);

// Opens the regular file PATH for reading into FILE, refusing what ReadRegularFile refuses
// except the size; false with REASON, when given, when it cannot.
bool OpenRegularFile(const QString& path, QFile& file, QString* reason = nullptr);
