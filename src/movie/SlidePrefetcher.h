#pragma once

#include <QDateTime>
#include <QObject>
#include <QThreadPool>
#include <deque>
#include <functional>
#include <vector>

#include "SlidePicture.h"

// Reads the presentation's pictures on a worker thread, so that the card after the one shown is
// ready when the show moves on and the window's thread never decodes a picture itself. The last
// few pictures are kept, for stepping back.
class SlidePrefetcher : public QObject {
    Q_OBJECT

public:
    using Loader = std::function<SlidePicture(const QString& path, QSize fit)>;

    explicit SlidePrefetcher(Loader loader = LoadSlidePicture, QObject* parent = nullptr);
    ~SlidePrefetcher() override;

    // Starts reading PATH for FIT (see LoadSlidePicture) unless it is kept or under way.
    void Prefetch(const QString& path, QSize fit);
    // The picture of PATH for FIT. When it is not ready the event loop runs until the worker has
    // it, so the windows keep painting meanwhile.
    SlidePicture Take(const QString& path, QSize fit);

Q_SIGNALS:
    void loaded();

private:
    // A file changed since it was read is read again.
    struct Key {
        QString path;
        QSize fit;
        QDateTime modified;
        qint64 size = 0;
        bool operator==(const Key&) const = default;
    };
    static Key KeyOf(const QString& path, QSize fit);
    const SlidePicture* Kept(const Key& key) const;
    // Reads KEY on the worker unless it is under way already.
    void Start(const Key& key);

    Loader m_loader;
    QThreadPool m_pool;
    std::deque<std::pair<Key, SlidePicture>> m_kept;  // oldest first
    std::vector<Key> m_pending;
};
