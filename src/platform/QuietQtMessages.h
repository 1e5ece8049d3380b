#pragma once

// Keeps Qt's notes that are no news to the program's user off stderr (a runtime folder made for
// a session without one, the browser engine's sandbox turned off for root); every other message
// goes on to Qt's own handler.
void InstallQuietQtMessages();
