#include "FolderWatcher.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

constexpr qsizetype kMostPerBatch = 16384;
constexpr std::uint32_t kEntryEvents =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

}  // namespace

QVector<FolderChange> DecodeFolderEvents(const char* bytes, std::size_t size) {
    QVector<FolderChange> changes;
    std::size_t at = 0;
    while (size - at >= sizeof(inotify_event)) {
        inotify_event event;
        std::memcpy(&event, bytes + at, sizeof event);
        if (event.len > size - at - sizeof event) break;
        const char* name = bytes + at + sizeof event;
        at += sizeof event + event.len;
        FolderChange change;
        change.watch = event.wd;
        change.cookie = event.cookie;
        change.isFolder = event.mask & IN_ISDIR;
        change.name = QFile::decodeName(QByteArray(name, int(strnlen(name, event.len))));
        if (event.mask & IN_Q_OVERFLOW)
            change.kind = FolderChange::Kind::Overflow;
        else if (event.mask & IN_IGNORED)
            change.kind = FolderChange::Kind::WatchEnded;
        else if (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF))
            change.kind = FolderChange::Kind::FolderGone;
        else if (event.mask & IN_CREATE)
            change.kind = FolderChange::Kind::Created;
        else if (event.mask & IN_DELETE)
            change.kind = FolderChange::Kind::Deleted;
        else if (event.mask & IN_MOVED_FROM)
            change.kind = FolderChange::Kind::MovedOut;
        else if (event.mask & IN_MOVED_TO)
            change.kind = FolderChange::Kind::MovedIn;
        else
            continue;
        changes.push_back(std::move(change));
    }
    return changes;
}

FolderWatcher::FolderWatcher(QObject* parent) : QObject(parent) {
    m_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    m_wake = eventfd(0, EFD_CLOEXEC);
    if (m_fd < 0 || m_wake < 0) return;
    m_worker = std::thread([this] { Read(); });
}

FolderWatcher::~FolderWatcher() {
    if (m_worker.joinable()) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(m_wake, &one, sizeof one);
        m_worker.join();
    }
    if (m_fd >= 0) ::close(m_fd);
    if (m_wake >= 0) ::close(m_wake);
}

int FolderWatcher::Add(const QString& path, bool* limit) {
    if (limit) *limit = false;
    if (m_fd < 0) return -1;
    const int watch = inotify_add_watch(m_fd, QFile::encodeName(path).constData(), kEntryEvents);
    if (watch < 0 && limit) *limit = errno == ENOSPC;
    return watch;
}

void FolderWatcher::Remove(int watch) {
    if (m_fd >= 0 && watch >= 0) inotify_rm_watch(m_fd, watch);
}

void FolderWatcher::Read() {
    // Room for many events at once: a burst of thousands of new files arrives in few reads.
    alignas(inotify_event) static thread_local char buffer[64 * 1024];
    pollfd waits[2] = {{m_fd, POLLIN, 0}, {m_wake, POLLIN, 0}};
    for (;;) {
        if (::poll(waits, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (waits[1].revents) return;
        // Whatever is queued is taken in one batch, so a burst of thousands of new files crosses
        // to the tree's thread a few times, not once per file.
        QVector<FolderChange> batch;
        ssize_t got;
        while (batch.size() < kMostPerBatch && (got = ::read(m_fd, buffer, sizeof buffer)) > 0)
            batch += DecodeFolderEvents(buffer, std::size_t(got));
        if (batch.isEmpty()) continue;
        QMetaObject::invokeMethod(
            this, [this, batch = std::move(batch)] { Q_EMIT changes(batch); }, Qt::QueuedConnection);
    }
}
