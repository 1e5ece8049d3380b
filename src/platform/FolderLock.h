#pragma once

#include <QString>

// An exclusive hold on a folder for as long as the object lives, shared with every process that
// asks the same way: two runs that write one folder's files would mix them. Taken without
// waiting; the kernel lets it go when the process ends, however it ends.
class FolderLock {
public:
    explicit FolderLock(const QString& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // False when another holds the folder (or it cannot be opened).
    bool Held() const { return m_held; }

private:
    int m_fd = -1;
    bool m_held = false;
};
