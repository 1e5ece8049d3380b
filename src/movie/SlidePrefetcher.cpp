#include "SlidePrefetcher.h"

#include <QEventLoop>
#include <QFileInfo>
#include <algorithm>

namespace {
// The card before, the one shown and the one after.
constexpr std::size_t kKeptPictures = 3;
}  // namespace

SlidePrefetcher::SlidePrefetcher(Loader loader, QObject* parent)
    : QObject(parent), m_loader(std::move(loader)) {
    // One picture at a time: the next card matters, and the show leaves the other core alone.
    m_pool.setMaxThreadCount(1);
}

SlidePrefetcher::~SlidePrefetcher() {
    m_pool.clear();
    m_pool.waitForDone();
}

SlidePrefetcher::Key SlidePrefetcher::KeyOf(const QString& path, QSize fit) {
    const QFileInfo info(path);
    return {path, fit, info.lastModified(), info.size()};
}

const SlidePicture* SlidePrefetcher::Kept(const Key& key) const {
    for (const auto& [kept, picture] : m_kept)
        if (kept == key) return &picture;
    return nullptr;
}

void SlidePrefetcher::Prefetch(const QString& path, QSize fit) {
    const Key key = KeyOf(path, fit);
    if (!Kept(key)) Start(key);
}

void SlidePrefetcher::Start(const Key& key) {
    if (std::find(m_pending.begin(), m_pending.end(), key) != m_pending.end()) return;
    m_pending.push_back(key);
    // The destructor waits for the worker, so it may use this; the reply it queues is dropped by
    // Qt when the prefetcher is gone by then.
    m_pool.start([this, key] {
        SlidePicture picture = m_loader(key.path, key.fit);
        QMetaObject::invokeMethod(
            this,
            [this, key, picture = std::move(picture)] {
                m_pending.erase(std::find(m_pending.begin(), m_pending.end(), key));
                m_kept.emplace_back(key, picture);
                if (m_kept.size() > kKeptPictures) m_kept.pop_front();
                Q_EMIT loaded();
            },
            Qt::QueuedConnection);
    });
}

SlidePicture SlidePrefetcher::Take(const QString& path, QSize fit) {
    const Key key = KeyOf(path, fit);
    if (const SlidePicture* kept = Kept(key)) return *kept;
    Start(key);
    QEventLoop wait;
    SlidePicture picture;
    const QMetaObject::Connection connection = connect(this, &SlidePrefetcher::loaded, &wait, [&] {
        if (const SlidePicture* kept = Kept(key)) {
            picture = *kept;
            wait.quit();
        }
    });
    wait.exec();
    disconnect(connection);
    return picture;
}
