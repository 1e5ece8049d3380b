#pragma once

#include <QCoreApplication>
#include <unistd.h>

// What the browser engine of the web view needs before the application object exists: graphics
// contexts shared with the rest of the program and, for root (as in a container, where
// Chromium's sandbox refuses to start), no sandbox. Anyone else keeps the sandbox.
inline void PrepareEmbeddedBrowser() {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}
