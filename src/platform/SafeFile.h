#pragma once

#include <QByteArray>
#include <QString>

// Writing a user's file so that a crash, a full disk or a failed copy never leaves it cut short:
// the bytes go to a temporary file beside the target, are flushed to the disk, and only then
// replace the target by a rename. On failure the target is as it was and ERROR gets the system's
// reason ("No space left on device").
namespace SafeFile {

bool Write(const QString& path, const QByteArray& bytes, QString* error = nullptr);
// Copies SOURCE over TARGET the same way; TARGET keeps SOURCE's modification time.
bool Copy(const QString& source, const QString& target, QString* error = nullptr);

}  // namespace SafeFile
