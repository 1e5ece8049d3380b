#include "QuietQtMessages.h"

#include <QString>

namespace {

QtMessageHandler g_qtMessages = nullptr;

// Notes that tell the program's user nothing: Qt made its own runtime folder for a session
// without one; the browser engine runs without the sandbox that the program itself turned off
// for root; a display without OpenGL, where everything is drawn in software instead.
constexpr const char* kNoNews[] = {"QStandardPaths: XDG_RUNTIME_DIR not set", "Sandboxing disabled by user.",
                                   "QXcbIntegration: Cannot create platform OpenGL context"};

void FilterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    for (const char* note : kNoNews)
        if (message.startsWith(QLatin1String(note))) return;
    g_qtMessages(type, context, message);
}

}  // namespace

void InstallQuietQtMessages() {
    if (!g_qtMessages) g_qtMessages = qInstallMessageHandler(FilterQtMessages);
}
