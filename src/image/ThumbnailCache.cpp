#include "ThumbnailCache.h"

#include "CPngImage.h"
#include "platform/SafeFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QStandardPaths>
#include <sys/stat.h>

namespace {

// A cache entry is a small PNG; anything larger is not one.
constexpr qint64 kMaxEntryBytes = 4 << 20;

QString Modified(const QString& file) { return QString::number(QFileInfo(file).lastModified().toSecsSinceEpoch()); }

}  // namespace

ThumbnailCache::ThumbnailCache(QString folder) : m_folder(std::move(folder)) {}

QString ThumbnailCache::DefaultFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)).filePath(QStringLiteral("thumbnails"));
}

int ThumbnailCache::SizeFor(const QSize& cell) {
    const int longest = std::max(cell.width(), cell.height());
    return longest <= 128 ? 128 : longest <= 256 ? 256 : 0;
}

QString ThumbnailCache::Uri(const QString& file) {
    // Escaped as GLib's g_filename_to_uri escapes a path, byte for byte: the desktop's programs
    // find entries by the MD5 of that text, and QUrl keeps "[", "]" and ";" where GLib does not.
    const QByteArray path = QFile::encodeName(QFileInfo(file).absoluteFilePath());
    return QString::fromLatin1("file://" + path.toPercentEncoding("!$&'()*+,/:=@"));
}

QString ThumbnailCache::EntryPath(const QString& file, int size) const {
    const QByteArray md5 = QCryptographicHash::hash(Uri(file).toUtf8(), QCryptographicHash::Md5).toHex();
    return QDir(m_folder).filePath(QStringLiteral("%1/%2.png").arg(size > 128 ? "large" : "normal", QString::fromLatin1(md5)));
}

QString ThumbnailCache::FailurePath(const QString& file) const {
    const QByteArray md5 = QCryptographicHash::hash(Uri(file).toUtf8(), QCryptographicHash::Md5).toHex();
    return QDir(m_folder).filePath(QStringLiteral("fail/albora/%1.png").arg(QString::fromLatin1(md5)));
}

std::optional<QImage> ThumbnailCache::Current(const QString& path, const QString& file) const {
    const QFileInfo entry(path);
    if (!entry.isFile() || entry.size() > kMaxEntryBytes) return std::nullopt;
    // The keys are read with the pixels: Qt's header-only text lookup cuts keys at their "::".
    QImage image;
    if (!QImageReader(path, "png").read(&image) || image.isNull()) return std::nullopt;
    if (image.text(QStringLiteral("Thumb::URI")) != Uri(file) || image.text(QStringLiteral("Thumb::MTime")) != Modified(file))
        return std::nullopt;
    return image;
}

std::optional<QImage> ThumbnailCache::Find(const QString& file, int size) const {
    if (size <= 0) return std::nullopt;
    return Current(EntryPath(file, size), file);
}

bool ThumbnailCache::KnownToFail(const QString& file) const { return Current(FailurePath(file), file).has_value(); }

void ThumbnailCache::Store(const QString& file, int size, const QImage& thumbnail, const QSize& original, int bits) const {
    if (size <= 0 || thumbnail.isNull()) return;
    Write(EntryPath(file, size), file, thumbnail,
          {{"Thumb::Image::Width", QByteArray::number(original.width())},
           {"Thumb::Image::Height", QByteArray::number(original.height())},
           {kBitsKey.toLatin1(), QByteArray::number(bits)}});
}

void ThumbnailCache::StoreFailure(const QString& file) const {
    QImage mark(1, 1, QImage::Format_ARGB32);
    mark.fill(Qt::transparent);
    Write(FailurePath(file), file, mark, {});
}

void ThumbnailCache::Write(const QString& path, const QString& file, const QImage& image, PngTexts texts) const {
    // The folders are private to the user, as the standard asks.
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) return;
    for (const QString& dir : {m_folder, QFileInfo(folder).absolutePath(), folder})
        if (dir.startsWith(m_folder)) ::chmod(QFile::encodeName(dir).constData(), 0700);
    texts.emplace_back("Thumb::URI", Uri(file).toLatin1());
    texts.emplace_back("Thumb::MTime", Modified(file).toLatin1());
    texts.emplace_back("Software", "Albora");
    const QByteArray png = CPngImage::EncodeQuick(image, texts);
    if (png.isEmpty() || !SafeFile::Write(path, png)) return;
    ::chmod(QFile::encodeName(path).constData(), 0600);
}
