#pragma once

#include <QString>

// How pictures of the screen are taken here: by reading X, by asking the desktop portal (a
// Wayland session, where X sees only its own clients), or not at all.
enum class ScreenSource { X, Portal, None };

// WHY says what stands in the way when it is None.
ScreenSource FindScreenSource(QString* why = nullptr);

inline bool ScreenCaptureAvailable(QString* why = nullptr) { return FindScreenSource(why) != ScreenSource::None; }
