#pragma once

// Which file a path names, as the kernel knows it: symbolic links followed, ".." resolved, hard
// links alike. Plain C++, so the encoder program without Qt asks it too.

#include <optional>
#include <sys/stat.h>

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileIdentity& other) const { return device == other.device && inode == other.inode; }
    bool operator<(const FileIdentity& other) const {
        return device != other.device ? device < other.device : inode < other.inode;
    }
};

// The identity of the existing file PATH (a native path); nullopt when nothing is there.
inline std::optional<FileIdentity> IdentityOf(const char* path) {
    struct stat info {};
    if (::stat(path, &info) != 0) return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino};
}

// Whether the paths A and B name one existing file.
inline bool SameFile(const char* a, const char* b) {
    const std::optional<FileIdentity> first = IdentityOf(a);
    return first && first == IdentityOf(b);
}
