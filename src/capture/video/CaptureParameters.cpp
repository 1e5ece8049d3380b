#include "CaptureParameters.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

double CaptureParameters::FramesPerSecond() const {
    return microSecPerFrame > 0 ? 1e6 / microSecPerFrame : 15.0;
}

std::optional<int> MicrosecondsPerFrame(double rate, QString* refusal) {
    if (!(rate >= kLeastFrameRate && rate <= kMostFrameRate)) {
        if (refusal) *refusal = QStringLiteral("The frame rate must be between 0.1 and 120 frames a second.");
        return std::nullopt;
    }
    return int(1e6 / rate);
}

bool ReserveCaptureFile(const QString& path, int megabytes, QString* error) {
    const auto fail = [error] {
        if (error) *error = QStringLiteral("Error:\nCan't assign the space required in the disk.");
        return false;
    };
    if (megabytes < 0) return fail();
    // Beyond the free space is refused before the disk is filled trying.
    const QFileInfo info(path);
    const qint64 room = QStorageInfo(info.absolutePath()).bytesAvailable() + (info.exists() ? info.size() : 0);
    if (CaptureFileBytes(megabytes) > room) return fail();
    const bool existed = info.exists();
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return fail();
    const int result = megabytes > 0 ? ::posix_fallocate(fd, 0, CaptureFileBytes(megabytes)) : 0;
    ::close(fd);
    if (result != 0) {
        if (!existed) QFile::remove(path);
        return fail();
    }
    return true;
}
