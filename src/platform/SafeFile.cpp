#include "SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <optional>
#include <unistd.h>

namespace {

constexpr qint64 kCopyChunk = qint64(1) << 20;

bool Fail(QString* error, const QString& reason) {
    if (error) *error = reason;
    return false;
}

// The reason of the last failed call on FILE: Qt's text, or the system's when Qt has none.
QString Reason(const QFileDevice& file, int savedErrno) {
    if (file.error() != QFileDevice::NoError && file.errorString() != QLatin1String("Unknown error"))
        return file.errorString();
    return QString::fromLocal8Bit(std::strerror(savedErrno ? savedErrno : EIO));
}

// Writes the chunks that PRODUCE hands out (an empty one ends them) and commits the file.
template <class Producer>
bool WriteWith(const QString& path, QString* error, Producer produce) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return Fail(error, Reason(file, errno));
    for (;;) {
        QString readError;
        const std::optional<QByteArray> chunk = produce(readError);
        if (!chunk) {
            file.cancelWriting();
            return Fail(error, readError);
        }
        if (chunk->isEmpty()) break;
        errno = 0;
        if (file.write(*chunk) != chunk->size()) {
            const QString reason = Reason(file, errno);
            file.cancelWriting();
            return Fail(error, reason);
        }
    }
    errno = 0;
    if (!file.flush() || ::fsync(file.handle()) != 0) {
        const QString reason = Reason(file, errno);
        file.cancelWriting();
        return Fail(error, reason);
    }
    errno = 0;
    if (!file.commit()) return Fail(error, Reason(file, errno));
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
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) return Fail(error, in.errorString());
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

}  // namespace SafeFile
