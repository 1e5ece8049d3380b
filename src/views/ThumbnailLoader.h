#pragma once

#include "image/Thumbnail.h"
#include "image/ThumbnailCache.h"

#include <QCache>
#include <QImage>
#include <QObject>
#include <QThreadPool>
#include <memory>

// Thumbnails made off the window's thread by a small pool, handed back on it as they come, and
// kept in memory by file, size and modification time so that scrolling back costs nothing.
class ThumbnailLoader : public QObject {
    Q_OBJECT

public:
    // What a cell shows of a thumbnail.
    struct Result {
        QImage image;  // null when the file could not be read
        int width = 0, height = 0, bpp = 0;
        bool loaded = false;
    };

    explicit ThumbnailLoader(QObject* parent = nullptr);
    ~ThumbnailLoader() override;

    // Asks for FILE at SIZE; TICKET comes back with the result. A cached thumbnail comes back
    // at once, from within the call.
    void Request(const QString& file, const QSize& size, int ticket);
    // Forgets the requests not yet answered: their results will not be delivered.
    void CancelPending();
    int Pending() const { return m_pending; }
    // Whether thumbnails come from and go to the desktop's shared thumbnail cache.
    void UseSharedCache(bool use) { m_shared = use ? std::make_shared<const ThumbnailCache>() : nullptr; }

Q_SIGNALS:
    void ready(int ticket, const ThumbnailLoader::Result& result);

private:
    static QString Key(const QString& file, const QSize& size);

    QThreadPool m_pool;
    QCache<QString, Result> m_cache;
    std::shared_ptr<const ThumbnailCache> m_shared;  // held by the workers too
    int m_generation = 0;
    int m_pending = 0;
};
