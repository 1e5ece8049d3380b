// albora-cli capture: the capture devices found here, and pictures from the scanner or the screen
// as cards.
#include "CliContext.h"

int RunCaptureCommand(CliContext& c, const QStringList& args) {
    const QString command = args.value(0);
    if (command == QStringLiteral("scan")) return RunCaptureScan(c, args.mid(1));
    if (command == QStringLiteral("screen")) return RunCaptureScreen(c, args.mid(1));
    return c.Usage(QStringLiteral("capture takes devices, scan or screen"));
}
