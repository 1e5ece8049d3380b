#pragma once

#include <QImage>
#include <QRect>
#include <QtGlobal>

// What an overlay device shows in the window it is bound to: a picture (the live frame, a frozen
// one or a loaded one), the part of it to show and where in the window.
struct OverlayPicture {
    QImage image;       // null while the video is off or no frame has come
    QRect source;       // in the picture; null for the whole picture
    QRect destination;  // in the window's client area; null for the whole client area
};

class OverlayVideo {
public:
    virtual ~OverlayVideo() = default;
    // The picture to show now, waiting up to TIMEOUT_MS for the first frame.
    virtual OverlayPicture Shown(int timeoutMs) = 0;
};

// A window an overlay device can be bound to with "window ALIAS handle N".
class OverlaySurface {
public:
    virtual ~OverlaySurface() = default;
    virtual void Bind(OverlayVideo* video) = 0;
    // Unbinds VIDEO when it is the one bound; a window bound since to another device keeps it.
    virtual void Unbind(OverlayVideo* video) = 0;
};

// The windows by handle: the native window id of a widget, or one of OffscreenHandle's numbers
// for a window drawn without a screen (albora-cli). Used on the UI thread only.
namespace OverlayWindows {

void Register(quint64 handle, OverlaySurface* surface);
void Unregister(quint64 handle);
OverlaySurface* Find(quint64 handle);
// A new handle above the 32 bits of X window ids, so it never names a real window.
quint64 OffscreenHandle();

}  // namespace OverlayWindows
