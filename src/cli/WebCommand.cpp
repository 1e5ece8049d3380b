// albora-cli web ALBUM.crp OUTDIR: the album as a static web site, made by the same generator as
// the Internet assistant, with the assistant's defaults unless told otherwise.
#include "CliArgs.h"
#include "CliContext.h"

#include "album/CAlboraDoc.h"
#include "image/ImageLibrary.h"
#include "web/GenerateWebSite.h"
#include "web/HtmlWizardSettings.h"

#include <QDir>

namespace {

const std::pair<const char*, int> kFormats[] = {{"normal", PageFormatId::Normal},
                                                {"frames", PageFormatId::Frames},
                                                {"onepage", PageFormatId::OnePage},
                                                {"minmax", PageFormatId::MinMax}};

// The words of a comma list, each of which must be one of ALLOWED; nullopt for an unknown one.
std::optional<QStringList> Words(const QString& list, const QStringList& allowed) {
    QStringList words = list.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (QString& word : words) {
        word = word.trimmed().toLower();
        if (!allowed.contains(word)) return std::nullopt;
    }
    return words;
}

// Fills S from the options; the reason for a usage error otherwise.
std::optional<QString> ReadOptions(const CliArgs& args, HtmlWizardSettings& s) {
    if (args.Has("format")) {
        const QString format = args.Value("format").toLower();
        const auto it = std::find_if(std::begin(kFormats), std::end(kFormats),
                                     [&](const auto& f) { return format == QLatin1String(f.first); });
        if (it == std::end(kFormats)) return QStringLiteral("--format is normal, frames, onepage or minmax");
        s.pageFormat = it->second;
    }
    s.styleSet = args.Value("style", s.styleSet);
    s.buttonSet = args.Value("buttons", s.buttonSet);
    if (args.Has("image-format")) {
        const QString format = args.Value("image-format");
        const QStringList known = {QStringLiteral("JPEG"), QStringLiteral("GIF"), QStringLiteral("No convert")};
        const auto it = std::find_if(known.begin(), known.end(),
                                     [&](const QString& k) { return k.compare(format, Qt::CaseInsensitive) == 0; });
        if (it == known.end()) return QStringLiteral("--image-format is JPEG, GIF or \"No convert\"");
        s.imageFormat = *it;
    }
    const std::optional<QSize> picture = ParseBox(args.Value("picture", QStringLiteral("original")));
    if (!picture) return QStringLiteral("--picture is WxH or original");
    s.pictureBox = *picture;
    const std::optional<QSize> thumb = ParseBox(args.Value("thumb", BoxText(s.thumbnailBox)));
    if (!thumb || thumb->isEmpty()) return QStringLiteral("--thumb is WxH");
    s.thumbnailBox = *thumb;
    if (args.Has("card-info")) {
        const auto words = Words(args.Value("card-info"), {"name", "date", "description", "filename", "sound"});
        if (!words) return QStringLiteral("--card-info lists name, date, description, filename, sound");
        s.includeImageName = words->contains("name");
        s.includeCardDate = words->contains("date");
        s.includeDescription = words->contains("description");
        s.includeFileName = words->contains("filename");
        s.includeSound = words->contains("sound");
    }
    if (args.Has("album-info")) {
        const auto words = Words(args.Value("album-info"), {"author", "date", "description"});
        if (!words) return QStringLiteral("--album-info lists author, date, description");
        s.includeAlbumAuthor = words->contains("author");
        s.includeAlbumDate = words->contains("date");
        s.includeAlbumDescription = words->contains("description");
    }
    s.keepLocationAndOwner = args.Has("keep-location-and-owner");
    s.email = args.Value("email");
    s.moreInfo = args.Value("more-info");
    return std::nullopt;
}

}  // namespace

int RunWebCommand(CliContext& c, const QStringList& args) {
    const CliOptions options{{"format", "style", "buttons", "image-format", "picture", "thumb", "quality", "card-info",
                              "album-info", "email", "more-info", "templates"},
                             {"full", "keep-location-and-owner"}};
    QString error;
    const auto parsed = ParseCliArgs(args, options, error);
    if (!parsed) return c.Usage(error);
    if (parsed->positional.size() != 2) return c.Usage(QStringLiteral("web takes ALBUM.crp OUTDIR"));
    HtmlWizardSettings settings;
    if (const auto reason = ReadOptions(*parsed, settings)) return c.Usage(*reason);
    if (parsed->Has("quality")) {
        bool ok = false;
        const int quality = parsed->Value("quality").toInt(&ok);
        if (!ok || quality < 1 || quality > 100) return c.Usage(QStringLiteral("--quality is 1 to 100"));
        ImageLibrary::SetJpegQuality(quality);
    }
    const QString templates = parsed->Value("templates", DefaultTemplatesDirectory());
    if (templates.isEmpty()) return c.Fail(QStringLiteral("Error:\nNot formats available"));
    settings.outputDirectory = QDir(parsed->positional[1]).absolutePath();

    CAlboraDoc doc(c.ui, c.settings);
    if (!doc.FileOpen(parsed->positional[0])) return kExitFailure;
    const WebSiteResult result = GenerateWebSite(doc, c.ui, settings, templates, parsed->Has("full"));
    return result == WebSiteResult::Complete ? kExitOk : kExitFailure;
}
