#pragma once

#include <QObject>

class QSocketNotifier;

// Tells when a file system is mounted or unmounted: the kernel marks /proc/self/mountinfo as
// changed, so a USB stick appears in the tree, and goes, without "Refresh".
class MountWatcher : public QObject {
    Q_OBJECT

public:
    explicit MountWatcher(QObject* parent = nullptr);
    ~MountWatcher() override;

Q_SIGNALS:
    void mountsChanged();

private:
    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
};
