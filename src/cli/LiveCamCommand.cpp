// albora-cli livecam DIR: the LiveCam ticking as the program's timer does, on capture driver 0,
// writing its picture in DIR and, with --serve, serving it.
#include "CliArgs.h"
#include "CliContext.h"

#include "capture/LiveCam.h"
#include "capture/LiveCamServer.h"
#include "capture/video/VideoCapture.h"
#include "platform/SafeFile.h"
#include "platform/media/VideoSources.h"

#include <QCoreApplication>
#include <QDir>
#include <optional>

namespace {

bool PositiveNumber(const CliArgs& args, const char* option, int fallback, int least, int& value) {
    bool ok = true;
    value = args.Has(option) ? args.Value(option).toInt(&ok) : fallback;
    return ok && value >= least;
}

}  // namespace

int RunLiveCamCommand(CliContext& c, const QStringList& arguments) {
    QString error;
    const auto parsed =
        ParseCliArgs(arguments, {{"image", "rate", "max-errors", "ticks", "serve", "test-page"}, {}}, error);
    if (!parsed) return c.Usage(error);
    const CliArgs& args = *parsed;
    if (args.positional.size() != 1) return c.Usage(QStringLiteral("livecam takes DIR"));
    LiveCamSettings settings;
    settings.imagePath = args.Value("image", settings.imagePath);
    int ticks = -1;
    if (!PositiveNumber(args, "rate", settings.rateMs, 1, settings.rateMs))
        return c.Usage(QStringLiteral("--rate needs milliseconds"));
    if (!PositiveNumber(args, "max-errors", settings.maxErrors, 0, settings.maxErrors))
        return c.Usage(QStringLiteral("--max-errors needs a count"));
    if (!PositiveNumber(args, "ticks", -1, 0, ticks) && args.Has("ticks"))
        return c.Usage(QStringLiteral("--ticks needs a count"));
    std::optional<ListenAddress> endpoint;
    if (args.Has("serve") && !(endpoint = ParseListenAddress(args.Value("serve"))))
        return c.Usage(QStringLiteral("--serve needs ADDRESS:PORT"));
    if (!QDir::setCurrent(args.positional[0]))
        return c.Fail(QStringLiteral("Error:\nCan't use the folder %1").arg(args.positional[0]));
    if (args.Has("test-page") && !SafeFile::Write(args.Value("test-page"), LiveCamTestPage()))
        return c.Fail(QStringLiteral("Fatal Error:\nIn file!"));
    if (ticks == 0) return kExitOk;

    const std::vector<VideoSource> sources = ListVideoSources();
    VideoCapture camera;
    if (sources.empty() || !camera.Connect(sources.front().pipeline, {}, &error))
        return c.Fail(QStringLiteral("Error:\nThe capture device cannot start: %1")
                          .arg(sources.empty() ? QStringLiteral("no capture driver") : error));
    LiveCamServer server;
    if (endpoint) {
        if (!server.Listen(endpoint->address, endpoint->port, &error))
            return c.Fail(QStringLiteral("Error:\nThe LiveCam cannot listen on %1: %2").arg(args.Value("serve"), error));
        server.SetTestPage(LiveCamTestPage());
        c.out << QStringLiteral("LiveCam: http://%1:%2/").arg(server.Address().toString()).arg(server.Port()) << Qt::endl;
    }
    const auto frames = [&camera](quint64& number) -> std::optional<CImageObject> {
        return camera.NewFrame(number, LiveCam::kFrameWaitMs);
    };
    LiveCam liveCam(frames, c.ui);
    server.Follow(liveCam);
    int done = 0;
    int status = kExitOk;
    QObject::connect(&liveCam, &LiveCam::TickDone, [&] {
        if (ticks > 0 && ++done >= ticks) QCoreApplication::quit();
    });
    QObject::connect(&liveCam, &LiveCam::GaveUp, [&] {
        status = kExitFailure;
        if (const QString why = camera.PendingError(); !why.isEmpty())
            c.Fail(QStringLiteral("Error:\nThe capture device stopped: %1").arg(why));
        QCoreApplication::quit();
    });
    liveCam.Begin(settings);
    QCoreApplication::exec();
    return status;
}
