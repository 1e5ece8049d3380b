#pragma once

#include <algorithm>

// The choices of the "Presentations setup" dialog; the program's settings keep the last ones
// (PresentationChoices.h).
struct PresentationOptions {
    enum DelayUnit { Seconds = 0, Milliseconds = 1 };
    static constexpr int kMaxDelay = 340000;

    bool fitToScreen = false;
    bool playAudio = true;
    // A card waits for its note to end before the timer may move on.
    bool waitForSound = false;
    bool repeat = true;
    bool showInfo = false;
    // The first pass begins at the document's current card rather than the first.
    bool startAtCurrent = false;
    int delay = 2;
    // No timed advance: the control bar waits for the user.
    bool noDelay = false;
    int delayUnit = Seconds;

    int DelayMilliseconds() const {
        const int value = std::clamp(delay, 0, kMaxDelay);
        return delayUnit == Milliseconds ? value : value * 1000;
    }
};
