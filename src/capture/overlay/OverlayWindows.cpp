#include "OverlayWindows.h"

#include <map>

namespace {

std::map<quint64, OverlaySurface*>& Windows() {
    static std::map<quint64, OverlaySurface*> windows;
    return windows;
}

}  // namespace

namespace OverlayWindows {

void Register(quint64 handle, OverlaySurface* surface) { Windows()[handle] = surface; }

void Unregister(quint64 handle) { Windows().erase(handle); }

OverlaySurface* Find(quint64 handle) {
    const auto it = Windows().find(handle);
    return it == Windows().end() ? nullptr : it->second;
}

quint64 OffscreenHandle() {
    static quint64 next = quint64(1) << 32;
    return ++next;
}

}  // namespace OverlayWindows
