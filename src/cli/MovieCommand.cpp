// albora-cli movie ALBUM.crp OUT.avi [--sound] [--captions] [--fit WxH[:FILTER]]: the album's
// pictures as an AVI movie, made by the same loop as the program's command, its messages on
// stderr.
#include "CliArgs.h"
#include "CliContext.h"

#include "album/CAlboraDoc.h"
#include "movie/AlbumMovie.h"

int RunMovieCommand(CliContext& c, const QStringList& args) {
    const CliOptions options{{"fit"}, {"sound", "captions"}};
    QString error;
    const auto parsed = ParseCliArgs(args, options, error);
    if (!parsed) return c.Usage(error);
    if (parsed->positional.size() != 2) return c.Usage(QStringLiteral("movie takes ALBUM.crp OUT.avi"));
    AlbumMovieOptions movie;
    movie.sound = parsed->Has("sound");
    movie.captions = parsed->Has("captions");
    if (parsed->Has("fit") && !ParseMovieFit(parsed->Value("fit"), movie))
        return c.Usage(QStringLiteral("--fit takes WxH[:BOX|BILINEAR|GAUSSIAN|HAMMING|BLACKMAN], 2 to 8192 each way"));
    CAlboraDoc doc(c.ui, c.settings);
    if (!doc.FileOpen(parsed->positional[0])) return kExitFailure;
    if (doc.Db().GetCount() == 0) {
        c.ui.MessageBox(QStringLiteral("Error:\nCan't create AVI movie!"), MsgButtons::Ok, MsgIcon::Exclamation);
        return kExitFailure;
    }
    const AlbumMovieResult result = MakeMovieFromAlbum(doc, c.ui, parsed->positional[1], movie);
    return result == AlbumMovieResult::Complete ? kExitOk : kExitFailure;
}
