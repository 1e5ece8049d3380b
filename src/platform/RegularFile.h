#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The whole of the regular file PATH, or nullopt when it cannot be read, is no regular file (a
// device, a pipe, a folder: a name from outside may point at anything) or holds more than
// MAXBYTES; then REASON, when given, says why.
std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxBytes, QString* reason = nullptr);
