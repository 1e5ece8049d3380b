#include "AlbumMovie.h"

#include "SlidePainter.h"
#include "SlidePicture.h"

#include "album/CAlboraDoc.h"
#include "image/Orientation.h"
#include "image/ScaledDecode.h"
#include "platform/OrderedPool.h"
#include "platform/UiServices.h"
#include "platform/media/SoundDecoder.h"
#include "sound/SoundAnnotations.h"

#include <QPainter>
#include <QRegularExpression>
#include <cmath>
#include <cstring>

namespace {

// Decoded pictures waiting to be written: enough to keep every core busy, few enough that a
// movie of large photographs never holds many of them.
constexpr std::size_t kPicturesAhead = 4;

// The largest frame side a movie is made with.
constexpr int kMaxFrameSide = 8192;

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

bool ParseMovieFit(const QString& text, AlbumMovieOptions& options) {
    static const QRegularExpression fit(QStringLiteral("^(\\d{1,5})x(\\d{1,5})(?::(\\w+))?$"));
    const QRegularExpressionMatch match = fit.match(text);
    const auto filter = ImageTransforms::FilterNamed(match.captured(3).isEmpty() ? QStringLiteral("BOX") : match.captured(3));
    const QSize size(match.captured(1).toInt(), match.captured(2).toInt());
    if (!match.hasMatch() || !filter || size.width() < 2 || size.height() < 2 || size.width() > kMaxFrameSide ||
        size.height() > kMaxFrameSide)
        return false;
    options.fit = size;
    options.filter = *filter;
    return true;
}

QString MovieFitText(const AlbumMovieOptions& options) {
    if (options.fit.isEmpty()) return {};
    return QStringLiteral("%1x%2:%3")
        .arg(options.fit.width())
        .arg(options.fit.height())
        .arg(QLatin1String(ImageTransforms::kFilterNames[int(options.filter)]));
}

std::optional<CImageObject> MovieFrame(const QString& file, const AlbumMovieOptions& options) {
    CImageObject picture;
    if (!Orientation::LoadUpright(picture, file) || picture.GetWidth() <= 0 || picture.GetHeight() <= 0)
        return std::nullopt;
    if (options.fit.isEmpty()) return picture;
    return IntoFrame(picture, options.fit, options.filter);
}

CImageObject CaptionedFrame(const CImageObject& frame, const QString& info) {
    QImage image = frame.MakeBitmap().convertToFormat(QImage::Format_RGB32);
    QPainter painter(&image);
    SlidePainter::PaintInfo(painter, info);
    painter.end();
    return ImageFromQImage(image);
}

int PeriodsForSound(double seconds) {
    return std::max(AviMovieWriter::kPeriodsPerPicture, int(std::ceil(seconds * AviMovieWriter::kRate - 1e-9)));
}

namespace {

// A card made ready for the movie by a worker.
struct MovieCard {
    std::optional<CImageObject> frame;
    std::optional<PcmSound> sound;  // the note in the track's format; none: silence
    QString soundProblem;
};

// The track that holds every note without loss: the highest rate and channel count among them.
// Nullopt when no card has a note, or when the user stopped the look at them (STOPPED).
std::optional<PcmFormat> TrackFormat(const QStringList& notes, UiServices& ui, bool& stopped) {
    std::vector<qsizetype> withNote;
    for (qsizetype i = 0; i < notes.size(); ++i)
        if (!notes[i].isEmpty()) withNote.push_back(i);
    OrderedPool<std::optional<PcmFormat>> pool(withNote.size(), [&](std::size_t i) {
        return SoundDecoder::Probe(notes[withNote[i]]);
    });
    std::optional<PcmFormat> track;
    for (std::size_t i = 0; i < withNote.size(); ++i) {
        const auto format = TakeResponsively(ui, [&](int ms) { return pool.Take(i, ms); });
        if (!format) {
            stopped = true;
            return std::nullopt;
        }
        if (!*format) continue;  // told when the card is written
        if (!track) track = **format;
        track->sampleRate = std::max(track->sampleRate, (*format)->sampleRate);
        track->channels = std::max(track->channels, (*format)->channels);
    }
    return track;
}

}  // namespace

AlbumMovieResult MakeMovieFromAlbum(CAlboraDoc& doc, UiServices& ui, const QString& path, const AlbumMovieOptions& options) {
    const int count = doc.Db().GetCount();
    QStringList files, notes, captions;
    for (int i = 0; i < count; ++i) {
        const CFotoObj& card = *doc.Db().GetAt(i);
        files << doc.CardFile(i);
        notes << (options.sound ? SoundAnnotations::ExistingNote(files.back()) : QString());
        captions << (options.captions ? SlideInfoText(card.m_strName, card.m_strDescription) : QString());
    }
    WaitCursor wait(ui);
    ui.ProgressBegin(0, count, 1);
    const auto stop = [&ui] {
        ui.ProgressEnd();
        ui.SetStatusText(0, QStringLiteral("Movie stopped: nothing was written."));
        return AlbumMovieResult::NotMade;
    };
    bool stopped = false;
    const std::optional<PcmFormat> track = options.sound ? TrackFormat(notes, ui, stopped) : std::nullopt;
    if (stopped) return stop();

    AviMovieWriter::Options writerOptions;
    writerOptions.riffLimit = options.riffLimit;
    if (track) writerOptions.audio = AviAudioFormat{track->channels, track->sampleRate};
    AviMovieWriter writer(path, writerOptions);
    OrderedPool<MovieCard> pool(
        files.size(),
        [&](std::size_t i) {
            MovieCard card{MovieFrame(files[qsizetype(i)], options), {}, {}};
            const QString& note = notes[qsizetype(i)];
            if (track && !note.isEmpty()) card.sound = SoundDecoder::Decode(note, *track, &card.soundProblem);
            return card;
        },
        kPicturesAhead);
    bool failed = false;
    for (int i = 0; i < count && !failed; ++i) {
        std::optional<MovieCard> card;
        if (ui.CancelRequested() || !(card = TakeResponsively(ui, [&](int ms) { return pool.Take(std::size_t(i), ms); }))) {
            stopped = true;
            break;
        }
        if (!card->frame) {
            ui.MessageBox(QStringLiteral("Error:\nReading file: ") + files[i], MsgButtons::Ok, MsgIcon::Exclamation);
            failed = true;
            break;
        }
        // A note that cannot be heard leaves its card silent rather than the movie unmade.
        if (!card->soundProblem.isEmpty())
            ui.SetStatusText(0, QStringLiteral("Sound annotation not used: %1 (%2)").arg(notes[i], card->soundProblem));
        const CImageObject frame = options.captions ? CaptionedFrame(*card->frame, captions[i]) : std::move(*card->frame);
        const int periods = card->sound ? PeriodsForSound(card->sound->Seconds()) : AviMovieWriter::kPeriodsPerPicture;
        if (!writer.AddFrame(frame, periods, card->sound ? QByteArrayView(card->sound->samples) : QByteArrayView())) {
            ui.SetStatusText(0, writer.ErrorString());
            ui.MessageBox(QStringLiteral("Error:\nCan't add frame: ") + files[i], MsgButtons::Ok, MsgIcon::Exclamation);
            failed = true;
        } else {
            ui.ProgressStep();
        }
    }
    pool.Stop();
    if (stopped) return stop();
    ui.ProgressEnd();
    // The box comes only once the movie is whole and in its place.
    if (writer.usable && writer.frameCount > 0 && writer.Finish()) {
        ui.MessageBox(QStringLiteral("Message:\nAVI movie created!"), MsgButtons::Ok, MsgIcon::Information);
        return failed ? AlbumMovieResult::Partial : AlbumMovieResult::Complete;
    }
    if (!writer.ErrorString().isEmpty()) ui.SetStatusText(0, writer.ErrorString());
    ui.MessageBox(QStringLiteral("Error:\nCan't create AVI movie!"), MsgButtons::Ok, MsgIcon::Exclamation);
    return AlbumMovieResult::NotMade;
}
