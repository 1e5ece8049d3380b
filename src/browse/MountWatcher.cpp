#include "MountWatcher.h"

#include <QSocketNotifier>
#include <fcntl.h>
#include <unistd.h>

MountWatcher::MountWatcher(QObject* parent) : QObject(parent) {
    m_fd = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) return;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Exception, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        // The change stays signalled until the table is read again from its start.
        char buffer[4096];
        ::lseek(m_fd, 0, SEEK_SET);
        while (::read(m_fd, buffer, sizeof buffer) > 0) {
        }
        Q_EMIT mountsChanged();
    });
}

MountWatcher::~MountWatcher() {
    delete m_notifier;
    if (m_fd >= 0) ::close(m_fd);
}
