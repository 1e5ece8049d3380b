// albora-cli slides ALBUM.crp DIR: each card as the presentation window paints it, one PNG per
// card.
#include <QDir>
#include <QRegularExpression>

#include "CliArgs.h"
#include "CliContext.h"
#include "album/AlbumOutputGuard.h"
#include "album/CAlboraDoc.h"
#include "image/CPngImage.h"
#include "image/ParallelRows.h"
#include "movie/SlidePainter.h"
#include "movie/SlidePicture.h"
#include "platform/SafeFile.h"

namespace {

constexpr int kMaxSide = 16384;

std::optional<QSize> ParseSize(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) return std::nullopt;
    const QSize size(match.captured(1).toInt(), match.captured(2).toInt());
    if (size.isEmpty() || size.width() > kMaxSide || size.height() > kMaxSide) return std::nullopt;
    return size;
}

// The card whose picture the window would show for card INDEX: the card itself, or for a file of
// a type the presentation does not show, the nearest card before it that has one (none: -1).
int PictureCard(const QStringList& files, int index) {
    for (int i = index; i >= 0; --i)
        if (PresentationImageType(files[i]) != IMAGE_NONE) return i;
    return -1;
}

}  // namespace

int RunSlidesCommand(CliContext& c, const QStringList& args) {
    const CliOptions options{{"size"}, {"fit", "info"}};
    QString error;
    const auto parsed = ParseCliArgs(args, options, error);
    if (!parsed) return c.Usage(error);
    if (parsed->positional.size() != 2)
        return c.Usage(QStringLiteral("slides takes ALBUM.crp DIR"));
    const std::optional<QSize> size = ParseSize(parsed->Value("size", QStringLiteral("1024x768")));
    if (!size) return c.Usage(QStringLiteral("--size is WxH, each side 1 to %1").arg(kMaxSide));
    const bool fit = parsed->Has("fit");
    const bool info = parsed->Has("info");

    CAlboraDoc doc(c.ui, c.settings);
    if (!doc.FileOpen(parsed->positional[0])) return kExitFailure;
    const QDir out(parsed->positional[1]);
    if (!out.mkpath(QStringLiteral(".")))
        return c.Fail(
            QStringLiteral("Error:\nCan't create the folder %1!").arg(out.absolutePath()));
    // The files are found first (the resolver is not shared across threads), then the slides are
    // made on all cores, each on its own: a card that leaves the previous picture reads that one.
    const int count = doc.Db().GetCount();
    QStringList files, infos;
    for (int i = 0; i < count; ++i) {
        const CFotoObj* card = doc.Db().GetAt(i);
        files << doc.CardFile(i);
        infos << (info ? SlideInfoText(card->m_strName, card->m_strDescription) : QString());
    }
    const auto slidePath = [&out](int i) {
        return out.absoluteFilePath(QStringLiteral("slide-%1.png").arg(i + 1, 3, 10, QLatin1Char('0')));
    };
    const OutputGuard guard = GuardOfAlbum(doc);
    for (int i = 0; i < count; ++i)
        if (const QString refusal = guard.WriteRefusal(slidePath(i)); !refusal.isEmpty()) return c.Fail(refusal);
    std::vector<QString> errors(static_cast<std::size_t>(count));
    ParallelEach(count, [&](int i) {
        QString& failure = errors[std::size_t(i)];
        Slide slide{{}, fit, infos[i]};
        if (PresentationImageType(files[i]) == IMAGE_NONE)
            failure =
                CantReadPicture(files[i], QStringLiteral("not a type the presentation shows"));
        if (const int source = PictureCard(files, i); source >= 0) {
            const SlidePicture picture = LoadSlidePicture(files[source], fit ? *size : QSize());
            slide.picture = picture.image;
            if (source == i && picture.outcome != SlidePicture::Outcome::Loaded)
                failure = CantReadPicture(files[i], picture.reason);
        }
        const QString path = slidePath(i);
        const QByteArray png = CPngImage::EncodeQuick(SlidePainter::Render(*size, slide));
        QString reason;
        if (png.isEmpty() || !SafeFile::Write(path, png, &reason))
            failure = QStringLiteral("Error:\nCan't save file!\n%1\n%2").arg(path, reason);
    });
    int code = kExitOk;
    for (const QString& failure : errors)
        if (!failure.isEmpty()) code = c.Fail(failure);
    return code;
}
