#pragma once

#include <QObject>
#include <QString>
#include <QVector>
#include <atomic>
#include <cstdint>
#include <thread>

// One change inside a watched folder, or to the folder itself, as inotify reports it.
struct FolderChange {
    enum class Kind { Created, Deleted, MovedOut, MovedIn, FolderGone, WatchEnded, Overflow };
    Kind kind = Kind::Created;
    int watch = -1;
    QString name;  // the entry's name, decoded as the file system's names are
    bool isFolder = false;
    std::uint32_t cookie = 0;  // the same on both halves of a move
};

// Decodes a buffer of inotify events, checking every length against what was read; a cut or
// malformed record ends the walk. Kept apart from the thread so that it can be fuzzed.
QVector<FolderChange> DecodeFolderEvents(const char* bytes, std::size_t size);

// One inotify descriptor for every watched folder, read by one worker thread. The worker only
// reads and decodes; the changes are delivered to the watcher's own thread, in order, by the
// changes signal, so the tree is only ever touched there.
class FolderWatcher : public QObject {
    Q_OBJECT

public:
    explicit FolderWatcher(QObject* parent = nullptr);
    ~FolderWatcher() override;

    bool IsValid() const { return m_fd >= 0; }
    // A watch on PATH's entries; -1 when refused, LIMIT then telling whether the system's
    // number of watches ran out (the folder is still listed, only not kept current).
    int Add(const QString& path, bool* limit = nullptr);
    void Remove(int watch);

Q_SIGNALS:
    void changes(const QVector<FolderChange>& changes);

private:
    void Read();

    int m_fd = -1;
    int m_wake = -1;  // an eventfd that ends the worker
    std::thread m_worker;
};
