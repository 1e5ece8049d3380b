#include "RegularFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Fail(QString* reason, const char* why) {
    if (reason) *reason = QString::fromLatin1(why);
    return false;
}

}  // namespace

bool OpenRegularFile(const QString& path, QFile& file, QString* reason) {
    // Without O_NONBLOCK opening a FIFO would wait for a writer; the descriptor's type is then
    // checked before a byte is read, so a device or pipe is never read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        // The system's reason tells a missing file from a refused one.
        if (reason) *reason = QStringLiteral("cannot open the file: ") + QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Fail(reason, "cannot open the file");
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        file.close();
        return Fail(reason, "not a regular file");
    }
    return true;
}

std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxBytes, QString* reason) {
    const auto fail = [reason](const char* why) {
        Fail(reason, why);
        return std::nullopt;
    };
    QFile file;
    if (!OpenRegularFile(path, file, reason)) return std::nullopt;
    // Only the size seen first is read: a file that grows meanwhile cannot make us read more.
    const qint64 size = file.size();
    if (size > maxBytes) return fail("file too large");
    QByteArray bytes;
    try {
        bytes.resize(qsizetype(size));
    } catch (const std::bad_alloc&) {
        return fail("out of memory");
    }
    if (file.read(bytes.data(), bytes.size()) != bytes.size()) return fail("truncated file");
    return bytes;
}
