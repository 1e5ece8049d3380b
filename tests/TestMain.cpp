// The main of every test program: a Qt application object for timers, settings and widgets.
#include <gtest/gtest.h>

#ifdef ALBORA_TEST_WEB_ENGINE
#include "web/ui/EmbeddedBrowser.h"
#endif

#ifdef ALBORA_TEST_GUI
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

// The accessibility bus library that Qt loads for a window keeps a buffer to the end, and Qt's
// media player leaves its PulseAudio context behind when no sound server answers; neither is ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n"
           "leak:libpulse.so\n"
#ifdef ALBORA_TEST_WEB_ENGINE
           ALBORA_BROWSER_LEAK_SUPPRESSIONS
#endif
        ;
}

#ifdef ALBORA_TEST_WEB_ENGINE
extern "C" const char* __asan_default_options() { return ALBORA_BROWSER_ASAN_OPTIONS; }
#endif

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
#ifdef ALBORA_TEST_WEB_ENGINE
    PrepareEmbeddedBrowser();
#endif
    TestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
