#include "MetafileConverter.h"

#include "RegularFile.h"

#include <QCache>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <mutex>

namespace {

constexpr int kTimeLimitMs = 5000;
// Far beyond any real metafile or its drawing; larger ones are refused before they are read.
constexpr qint64 kMaxInputBytes = qint64(64) << 20;
constexpr qint64 kMaxSvgBytes = qint64(128) << 20;
constexpr qsizetype kCacheBytes = qsizetype(64) << 20;

struct Result {
    std::optional<QByteArray> svg;
    QString reason;
};

quint32 U32At(QByteArrayView data, qsizetype at) { return qFromLittleEndian<quint32>(data.data() + at); }
quint16 U16At(QByteArrayView data, qsizetype at) { return qFromLittleEndian<quint16>(data.data() + at); }

// Runs PROGRAM with ARGS to its end within the time limit; empty when it succeeded, else why not.
QString Run(const QString& program, const QStringList& args) {
    QProcess process;
    // Nobody reads what a converter says; a chatty one must not fill our memory.
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, args);
    if (!process.waitForStarted(kTimeLimitMs))
        return process.error() == QProcess::FailedToStart ? program + QStringLiteral(" not found")
                                                          : program + QStringLiteral(" did not start");
    if (!process.waitForFinished(kTimeLimitMs)) {
        process.kill();
        process.waitForFinished(-1);
        return QStringLiteral("conversion took too long");
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return program + QStringLiteral(" could not convert the file");
    return {};
}

Result Convert(const QString& path) {
    Result result;
    const auto data = ReadRegularFile(path, kMaxInputBytes, &result.reason);
    if (!data) return result;
    const MetafileConverter::Kind kind = MetafileConverter::KindOf(*data);
    if (kind == MetafileConverter::Kind::None) {
        result.reason = QStringLiteral("not a metafile");
        return result;
    }
    // The converter reads our own copy under a plain name, so the user's file name is never an
    // argument and the file cannot change into something else between our look and its.
    QTemporaryDir dir;
    const bool emf = kind == MetafileConverter::Kind::Emf;
    const QString input = dir.filePath(emf ? QStringLiteral("in.emf") : QStringLiteral("in.wmf"));
    const QString output = dir.filePath(QStringLiteral("out.svg"));
    QFile copy(input);
    if (!dir.isValid() || !copy.open(QIODevice::WriteOnly) || copy.write(*data) != data->size() || !copy.flush()) {
        result.reason = QStringLiteral("cannot write a temporary file");
        return result;
    }
    copy.close();
    const QString program = emf ? qEnvironmentVariable("ALBORA_EMF2SVG", QStringLiteral("emf2svg-conv"))
                                : qEnvironmentVariable("ALBORA_WMF2SVG", QStringLiteral("wmf2svg"));
    // Bitmaps go inside the drawing: a drawing that names other files is not drawn.
    const QStringList args = emf ? QStringList{QStringLiteral("-i"), input, QStringLiteral("-o"), output}
                                 : QStringList{QStringLiteral("--inline"), QStringLiteral("-o"), output, input};
    result.reason = Run(program, args);
    if (!result.reason.isEmpty()) return result;
    QString why;
    result.svg = ReadRegularFile(output, kMaxSvgBytes, &why);
    if (!result.svg || result.svg->isEmpty()) {
        result.svg.reset();
        result.reason = why == QLatin1String("file too large") ? QStringLiteral("drawing too large")
                                                                : program + QStringLiteral(" wrote no drawing");
    }
    return result;
}

}  // namespace

namespace MetafileConverter {

Kind KindOf(QByteArrayView data) {
    // EMF: a header record (type 1) whose signature " EMF" sits at offset 40.
    if (data.size() >= 44 && U32At(data, 0) == 1 && data.sliced(40, 4) == QByteArrayView(" EMF")) return Kind::Emf;
    // WMF: the placeable header's key, or a standard header (memory or disk type, 9 words long,
    // version 1 or 3).
    if (data.size() >= 4 && U32At(data, 0) == 0x9AC6CDD7u) return Kind::Wmf;
    if (data.size() >= 18 && (U16At(data, 0) == 1 || U16At(data, 0) == 2) && U16At(data, 2) == 9 &&
        (U16At(data, 4) == 0x0100 || U16At(data, 4) == 0x0300))
        return Kind::Wmf;
    return Kind::None;
}

std::optional<QByteArray> ToSvg(const QString& path, QString* reason) {
    static std::mutex lock;
    static QCache<QString, Result> cache(kCacheBytes);
    const QFileInfo info(path);
    if (!info.exists()) {
        if (reason) *reason = QStringLiteral("file not found");
        return std::nullopt;
    }
    const QString key = QStringLiteral("%1\n%2\n%3")
                            .arg(info.absoluteFilePath())
                            .arg(info.size())
                            .arg(info.lastModified().toMSecsSinceEpoch());
    Result result;
    std::unique_lock<std::mutex> held(lock);
    if (const Result* cached = cache.object(key)) {
        result = *cached;
    } else {
        // Another thread may convert meanwhile; a conversion is not held up by others.
        held.unlock();
        result = Convert(path);
        held.lock();
        cache.insert(key, new Result(result), std::max<qsizetype>(result.svg ? result.svg->size() : 0, 1024));
    }
    if (reason) *reason = result.reason;
    return result.svg;
}

}  // namespace MetafileConverter
