// albora-cli image transform IN OUT OP...: the image view's edits in batch, applied in order.
#include "CliContext.h"

#include "image/CImageObject.h"
#include "image/ImageTransforms.h"

#include <QColor>
#include <QRegularExpression>
#include <functional>
#include <optional>

namespace {

// An operation on the picture in place; false when it could not be done.
using Step = std::function<bool(CImageObject&)>;

// A step from a transform that makes a new picture.
template <class Transform>
Step Replacing(Transform transform) {
    return [transform](CImageObject& image) {
        std::optional<CImageObject> result = transform(image);
        if (!result || !result->IsValid()) return false;
        image = std::move(*result);
        return true;
    };
}

std::optional<QRgb> ParseColour(const QString& text) {
    static const QRegularExpression hex(QStringLiteral("^#?([0-9a-fA-F]{6})$"));
    const auto match = hex.match(text);
    if (!match.hasMatch()) return std::nullopt;
    return QRgb(0xFF000000u | match.captured(1).toUInt(nullptr, 16));
}

// One operation and its argument; nullopt and a reason on a usage error.
std::optional<Step> ParseStep(const QString& option, const QString& value, QString& error) {
    using namespace ImageTransforms;
    auto simple = [](CImageObject (*f)(const CImageObject&)) {
        return Replacing([f](const CImageObject& image) { return std::optional<CImageObject>(f(image)); });
    };
    if (option == "--flip-h") return simple(FlipHorizontal);
    if (option == "--flip-v") return simple(FlipVertical);
    if (option == "--rot90cw") return simple(Rotate90Clockwise);
    if (option == "--rot90ccw") return simple(Rotate90CounterClockwise);
    if (option == "--rot180") return simple(Rotate180);
    if (option == "--crop") {
        const QStringList parts = value.split(',');
        bool ok = parts.size() == 4;
        int n[4] = {};
        for (int i = 0; ok && i < 4; ++i) n[i] = parts[i].toInt(&ok);
        if (!ok || n[2] <= 0 || n[3] <= 0) return error = "--crop takes X,Y,W,H", std::nullopt;
        const QRect rect(n[0], n[1], n[2], n[3]);
        return Replacing([rect](const CImageObject& image) { return std::optional<CImageObject>(Crop(image, rect)); });
    }
    if (option == "--resize") {
        static const QRegularExpression pattern(QStringLiteral("^(\\d+)x(\\d+)(?::(\\w+))?$"));
        const auto match = pattern.match(value);
        const auto filter = ImageTransforms::FilterNamed(match.captured(3).isEmpty() ? QStringLiteral("BOX") : match.captured(3));
        if (!match.hasMatch() || !filter || match.captured(1).toInt() <= 0 || match.captured(2).toInt() <= 0)
            return error = "--resize takes WxH[:BOX|BILINEAR|GAUSSIAN|HAMMING|BLACKMAN]", std::nullopt;
        const int w = match.captured(1).toInt(), h = match.captured(2).toInt();
        return Replacing([w, h, f = *filter](const CImageObject& image) { return Resize(image, w, h, f); });
    }
    if (option == "--rotate") {
        bool ok = false;
        const double degrees = value.section(':', 0, 0).toDouble(&ok);
        const auto colour = value.contains(':') ? ParseColour(value.section(':', 1)) : std::optional<QRgb>(0xFF000000u);
        if (!ok || !colour || degrees < -360 || degrees > 360)
            return error = "--rotate takes DEG[:RRGGBB] with DEG from -360 to 360", std::nullopt;
        if (degrees == 0) return error = "Error:\nCannot parse rotation angle or roation angle is zero.", std::nullopt;
        return Replacing([degrees, c = *colour](const CImageObject& image) { return RotateByAngle(image, degrees, c); });
    }
    if (option == "--tint") {
        bool ok = false;
        const auto colour = ParseColour(value.section(':', 0, 0));
        const int intensity = value.section(':', 1).toInt(&ok);
        if (!colour || !ok || intensity < 0 || intensity > 255) return error = "--tint takes RRGGBB:I with I from 0 to 255", std::nullopt;
        return Replacing([c = *colour, intensity](const CImageObject& image) { return Tint(image, c, intensity); });
    }
    if (option == "--brightness") {
        bool ok = false;
        const int v = value.toInt(&ok);
        if (!ok || v < 0 || v > 255) return error = "--brightness takes V from 0 to 255 (128 changes nothing)", std::nullopt;
        return Step([v](CImageObject& image) {
            Brightness(image, v);
            return true;
        });
    }
    error = QStringLiteral("unknown operation %1").arg(option);
    return std::nullopt;
}

bool TakesValue(const QString& option) {
    return option == "--crop" || option == "--resize" || option == "--rotate" || option == "--tint" ||
           option == "--brightness";
}

}  // namespace

int RunImageTransform(CliContext& c, const QStringList& args) {
    QStringList positional;
    std::vector<Step> steps;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!arg.startsWith(QStringLiteral("--"))) {
            positional << arg;
            continue;
        }
        QString value;
        if (TakesValue(arg)) {
            if (i + 1 >= args.size()) return c.Usage(QStringLiteral("%1 needs a value").arg(arg));
            value = args[++i];
        }
        QString error;
        auto step = ParseStep(arg, value, error);
        if (!step) return error.startsWith("Error:") ? c.Fail(error) : c.Usage(error);
        steps.push_back(std::move(*step));
    }
    if (positional.size() != 2) return c.Usage(QStringLiteral("image transform takes IN OUT OP..."));
    CImageObject image;
    if (!image.Load(positional[0]) || !image.IsValid())
        return c.Fail(CantReadPicture(positional[0], image.ReadError()));
    for (const Step& step : steps)
        if (!step(image)) return c.Fail(QStringLiteral("Error:\nCannot allocate memory for operation."));
    if (!image.Save(positional[1])) return c.Fail(CantWritePicture(positional[1], image));
    return kExitOk;
}
