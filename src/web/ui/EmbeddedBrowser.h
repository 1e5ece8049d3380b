#pragma once

#include <QCoreApplication>
#include <unistd.h>

// What the browser engine of the web view needs before the application object exists: graphics
// contexts shared with the rest of the program and, for root (as in a container, where
// Chromium's sandbox refuses to start), no sandbox. Anyone else keeps the sandbox.
inline void PrepareEmbeddedBrowser() {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#ifdef __SANITIZE_ADDRESS__
    // The GL driver that a shared context loads leaks at exit from a module already unloaded,
    // where no suppression can name it: sanitizer builds draw without GL.
    qputenv("QT_XCB_GL_INTEGRATION", "none");
    qputenv("QT_QUICK_BACKEND", "software");
#endif
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

// For the sanitizers of a program with the browser engine: Chromium inside it, and the
// fontconfig it drives, keep memory to the end and delete some objects through a base of another
// size. Their own affair; the program's main file hands these on.
#define ALBORA_BROWSER_LEAK_SUPPRESSIONS "leak:libQt6WebEngineCore.so\nleak:libfontconfig.so\n"
#define ALBORA_BROWSER_ASAN_OPTIONS "new_delete_type_mismatch=0"
