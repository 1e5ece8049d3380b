// albora-cli movie ALBUM.crp OUT.avi: the album's pictures as an AVI movie, made by the same loop
// as the program's command, its messages on stderr.
#include "CliArgs.h"
#include "CliContext.h"

#include "album/CAlboraDoc.h"
#include "movie/AlbumMovie.h"

#include <QRegularExpression>

int RunMovieCommand(CliContext& c, const QStringList& args) {
    const CliOptions options{{"fit"}, {}};
    QString error;
    const auto parsed = ParseCliArgs(args, options, error);
    if (!parsed) return c.Usage(error);
    if (parsed->positional.size() != 2) return c.Usage(QStringLiteral("movie takes ALBUM.crp OUT.avi"));
    AlbumMovieOptions movie;
    if (parsed->Has("fit")) {
        static const QRegularExpression fit(QStringLiteral("^(\\d{1,5})x(\\d{1,5})(?::(\\w+))?$"));
        const QRegularExpressionMatch match = fit.match(parsed->Value("fit"));
        const auto filter = ImageTransforms::FilterNamed(match.captured(3).isEmpty() ? QStringLiteral("BOX") : match.captured(3));
        movie.fit = QSize(match.captured(1).toInt(), match.captured(2).toInt());
        if (!match.hasMatch() || !filter || movie.fit.width() < 2 || movie.fit.height() < 2 || movie.fit.width() > 8192 ||
            movie.fit.height() > 8192)
            return c.Usage(QStringLiteral("--fit takes WxH[:BOX|BILINEAR|GAUSSIAN|HAMMING|BLACKMAN], 2 to 8192 each way"));
        movie.filter = *filter;
    }
    CAlboraDoc doc(c.ui, c.settings);
    if (!doc.FileOpen(parsed->positional[0])) return kExitFailure;
    if (doc.Db().GetCount() == 0) {
        c.ui.MessageBox(QStringLiteral("Error:\nCan't create AVI movie!"), MsgButtons::Ok, MsgIcon::Exclamation);
        return kExitFailure;
    }
    const AlbumMovieResult result = MakeMovieFromAlbum(doc, c.ui, parsed->positional[1], movie);
    return result == AlbumMovieResult::Complete ? kExitOk : kExitFailure;
}
