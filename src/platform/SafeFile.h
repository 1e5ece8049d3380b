#pragma once

#include <QByteArray>
#include <QString>

// Writing a user's file so that a crash, a full disk or a failed copy never leaves it cut short:
// the bytes go to an unnamed file in the target's folder, are flushed to the disk, and only then
// replace the target: linked as "TARGET.albora-XXXXXX" and renamed over it. On failure the target is as it was and ERROR gets the system's
// reason ("No space left on device").
namespace SafeFile {

bool Write(const QString& path, const QByteArray& bytes, QString* error = nullptr);
// Copies SOURCE over TARGET the same way; TARGET keeps SOURCE's modification time.
bool Copy(const QString& source, const QString& target, QString* error = nullptr);

// Removes what writes of TARGET left behind when they were killed before their rename
// ("TARGET.albora-XXXXXX" that no running process holds), and nothing else; the count removed.
// It lists the target's folder, so the saves of a user's own files call it, not bulk writes such
// as thumbnails into a cache of thousands.
int RemoveLeftovers(const QString& target);

}  // namespace SafeFile
