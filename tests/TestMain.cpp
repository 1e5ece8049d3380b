// The main of every test program: a Qt application object for timers, settings and widgets.
#include <gtest/gtest.h>

#ifdef ALBORA_TEST_GUI
#include "web/ui/EmbeddedBrowser.h"

#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

// The accessibility bus library that Qt loads for a window keeps a buffer to the end; not ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
#ifdef ALBORA_TEST_GUI
    PrepareEmbeddedBrowser();
#endif
    TestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
