#include "RegularInput.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

std::string RefusedInput(const std::string& path, std::uintmax_t maxBytes) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::strerror(errno);
    if (!S_ISREG(info.st_mode)) return "not a regular file";
    if (std::uintmax_t(info.st_size) > maxBytes) return "file too large";
    return {};
}
