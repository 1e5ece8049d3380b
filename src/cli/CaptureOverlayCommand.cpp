// albora-cli capture overlay OUT: the overlay window drawn offscreen, its device driven by the
// same command strings as in the program, and its picture saved to OUT.
#include "CaptureCliSupport.h"
#include "CliArgs.h"
#include "CliContext.h"

#include "capture/overlay/OverlayController.h"
#include "capture/overlay/OverlayMciDevice.h"
#include "platform/SafeFile.h"
#include "platform/media/MciInterpreter.h"

#include <QBuffer>
#include <QFile>

namespace {

constexpr int kFirstFrameMs = 5000;
// As the program's window: the window is painted into pictures of its size.
constexpr int kMostSide = 4096;

// ARGS into the overlay's settings; false, with the usage message in WHY.
bool TakeOverlayOptions(const CliArgs& args, CAppSettings& settings, QString& why) {
    if (args.Has("size")) {
        const auto size = SizeOption(args.Value("size"));
        if (!size || size->width() > kMostSide || size->height() > kMostSide) {
            why = QStringLiteral("--size needs WxH, at most %1 each way").arg(kMostSide);
            return false;
        }
        settings.anchoFrame = size->width();
        settings.altoFrame = size->height();
    }
    if (args.Has("format")) settings.GrabaFormato = args.Value("format");
    if (args.Has("plane")) settings.Plantilla = args.Value("plane");
    settings.flgPlano = args.Has("plane") ? 1 : 0;
    settings.flgLock = args.Has("lock") ? 1 : 0;
    settings.flgShareable = args.Has("shareable") ? 1 : 0;
    return true;
}

bool WritePng(const QImage& image, const QString& path, QString& error) {
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        error = QStringLiteral("the picture cannot be encoded");
        return false;
    }
    return SafeFile::Write(path, png, &error);
}

}  // namespace

int RunCaptureOverlay(CliContext& c, const QStringList& arguments) {
    QString error;
    const auto parsed = ParseCliArgs(arguments, {{"format", "size", "plane", "window-png"}, {"lock", "shareable", "log"}}, error);
    if (!parsed) return c.Usage(error);
    const CliArgs& args = *parsed;
    if (args.positional.size() != 1) return c.Usage(QStringLiteral("capture overlay takes OUT, the picture to save"));
    CAppSettings& settings = c.settings;
    if (!TakeOverlayOptions(args, settings, error)) return c.Usage(error);
    const QString out = args.positional[0];
    const auto argument = OverlayController::SaveArgument(out, settings.GrabaFormato);
    if (!argument) return c.Fail(QStringLiteral("Error:\nCan't create the file name."));

    MciInterpreter mci;
    RegisterOverlayDevice(mci);
    OverlayController window(settings, c.ui, mci);
    window.SetHandle(OverlayWindows::OffscreenHandle());
    if (args.Has("log"))
        window.onCommand = [&c](const QString& command) { c.out << command << Qt::endl; };
    const QSize client(settings.anchoFrame, settings.altoFrame);
    window.SetRectangles(client);
    if (!window.Open()) return kExitFailure;
    const QString planeMessage = window.Paint(client);
    if (!planeMessage.isEmpty()) c.ui.MessageBox(planeMessage, MsgButtons::Ok, MsgIcon::Exclamation);
    const QImage shown = args.Has("window-png") ? window.Composite(kFirstFrameMs) : QImage();
    const bool saved = window.SavePicture(*argument);
    window.Close();
    if (!saved) return kExitFailure;
    if (args.Has("window-png") && !WritePng(shown, args.Value("window-png"), error)) {
        QFile::remove(out);
        return c.Fail(QStringLiteral("Error:\nCan't write the picture %1: %2").arg(args.Value("window-png"), error));
    }
    return kExitOk;
}
