// albora-cli capture screen ALBUM.crp MODE: the GUI's grab of the desktop, a rectangle or a window
// as a new card; a point stands for where the user would release the mouse.
#include "CaptureCliSupport.h"
#include "CliArgs.h"
#include "CliContext.h"

#include "album/CAlboraDoc.h"
#include "capture/CapturedPicture.h"
#include "capture/XcbScreen.h"
#include "image/CImageObject.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <optional>

namespace {

constexpr int kMostDelaySeconds = 30;

std::optional<QList<int>> Numbers(const QString& text, int count) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != count) return std::nullopt;
    QList<int> numbers;
    for (const QString& part : parts) {
        bool ok = false;
        numbers.append(part.trimmed().toInt(&ok));
        if (!ok) return std::nullopt;
    }
    return numbers;
}

// A window id as xwininfo prints it (0x...) or in decimal.
std::optional<XcbScreen::Window> WindowId(const QString& text) {
    bool ok = false;
    const qulonglong id = text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive) ? text.mid(2).toULongLong(&ok, 16)
                                                                                       : text.toULongLong(&ok, 10);
    if (!ok || id == 0 || id > 0xffffffffu) return std::nullopt;
    return XcbScreen::Window(id);
}

// The grab that ARGS name; a usage error as nullopt with WHY.
std::optional<int> Grab(XcbScreen& screen, const CliArgs& args, CImageObject& picture, QString& why) {
    using Part = XcbScreen::WindowPart;
    const auto usage = [&why](const QString& text) {
        why = text;
        return std::optional<int>();
    };
    if (args.Has("desktop")) return screen.GrabScreen(picture);
    if (args.Has("rect")) {
        const auto r = Numbers(args.Value("rect"), 4);
        if (!r || (*r)[2] <= 0 || (*r)[3] <= 0) return usage(QStringLiteral("--rect needs X,Y,W,H"));
        return screen.GrabRectangle(QRect((*r)[0], (*r)[1], (*r)[2], (*r)[3]), picture);
    }
    for (const auto& [option, part] : {std::pair{"window-at", Part::Whole}, std::pair{"client-at", Part::Client}})
        if (args.Has(option)) {
            const auto p = Numbers(args.Value(option), 2);
            if (!p) return usage(QStringLiteral("--%1 needs X,Y").arg(option));
            return screen.GrabWindowAt(QPoint((*p)[0], (*p)[1]), part, picture);
        }
    for (const auto& [option, part] : {std::pair{"window", Part::Whole}, std::pair{"client", Part::Client}})
        if (args.Has(option)) {
            const auto id = WindowId(args.Value(option));
            if (!id) return usage(QStringLiteral("--%1 needs a window id").arg(option));
            return screen.GrabWindow(*id, part, picture);
        }
    return usage(QStringLiteral("capture screen needs --desktop, --rect, --window-at, --client-at, --window or --client"));
}

}  // namespace

int RunCaptureScreen(CliContext& c, const QStringList& arguments) {
    QString error;
    const auto args =
        ParseCliArgs(arguments, {{"rect", "window-at", "client-at", "window", "client", "delay", "quality"}, {"desktop", "jpg"}}, error);
    if (!args) return c.Usage(error);
    if (args->positional.size() != 1) return c.Usage(QStringLiteral("capture screen takes ALBUM.crp"));
    bool ok = true;
    const int delay = args->Value("delay", QStringLiteral("0")).toInt(&ok);
    if (!ok || delay < 0 || delay > kMostDelaySeconds) return c.Usage(QStringLiteral("--delay needs 0 to 30 seconds"));
    if (!TakeStorageOptions(*args, c.settings, error)) return c.Usage(error);

    const QString albumPath = QFileInfo(args->positional[0]).absoluteFilePath();
    CAlboraDoc doc(c.ui, c.settings);
    QString folder;
    if (!OpenCaptureAlbum(c, doc, albumPath, folder)) return kExitFailure;
    XcbScreen screen;
    if (!screen.IsOpen()) return c.Fail(QStringLiteral("Error:\nThe screen cannot be captured: %1").arg(screen.Error()));
    QThread::sleep(delay);
    CImageObject picture;
    const auto code = Grab(screen, *args, picture, error);
    if (!code) return c.Usage(error);
    if (*code != XcbScreen::kGrabbed)
        return c.Fail(QStringLiteral("Error:\nNothing was captured (%1): %2").arg(*code).arg(screen.Error()));

    const QString name = doc.NextImageFileName();
    if (name.isEmpty()) return c.Fail(QStringLiteral("Error:\nEvery picture name is taken in %1").arg(folder));
    const StoredPicture stored = StoreCapturedPicture(picture, name, c.settings, c.ui);
    if (stored.result == StoredPicture::Result::ConversionFailed) return c.Fail(ConversionErrorText(name, stored));
    if (!stored.Ok())
        return c.Fail(QStringLiteral("Error:\nCan't write the picture %1 (%2): %3").arg(name).arg(stored.writeCode).arg(stored.reason));
    doc.InsertImageAsCard(name);
    return doc.FileSave() ? kExitOk : kExitFailure;
}
