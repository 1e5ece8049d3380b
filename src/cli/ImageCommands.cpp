// albora-cli image ...: what a picture is, and converting it to another format.
#include "CliArgs.h"
#include "CliContext.h"

#include "image/CImageObject.h"
#include "image/ImageDescription.h"
#include "image/ImageInfo.h"
#include "image/Orientation.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Whether PATH names an existing file of a type Albora reads; explains why not.
bool Readable(CliContext& c, const QString& path) {
    if (!QFileInfo::exists(path)) {
        c.Report(QStringLiteral("Error:\nThe file %1 does not exist!").arg(path));
        return false;
    }
    if (ImageTypeFromFileName(path) == IMAGE_NONE || ImageTypeFromFileName(path) == IMAGE_XPM) {
        c.Report(QStringLiteral("Error:\n%1 is not a picture Albora can read (BMP, JPEG, GIF, PNG, AVI)!").arg(path));
        return false;
    }
    return true;
}

// Loads PATH or explains why not.
bool LoadImage(CliContext& c, CImageObject& image, const QString& path) {
    if (!Readable(c, path)) return false;
    if (!image.Load(path) || !image.IsValid()) {
        c.Report(CantReadPicture(path, image.ReadError()));
        return false;
    }
    return true;
}

// Info reads the header alone: no pixel is decoded, however large the picture says it is.
int Info(CliContext& c, const CliArgs& args) {
    if (args.positional.size() != 1) return c.Usage(QStringLiteral("image info takes FILE"));
    const QString path = args.positional[0];
    if (!Readable(c, path)) return kExitFailure;
    QString reason;
    const auto header = ReadImageInfo(path, -1, &reason);
    if (!header) return c.Fail(CantReadPicture(path, reason));
    const QJsonObject info{{"type", ImageDescription::TypeName(header->type)},
                           {"width", header->width},
                           {"height", header->height},
                           {"bpp", header->bpp},
                           {"colorType", header->colorType},
                           {"paletteSize", header->paletteSize},
                           {"transparentIndex", header->transparentIndex},
                           {"orientation", Orientation::OfFile(path)}};
    if (args.Has("json")) {
        c.out << QJsonDocument(info).toJson(QJsonDocument::Indented);
        return kExitOk;
    }
    for (const char* key : {"type", "width", "height", "bpp", "colorType", "paletteSize", "transparentIndex", "orientation"})
        c.out << QString::fromLatin1(key).leftJustified(17) << info[key].toVariant().toString() << '\n';
    return kExitOk;
}

int Convert(CliContext& c, const CliArgs& args) {
    if (args.positional.size() != 2) return c.Usage(QStringLiteral("image convert takes IN OUT"));
    if (args.Has("quality")) {
        bool ok = false;
        const int quality = args.Value("quality").toInt(&ok);
        if (!ok || quality < 0 || quality > 100) return c.Usage(QStringLiteral("--quality is 0 to 100"));
        ImageLibrary::SetJpegQuality(quality);
    }
    const QString out = args.positional[1];
    const int type = ImageTypeFromFileName(out);
    if (type == IMAGE_NONE || type == IMAGE_XPM || type == IMAGE_AVI) {
        return c.Fail(QStringLiteral("Error:\nAlbora can't write %1: use .bmp, .jpg, .gif or .png!").arg(out));
    }
    CImageObject image;
    if (!LoadImage(c, image, args.positional[0])) return kExitFailure;
    // The picture as the camera held it; the file written says nothing of a turn any more.
    if (const int orientation = Orientation::OfFile(args.positional[0]); args.Has("auto-orient") && orientation != 1)
        image = Orientation::Upright(image, orientation);
    if (!image.Save(out)) return c.Fail(CantWritePicture(out, image));
    return kExitOk;
}

}  // namespace

QString CantReadPicture(const QString& path, const QString& reason) {
    return QStringLiteral("Error:\nCan't read the picture %1%2!")
        .arg(path, reason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(reason));
}

QString CantWritePicture(const QString& path, const CImageObject& image) {
    const QString reason = image.WriteError();
    return QStringLiteral("Error:\nCan't write the picture %1%2!")
        .arg(path, reason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(reason));
}

int RunImageCommand(CliContext& c, const QStringList& args) {
    if (args.isEmpty()) return c.Usage(QStringLiteral("image needs a command"));
    const QString verb = args.front();
    CliOptions options;
    if (verb == "info")
        options.flags = {"json"};
    else if (verb == "convert")
        options = {{"quality"}, {"auto-orient"}};
    else if (verb == "transform")
        return RunImageTransform(c, args.mid(1));
    else
        return c.Usage(QStringLiteral("unknown image command '%1'").arg(verb));
    QString error;
    const auto parsed = ParseCliArgs(args.mid(1), options, error);
    if (!parsed) return c.Usage(error);
    return verb == "info" ? Info(c, *parsed) : Convert(c, *parsed);
}
