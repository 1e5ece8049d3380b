#include "VideoSourceRegistry.h"

#include "VideoCapture.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

namespace {

struct Registry {
    std::mutex mutex;
    std::vector<std::pair<QString, VideoCapture*>> users;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

namespace VideoSourceRegistry {

void Claim(const QString& source, VideoCapture* user) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    r.users.emplace_back(source, user);
}

void Release(VideoCapture* user) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    std::erase_if(r.users, [user](const auto& entry) { return entry.second == user; });
}

bool InUse(const QString& source) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    return std::any_of(r.users.begin(), r.users.end(), [&source](const auto& entry) { return entry.first == source; });
}

// The registry stays locked during the read, so that the user cannot disconnect under it.
CImageObject SharedFrame(const QString& source, int timeoutMs) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    const auto it = std::find_if(r.users.begin(), r.users.end(), [&source](const auto& entry) { return entry.first == source; });
    return it == r.users.end() ? CImageObject() : it->second->NewestFrame(timeoutMs);
}

}  // namespace VideoSourceRegistry
