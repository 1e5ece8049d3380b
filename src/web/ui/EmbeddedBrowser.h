#pragma once

#include <QCoreApplication>
#include <QLoggingCategory>
#include <unistd.h>

// What the browser engine of the web view needs before the application object exists: graphics
// contexts shared with the rest of the program, a quiet log and, for root (as in a container,
// where Chromium's sandbox refuses to start), no sandbox. Anyone else keeps the sandbox.
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
    // Chromium's log lines (its GPU process on a virtual display, ...) are for its own developers;
    // only a fatal one reaches stderr, unless whoever starts the program asks for its logging.
    // Qt's report of the engine's set-up is the same: QT_LOGGING_RULES still brings it back.
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--log-level") && !flags.contains("--enable-logging"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags + " --log-level=3");
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
}

// For the sanitizers of a program with the browser engine: Chromium inside it, and the
// fontconfig it drives, keep memory to the end and delete some objects through a base of another
// size. Their own affair; the program's main file hands these on.
#define ALBORA_BROWSER_LEAK_SUPPRESSIONS "leak:libQt6WebEngineCore.so\nleak:libfontconfig.so\n"
#define ALBORA_BROWSER_ASAN_OPTIONS "new_delete_type_mismatch=0"
