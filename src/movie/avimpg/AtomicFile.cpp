#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <random>

#include "Libav.h"

namespace {

// The named part file that a signal handler must remove; empty when there is none.
char g_partToRemove[PATH_MAX];

void RemovePartAndDie(int signal) {
    if (g_partToRemove[0]) ::unlink(g_partToRemove);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void RemovePartOnSignals(const std::string& part) {
    if (part.size() >= sizeof g_partToRemove) return;
    std::memcpy(g_partToRemove, part.c_str(), part.size() + 1);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, RemovePartAndDie);
}

// "TARGET.avimpg-" and six random letters.
std::string PartName(const std::string& target) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937 random{std::random_device{}()};
    std::string name = target + ".avimpg-";
    for (int i = 0; i < 6; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
    return name;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// New files get the permissions the user's umask allows.
mode_t DefaultMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

AtomicFile::AtomicFile(std::string target) : m_target(std::move(target)) {
    m_fd = ::open(FolderOf(m_target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (m_fd >= 0) return;
    do {
        m_part = PartName(m_target);
        m_fd = ::open(m_part.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
    } while (m_fd < 0 && errno == EEXIST);
    if (m_fd < 0) {
        m_part.clear();
        Fail(errno);
    }
    RemovePartOnSignals(m_part);
}

AtomicFile::~AtomicFile() { Abandon(); }

bool AtomicFile::Write(const unsigned char* data, int size) {
    while (size > 0) {
        const ssize_t written = ::write(m_fd, data, std::size_t(size));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            m_writeError = written < 0 ? errno : ENOSPC;
            return false;
        }
        data += written;
        size -= int(written);
    }
    return true;
}

void AtomicFile::Commit() {
    // A replaced file keeps its permissions.
    struct stat old {};
    ::fchmod(m_fd, ::stat(m_target.c_str(), &old) == 0 ? old.st_mode & 07777 : DefaultMode());
    if (::fsync(m_fd) != 0) Fail(errno);
    if (m_part.empty()) {
        const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
        std::string part;
        int linked = -1;
        do {
            part = PartName(m_target);
            linked = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, part.c_str(), AT_SYMLINK_FOLLOW);
        } while (linked != 0 && errno == EEXIST);
        if (linked != 0) Fail(errno);
        m_part = part;
        RemovePartOnSignals(m_part);
    }
    if (::rename(m_part.c_str(), m_target.c_str()) != 0) Fail(errno);
    m_part.clear();
    g_partToRemove[0] = 0;
    ::close(m_fd);
    m_fd = -1;
    const int folder = ::open(FolderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void AtomicFile::Fail(int error) {
    Abandon();
    throw AvimpgError("cannot write " + m_target + ": " + std::strerror(error));
}

void AtomicFile::Abandon() {
    if (!m_part.empty()) ::unlink(m_part.c_str());
    m_part.clear();
    g_partToRemove[0] = 0;
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}
