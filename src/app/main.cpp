// albora: the image album manager.
#include "shell/AlboraApplication.h"
#include "web/ui/EmbeddedBrowser.h"

#ifdef __SANITIZE_ADDRESS__
// The accessibility bus library keeps a buffer to the end, and so does Qt's media player's PulseAudio
// context when no sound server answers; the browser engine is its own affair.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\nleak:libpulse.so\n" ALBORA_BROWSER_LEAK_SUPPRESSIONS;
}
extern "C" const char* __asan_default_options() { return ALBORA_BROWSER_ASAN_OPTIONS; }
#endif

int main(int argc, char** argv) { return AlboraApplication::Run(argc, argv); }
