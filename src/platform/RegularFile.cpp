#include "RegularFile.h"

#include <QFile>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxBytes, QString* reason) {
    const auto fail = [reason](const char* why) {
        if (reason) *reason = QString::fromLatin1(why);
        return std::nullopt;
    };
    // Without O_NONBLOCK opening a FIFO would wait for a writer; the descriptor's type is then
    // checked before a byte is read, so a device or pipe is never read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return fail("cannot open the file");
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail("cannot open the file");
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return fail("not a regular file");
    if (info.st_size > maxBytes) return fail("file too large");
    // Only the size seen first is read: a file that grows meanwhile cannot make us read more.
    QByteArray bytes;
    try {
        bytes.resize(qsizetype(info.st_size));
    } catch (const std::bad_alloc&) {
        return fail("out of memory");
    }
    if (file.read(bytes.data(), bytes.size()) != bytes.size()) return fail("truncated file");
    return bytes;
}
