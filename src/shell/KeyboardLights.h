#pragma once

// The keyboard's lock lights; all off where the windowing system cannot tell.
struct KeyboardLights {
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
};

KeyboardLights ReadKeyboardLights();
