#include "ThumbnailLoader.h"

#include "image/ParallelRows.h"

#include <QDateTime>
#include <QFileInfo>

namespace {
// Thumbnails kept in memory, in bytes of their pictures.
constexpr qsizetype kCacheBytes = qsizetype(256) << 20;
}

ThumbnailLoader::ThumbnailLoader(QObject* parent) : QObject(parent), m_cache(kCacheBytes) {
    m_pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

ThumbnailLoader::~ThumbnailLoader() {
    m_pool.clear();
    m_pool.waitForDone();
}

QString ThumbnailLoader::Key(const QString& file, const QSize& size) {
    const QFileInfo info(file);
    return QStringLiteral("%1|%2x%3|%4")
        .arg(info.absoluteFilePath())
        .arg(size.width())
        .arg(size.height())
        .arg(info.lastModified().toMSecsSinceEpoch());
}

void ThumbnailLoader::Request(const QString& file, const QSize& size, int ticket) {
    const QString key = Key(file, size);
    if (const Result* cached = m_cache.object(key)) {
        Q_EMIT ready(ticket, *cached);
        return;
    }
    ++m_pending;
    const int generation = m_generation;
    // The destructor waits for the pool, so the workers may use this; a reply queued to a loader
    // that is gone by then is dropped by Qt.
    m_pool.start([this, file, size, ticket, generation, key, shared = m_shared] {
        // The pool already keeps every core busy: no further splitting inside.
        t_singleThreaded = true;
        const Thumbnail thumb = MakeThumbnail(file, size, shared.get());
        const Result result{thumb.image.MakeBitmap(), thumb.width, thumb.height, thumb.bpp, thumb.loaded};
        QMetaObject::invokeMethod(this, [this, result, ticket, generation, key] {
            m_cache.insert(key, new Result(result), std::max<qsizetype>(1, result.image.sizeInBytes()));
            if (generation != m_generation) return;
            --m_pending;
            Q_EMIT ready(ticket, result);
        }, Qt::QueuedConnection);
    });
}

void ThumbnailLoader::CancelPending() {
    m_pool.clear();
    ++m_generation;
    m_pending = 0;
}
