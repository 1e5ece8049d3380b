#pragma once

#include "CPngImage.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

// The thumbnail cache that Linux desktops share (freedesktop.org's Thumbnail Managing Standard):
// "$XDG_CACHE_HOME/thumbnails/normal" (128 pixels) and "large" (256 pixels), one PNG per picture
// named by the MD5 of the picture's file URI, carrying "Thumb::URI" and "Thumb::MTime" so that a
// changed picture is thumbnailed again. File managers read what we write and we read theirs.
class ThumbnailCache {
public:
    // The cache below FOLDER (by default the user's "thumbnails" folder).
    // Our own key beside the standard ones: the picture's bits per pixel, so that a cached entry
    // tells all a contact cell shows without reading the picture.
    static inline const QString kBitsKey = QStringLiteral("X-Albora::Bits");

    explicit ThumbnailCache(QString folder = DefaultFolder());
    static QString DefaultFolder();

    // The standard size that serves a cell of CELL pixels (128 or 256), or 0 when none is large
    // enough.
    static int SizeFor(const QSize& cell);
    // The URI the standard names a file by, as GLib spells it, and the cache file of that name for
    // SIZE.
    static QString Uri(const QString& file);
    QString EntryPath(const QString& file, int size) const;

    // The cached thumbnail of FILE for SIZE, when there is one made from the file as it is now.
    std::optional<QImage> Find(const QString& file, int size) const;
    // Whether an earlier attempt marked FILE as unreadable, and it has not changed since.
    bool KnownToFail(const QString& file) const;
    // Stores THUMBNAIL (at most SIZE pixels each way) of FILE, a picture of ORIGINAL pixels and
    // BITS per pixel, or marks FILE as unreadable. A cache folder that cannot be written is no
    // error: the thumbnail is simply not kept.
    void Store(const QString& file, int size, const QImage& thumbnail, const QSize& original, int bits) const;
    void StoreFailure(const QString& file) const;

private:
    QString FailurePath(const QString& file) const;
    std::optional<QImage> Current(const QString& path, const QString& file) const;
    void Write(const QString& path, const QString& file, const QImage& image, PngTexts texts) const;

    QString m_folder;
};
