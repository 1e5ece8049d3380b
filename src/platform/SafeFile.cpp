#include "SafeFile.h"

#include "RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>
#include <cstring>
#include <optional>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 kCopyChunk = qint64(1) << 20;
const QString kPartMarker = QStringLiteral(".albora-");

QString SystemReason(int error) { return QString::fromLocal8Bit(std::strerror(error ? error : EIO)); }

bool Fail(QString* error, const QString& reason) {
    if (error) *error = reason;
    return false;
}

QByteArray Native(const QString& path) { return QFile::encodeName(path); }

// The name a finished write has between being linked into its folder and replacing the target.
QString PartName(const QString& target) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString suffix;
    for (int i = 0; i < 6; ++i) suffix += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(62)]);
    return target + kPartMarker + suffix;
}

// Whether a running process has PATH open: it is then a write still in progress.
bool HeldByAnyProcess(const QString& path) {
    struct stat file {};
    if (::stat(Native(path).constData(), &file) != 0) return false;
    const QStringList processes = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& process : processes) {
        if (process.isEmpty() || !process.front().isDigit()) continue;
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(process));
        for (const QString& fd : fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
            struct stat open {};
            if (::stat(Native(fds.filePath(fd)).constData(), &open) == 0 && open.st_dev == file.st_dev &&
                open.st_ino == file.st_ino)
                return true;
        }
    }
    return false;
}

// A file descriptor that closes itself.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

// Writes what PRODUCE hands out (an empty chunk ends it) into an unnamed file in TARGET's folder,
// then links it under a part name and renames that over TARGET.
template <class Producer>
bool WriteWith(const QString& target, QString* error, Producer produce) {
    const QFileInfo info(target);
    const QString folder = info.absolutePath();
    Descriptor out;
    out.fd = ::open(Native(folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    // A file system without unnamed files gets a named one from the start.
    QString part;
    if (out.fd < 0) {
        part = PartName(info.absoluteFilePath());
        out.fd = ::open(Native(part).constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (out.fd < 0) return Fail(error, SystemReason(errno));
    }
    const auto abandon = [&](int reason) {
        if (!part.isEmpty()) ::unlink(Native(part).constData());
        return Fail(error, SystemReason(reason));
    };
    for (;;) {
        QString readError;
        const std::optional<QByteArray> chunk = produce(readError);
        if (!chunk) {
            if (!part.isEmpty()) ::unlink(Native(part).constData());
            return Fail(error, readError);
        }
        if (chunk->isEmpty()) break;
        for (qsizetype done = 0; done < chunk->size();) {
            const ssize_t written = ::write(out.fd, chunk->constData() + done, std::size_t(chunk->size() - done));
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) return abandon(written < 0 ? errno : ENOSPC);
            done += written;
        }
    }
    // The replacement keeps the permissions of the file it replaces.
    struct stat old {};
    if (::stat(Native(target).constData(), &old) == 0) ::fchmod(out.fd, old.st_mode & 07777);
    if (::fsync(out.fd) != 0) return abandon(errno);
    if (part.isEmpty()) {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(out.fd);
        int linked = 0;
        do {
            part = PartName(info.absoluteFilePath());
            linked = ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, Native(part).constData(), AT_SYMLINK_FOLLOW);
        } while (linked != 0 && errno == EEXIST);
        if (linked != 0) {
            const int reason = errno;
            part.clear();
            return abandon(reason);
        }
    }
    if (::rename(Native(part).constData(), Native(target).constData()) != 0) return abandon(errno);
    // The new name itself reaches the disk with the folder.
    Descriptor directory;
    directory.fd = ::open(Native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory.fd >= 0) ::fsync(directory.fd);
    return true;
}

}  // namespace

namespace SafeFile {

bool Write(const QString& path, const QByteArray& bytes, QString* error) {
    bool given = false;
    return WriteWith(path, error, [&](QString&) -> std::optional<QByteArray> {
        if (given) return QByteArray();
        given = true;
        return bytes;
    });
}

bool Copy(const QString& source, const QString& target, QString* error) {
    QFile in;
    QString reason;
    if (!OpenRegularFile(source, in, &reason)) return Fail(error, reason);
    const bool copied = WriteWith(target, error, [&](QString& readError) -> std::optional<QByteArray> {
        const QByteArray chunk = in.read(kCopyChunk);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError) {
            readError = in.errorString();
            return std::nullopt;
        }
        return chunk;
    });
    if (!copied) return false;
    QFile out(target);
    if (out.open(QIODevice::ReadWrite)) out.setFileTime(QFileInfo(source).lastModified(), QFileDevice::FileModificationTime);
    return true;
}

int RemoveLeftovers(const QString& target) {
    const QFileInfo info(target);
    const QRegularExpression ownPart(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(info.fileName() + kPartMarker) + QStringLiteral("[A-Za-z0-9]{6}")));
    int removed = 0;
    const QDir folder = info.absoluteDir();
    // The name is taken literally, whatever wildcard characters it holds.
    QString literal;
    for (const QChar c : info.fileName()) literal += c == '[' || c == '*' || c == '?' ? QStringLiteral("[%1]").arg(c) : QString(c);
    for (const QString& name : folder.entryList({literal + kPartMarker + '*'}, QDir::Files | QDir::Hidden)) {
        const QString path = folder.filePath(name);
        if (ownPart.match(name).hasMatch() && !HeldByAnyProcess(path) && QFile::remove(path)) ++removed;
    }
    return removed;
}

}  // namespace SafeFile
