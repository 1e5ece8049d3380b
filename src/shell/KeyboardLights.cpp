#include "KeyboardLights.h"

#include <QGuiApplication>

#ifdef ALBORA_HAVE_XCB
#include <xcb/xcb.h>
#endif

KeyboardLights ReadKeyboardLights() {
    KeyboardLights lights;
#ifdef ALBORA_HAVE_XCB
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) return lights;
    xcb_connection_t* connection = x11->connection();
    xcb_get_keyboard_control_reply_t* reply = xcb_get_keyboard_control_reply(
        connection, xcb_get_keyboard_control(connection), nullptr);
    if (!reply) return lights;
    // The core protocol's LED order: Caps Lock, Num Lock, Scroll Lock.
    lights.capsLock = reply->led_mask & 1;
    lights.numLock = reply->led_mask & 2;
    lights.scrollLock = reply->led_mask & 4;
    free(reply);
#endif
    return lights;
}
