#pragma once

#include <QString>
#include <vector>

// A place the folder tree starts from: the home folder or a mounted file system.
struct Drive {
    enum class Kind { Fixed, Removable, Network, Cd };
    QString root;  // "/", "/home/ana", "/media/ana/STICK"
    Kind kind = Kind::Fixed;

    // Network and optical file systems are not watched: their changes come from elsewhere, or never.
    bool Watched() const { return kind == Kind::Fixed || kind == Kind::Removable; }
    bool operator==(const Drive& other) const { return root == other.root && kind == other.kind; }
};

// The kind of a mount by its file-system type, device and place.
Drive::Kind DriveKind(const QString& fileSystemType, const QString& device, const QString& root);
// Whether a file-system type holds no files of a user's (proc, sysfs, cgroup...).
bool IsPseudoFileSystem(const QString& fileSystemType);
// The home folder, then "/", then every other real mounted file system, in mount order.
std::vector<Drive> ListDrives();
