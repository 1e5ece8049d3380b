#include "AlbumMovie.h"

#include "album/CAlboraDoc.h"
#include "image/Orientation.h"
#include "image/ScaledDecode.h"
#include "platform/OrderedPool.h"
#include "platform/UiServices.h"

#include <cstring>

namespace {

// Decoded pictures waiting to be written: enough to keep every core busy, few enough that a
// movie of large photographs never holds many of them.
constexpr std::size_t kPicturesAhead = 4;

// PICTURE, scaled in proportion into FRAME and centred on black, as a 24-bit frame.
std::optional<CImageObject> IntoFrame(const CImageObject& picture, QSize frame, ImageTransforms::Filter filter) {
    const QSize size = QSize(picture.GetWidth(), picture.GetHeight()).scaled(frame, Qt::KeepAspectRatio).expandedTo({1, 1});
    std::optional<CImageObject> scaled = ImageTransforms::Resize(picture, size.width(), size.height(), filter);
    CImageObject out;
    if (!scaled || !out.Create(frame.width(), frame.height(), 24)) return std::nullopt;
    const int left = (frame.width() - size.width()) / 2, bottom = (frame.height() - size.height()) / 2;
    CImageImpl& target = *out.GetImplementation();
    for (int y = 0; y < frame.height(); ++y) std::memset(target.Row(y), 0, target.GetRowBytes());
    for (int y = 0; y < size.height(); ++y) scaled->GetImplementation()->BgrRow(y, target.Row(bottom + y) + 3 * left);
    return out;
}

}  // namespace

std::optional<CImageObject> MovieFrame(const QString& file, const AlbumMovieOptions& options) {
    CImageObject picture;
    if (!Orientation::LoadUpright(picture, file) || picture.GetWidth() <= 0 || picture.GetHeight() <= 0)
        return std::nullopt;
    if (options.fit.isEmpty()) return picture;
    return IntoFrame(picture, options.fit, options.filter);
}

AlbumMovieResult MakeMovieFromAlbum(CAlboraDoc& doc, UiServices& ui, const QString& path, const AlbumMovieOptions& options) {
    const int count = doc.Db().GetCount();
    QStringList files;
    for (int i = 0; i < count; ++i) files << doc.CardFile(i);
    AviMovieWriter::Options writerOptions;
    writerOptions.riffLimit = options.riffLimit;
    AviMovieWriter writer(path, writerOptions);
    WaitCursor wait(ui);
    ui.ProgressBegin(0, count, 1);
    OrderedPool<std::optional<CImageObject>> pool(
        files.size(), [&](std::size_t i) { return MovieFrame(files[qsizetype(i)], options); }, kPicturesAhead);
    bool stopped = false, failed = false;
    for (int i = 0; i < count && !stopped && !failed; ++i) {
        std::optional<std::optional<CImageObject>> frame;
        // The window keeps painting and Esc is heard while the pictures are decoded.
        while (!ui.CancelRequested() && !(frame = pool.Take(std::size_t(i), 40))) ui.KeepResponsive();
        if (!frame) {
            stopped = true;
        } else if (!*frame) {
            ui.MessageBox(QStringLiteral("Error:\nReading file: ") + files[i], MsgButtons::Ok, MsgIcon::Exclamation);
            failed = true;
        } else if (!writer.AddFrame(**frame)) {
            ui.MessageBox(QStringLiteral("Error:\nCan't add frame: ") + files[i], MsgButtons::Ok, MsgIcon::Exclamation);
            failed = true;
        } else {
            ui.ProgressStep();
        }
    }
    pool.Stop();
    ui.ProgressEnd();
    if (stopped) {
        ui.SetStatusText(0, QStringLiteral("Movie stopped: nothing was written."));
        return AlbumMovieResult::NotMade;
    }
    // The box comes only once the movie is whole and in its place.
    if (writer.usable && writer.frameCount > 0 && writer.Finish()) {
        ui.MessageBox(QStringLiteral("Message:\nAVI movie created!"), MsgButtons::Ok, MsgIcon::Information);
        return failed ? AlbumMovieResult::Partial : AlbumMovieResult::Complete;
    }
    if (!writer.ErrorString().isEmpty()) ui.SetStatusText(0, writer.ErrorString());
    ui.MessageBox(QStringLiteral("Error:\nCan't create AVI movie!"), MsgButtons::Ok, MsgIcon::Exclamation);
    return AlbumMovieResult::NotMade;
}
