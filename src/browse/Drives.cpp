#include "Drives.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <algorithm>

namespace {

bool IsOneOf(const QString& type, std::initializer_list<const char*> types) {
    return std::any_of(types.begin(), types.end(), [&](const char* t) { return type == QLatin1String(t); });
}

// The kernel's word on whether the block device under DEVICE ("/dev/sdb1") can be removed.
bool IsRemovableDevice(const QString& device) {
    if (!device.startsWith(QStringLiteral("/dev/"))) return false;
    QString name = device.mid(5);
    // A partition's disk: "sdb1" is on "sdb", "mmcblk0p1" on "mmcblk0".
    while (!name.isEmpty() && !QFile::exists(QStringLiteral("/sys/block/") + name)) name.chop(1);
    if (name.isEmpty()) return false;
    QFile flag(QStringLiteral("/sys/block/%1/removable").arg(name));
    return flag.open(QIODevice::ReadOnly) && flag.read(1) == "1";
}

}  // namespace

bool IsPseudoFileSystem(const QString& type) {
    return IsOneOf(type, {"proc", "sysfs", "devtmpfs", "devpts", "tmpfs", "ramfs", "cgroup", "cgroup2", "securityfs",
                          "pstore", "debugfs", "tracefs", "configfs", "fusectl", "mqueue", "hugetlbfs", "bpf",
                          "autofs", "binfmt_misc", "efivarfs", "nsfs", "rpc_pipefs", "squashfs", "selinuxfs",
                          "fuse.gvfsd-fuse", "fuse.portal"});
}

Drive::Kind DriveKind(const QString& type, const QString& device, const QString& root) {
    if (IsOneOf(type, {"iso9660", "udf"})) return Drive::Kind::Cd;
    if (IsOneOf(type, {"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs", "sshfs", "9p", "afs", "ceph",
                       "glusterfs", "davfs", "fuse.davfs2", "fuse.rclone"}))
        return Drive::Kind::Network;
    if (root.startsWith(QStringLiteral("/media/")) || root.startsWith(QStringLiteral("/run/media/")) ||
        IsRemovableDevice(device))
        return Drive::Kind::Removable;
    return Drive::Kind::Fixed;
}

std::vector<Drive> ListDrives() {
    std::vector<Drive> drives{{QDir::homePath(), Drive::Kind::Fixed}};
    std::vector<Drive> mounts;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString type = QString::fromLatin1(volume.fileSystemType());
        const QString root = volume.rootPath();
        if (!volume.isValid() || (root != QStringLiteral("/") && IsPseudoFileSystem(type))) continue;
        if (root == drives.front().root) continue;
        const Drive drive{root, DriveKind(type, QString::fromLocal8Bit(volume.device()), root)};
        if (root == QStringLiteral("/"))
            mounts.insert(mounts.begin(), drive);
        else if (std::find_if(mounts.begin(), mounts.end(), [&](const Drive& d) { return d.root == root; }) == mounts.end())
            mounts.push_back(drive);
    }
    drives.insert(drives.end(), mounts.begin(), mounts.end());
    return drives;
}
