// albora-cli capture: the capture devices found here, and pictures from the scanner or the screen
// as cards.
#include "CliArgs.h"
#include "CliContext.h"
#include "capture/DetectionReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

int ListDevices(CliContext& c, const QStringList& args) {
    const CliOptions options{{}, {"json"}};
    QString error;
    const auto parsed = ParseCliArgs(args, options, error);
    if (!parsed) return c.Usage(error);
    if (!parsed->positional.isEmpty()) return c.Usage(QStringLiteral("capture devices takes no file"));
    const CaptureHardware found = ProbeCaptureHardware();
    const QString display = qEnvironmentVariable("DISPLAY");
    if (parsed->Has("json")) {
        const QJsonObject report{{"scanner", found.scanner},
                                 {"overlay", found.overlay},
                                 {"video", found.video},
                                 {"screen", found.screen},
                                 {"screenReason", found.screenWhy},
                                 {"trueColour", found.trueColour},
                                 {"scanners", QJsonArray::fromStringList(found.scanners)},
                                 {"videoSources", QJsonArray::fromStringList(found.videoSources)},
                                 {"display", display}};
        c.out << QJsonDocument(report).toJson(QJsonDocument::Indented);
        return kExitOk;
    }
    QString text = DetectionReportText(found);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    c.out << text;
    c.out << QStringLiteral("Scanners:") << (found.scanners.isEmpty() ? QStringLiteral(" none\n") : QStringLiteral("\n"));
    for (const QString& scanner : found.scanners) c.out << QStringLiteral("  ") << scanner << '\n';
    c.out << QStringLiteral("Video sources:") << (found.videoSources.isEmpty() ? QStringLiteral(" none\n") : QStringLiteral("\n"));
    for (const QString& source : found.videoSources) c.out << QStringLiteral("  ") << source << '\n';
    c.out << QStringLiteral("Display: ") << (display.isEmpty() ? QStringLiteral("none") : display) << '\n';
    return kExitOk;
}

}  // namespace

int RunCaptureCommand(CliContext& c, const QStringList& args) {
    const QString command = args.value(0);
    if (command == QStringLiteral("devices")) return ListDevices(c, args.mid(1));
    if (command == QStringLiteral("scan")) return RunCaptureScan(c, args.mid(1));
    if (command == QStringLiteral("screen")) return RunCaptureScreen(c, args.mid(1));
    if (command == QStringLiteral("video")) return RunCaptureVideo(c, args.mid(1));
    if (command == QStringLiteral("overlay")) return RunCaptureOverlay(c, args.mid(1));
    return c.Usage(QStringLiteral("capture takes devices, scan, screen, video or overlay"));
}
