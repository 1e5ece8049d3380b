#include "AlbumMovie.h"

#include "SlidePainter.h"
#include "SlidePicture.h"

#include "album/AlbumOutputGuard.h"
#include "album/CAlboraDoc.h"
#include "image/Orientation.h"
#include "image/ScaledDecode.h"
#include "platform/OrderedPool.h"
#include "platform/ProblemList.h"
#include "platform/UiServices.h"
#include "platform/media/SoundDecoder.h"
#include "sound/SoundAnnotations.h"

#include <QFileInfo>
#include <QPainter>
#include <QRegularExpression>
#include <cmath>
#include <cstring>
#include <utility>

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

// PICTURE with every pixel in its own colour. Pictures of a palette go in as 24-bit frames: an
// AVI stream has one palette, and an album's pictures rarely share theirs.
std::optional<CImageObject> InColour(CImageObject picture) {
    if (picture.GetBitsPerPixel() > 8) return picture;
    CImageObject out;
    if (!out.Create(picture.GetWidth(), picture.GetHeight(), 24)) return std::nullopt;
    for (int y = 0; y < picture.GetHeight(); ++y)
        picture.GetImplementation()->BgrRow(y, out.GetImplementation()->Row(y));
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

std::optional<CImageObject> MovieFrame(const QString& file, const AlbumMovieOptions& options, QString* reason) {
    const auto fail = [&](const QString& why) {
        if (reason) *reason = why;
        return std::nullopt;
    };
    CImageObject picture;
    if (!Orientation::LoadUpright(picture, file) || picture.GetWidth() <= 0 || picture.GetHeight() <= 0) {
        if (!QFileInfo::exists(file)) return fail(QStringLiteral("the file is missing"));
        return fail(picture.ReadError().isEmpty() ? QStringLiteral("no picture the movie can show") : picture.ReadError());
    }
    std::optional<CImageObject> frame =
        options.fit.isEmpty() ? InColour(std::move(picture)) : IntoFrame(picture, options.fit, options.filter);
    if (!frame) return fail(QStringLiteral("out of memory"));
    return frame;
}

CImageObject CaptionedFrame(const CImageObject& frame, const QString& info) {
    QImage image = frame.MakeBitmap().convertToFormat(QImage::Format_RGB32);
    QPainter painter(&image);
    SlidePainter::PaintFrameInfo(painter, image.size(), info);
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
    QString frameProblem;  // why there is no frame
    std::optional<PcmSound> sound;  // the note in the track's format; none: silence
    QString soundProblem;
};

// The track that holds every note without loss: the highest rate and channel count among them.
// Nullopt when no note can be heard, or when the user stopped the look at them (STOPPED). Why a
// note cannot be heard goes to PROBLEMS, one per note, to be told with its card.
std::optional<PcmFormat> TrackFormat(const QStringList& notes, QStringList& problems, UiServices& ui, bool& stopped) {
    std::vector<qsizetype> withNote;
    for (qsizetype i = 0; i < notes.size(); ++i)
        if (!notes[i].isEmpty()) withNote.push_back(i);
    struct Probed {
        std::optional<PcmFormat> format;
        QString problem;
    };
    OrderedPool<Probed> pool(withNote.size(), [&](std::size_t i) {
        Probed probed;
        probed.format = SoundDecoder::Probe(notes[withNote[i]], &probed.problem);
        return probed;
    });
    std::optional<PcmFormat> track;
    for (std::size_t i = 0; i < withNote.size(); ++i) {
        const std::optional<Probed> probed = TakeResponsively(ui, [&](int ms) { return pool.Take(i, ms); });
        if (!probed) {
            stopped = true;
            return std::nullopt;
        }
        if (!probed->format) {
            problems[withNote[i]] = probed->problem;
            continue;
        }
        if (!track) track = *probed->format;
        track->sampleRate = std::max(track->sampleRate, probed->format->sampleRate);
        track->channels = std::max(track->channels, probed->format->channels);
    }
    return track;
}

// One run of the movie: the cards in order, each written as its picture or, when that cannot be
// shown, as the stand-in the presentation paints, so that every card and its note keep their
// time.
class MovieRun {
public:
    MovieRun(CAlboraDoc& doc, UiServices& ui, const QString& path, const AlbumMovieOptions& options)
        : m_doc(doc), m_ui(ui), m_path(path), m_options(options) {}

    AlbumMovieResult Run();

private:
    bool WriteCard(int index, MovieCard& card);
    bool WriteStandIn(int index, const MovieCard& card, QSize size, const QString& reason);
    bool Add(const CImageObject& frame, const MovieCard& card);
    std::optional<QSize> FrameSize() const;
    QString Mismatch(const CImageObject& frame) const;
    void NoteProblem(int index, const QString& reason);
    AlbumMovieResult NotMade(const QString& reason);
    AlbumMovieResult Stopped();

    CAlboraDoc& m_doc;
    UiServices& m_ui;
    const QString m_path;
    const AlbumMovieOptions& m_options;
    QStringList m_files, m_notes, m_captions;
    std::unique_ptr<AviMovieWriter> m_writer;
    // Cards that need a stand-in before the movie's frame size is known.
    std::vector<std::pair<int, MovieCard>> m_waiting;
    ProblemList m_problems;
};

AlbumMovieResult MovieRun::Run() {
    // The movie may replace an older movie, never what the album holds.
    if (const QString refusal = GuardOfAlbum(m_doc).WriteRefusal(m_path); !refusal.isEmpty()) {
        m_ui.MessageBox(refusal, MsgButtons::Ok, MsgIcon::Exclamation);
        return AlbumMovieResult::NotMade;
    }
    const int count = m_doc.Db().GetCount();
    for (int i = 0; i < count; ++i) {
        const CFotoObj& card = *m_doc.Db().GetAt(i);
        m_files << m_doc.CardFile(i);
        m_notes << (m_options.sound ? SoundAnnotations::ExistingNote(m_files.back()) : QString());
        m_captions << (m_options.captions ? SlideInfoText(card.m_strName, card.m_strDescription) : QString());
    }
    WaitCursor wait(m_ui);
    m_ui.ProgressBegin(0, count, 1);
    bool stopped = false;
    QStringList noteProblems(count);
    const std::optional<PcmFormat> track =
        m_options.sound ? TrackFormat(m_notes, noteProblems, m_ui, stopped) : std::nullopt;
    if (stopped) return Stopped();

    AviMovieWriter::Options writerOptions;
    writerOptions.riffLimit = m_options.riffLimit;
    if (track) writerOptions.audio = AviAudioFormat{track->channels, track->sampleRate};
    m_writer = std::make_unique<AviMovieWriter>(m_path, writerOptions);
    OrderedPool<MovieCard> pool(
        m_files.size(),
        [&](std::size_t i) {
            MovieCard card;
            card.frame = MovieFrame(m_files[qsizetype(i)], m_options, &card.frameProblem);
            const QString& note = m_notes[qsizetype(i)];
            card.soundProblem = noteProblems[qsizetype(i)];
            if (track && !note.isEmpty() && card.soundProblem.isEmpty())
                card.sound = SoundDecoder::Decode(note, *track, &card.soundProblem);
            return card;
        },
        kPicturesAhead);
    for (int i = 0; i < count; ++i) {
        std::optional<MovieCard> card;
        if (m_ui.CancelRequested() || !(card = TakeResponsively(m_ui, [&](int ms) { return pool.Take(std::size_t(i), ms); })))
            return Stopped();
        // A writer still usable refused the card's frame; any other failure is the movie file's.
        if (!WriteCard(i, *card))
            return NotMade((m_writer->usable ? m_files[i] : m_path) + QStringLiteral(": ") + m_writer->ErrorString());
        m_ui.ProgressStep();
    }
    pool.Stop();
    m_ui.ProgressEnd();
    if (!m_waiting.empty()) return NotMade(QStringLiteral("No card has a picture the movie can show."));
    // The box comes only once the movie is whole and in its place.
    if (!m_writer->Finish()) return NotMade(m_path + QStringLiteral(": ") + m_writer->ErrorString());
    if (m_problems.IsEmpty()) {
        m_ui.MessageBox(QStringLiteral("Message:\nAVI movie created!"), MsgButtons::Ok, MsgIcon::Information);
        return AlbumMovieResult::Complete;
    }
    m_ui.MessageBox(QStringLiteral("Error:\nThe AVI movie was made on:\n%1\nbut these cards are not in it as they "
                                   "are:\n%2")
                        .arg(m_path, m_problems.Text()),
                    MsgButtons::Ok, MsgIcon::Exclamation);
    return AlbumMovieResult::Partial;
}

// False only when the movie cannot go on; a card that cannot be shown is noted and stood in for.
bool MovieRun::WriteCard(int index, MovieCard& card) {
    // A note that cannot be heard leaves its card silent rather than the movie unmade.
    if (!card.soundProblem.isEmpty())
        NoteProblem(index, QStringLiteral("its sound note %1 is not used (%2)").arg(m_notes[index], card.soundProblem));
    if (card.frame && !m_captions[index].isEmpty()) card.frame = CaptionedFrame(*card.frame, m_captions[index]);
    const QString mismatch = card.frame ? Mismatch(*card.frame) : card.frameProblem;
    if (mismatch.isEmpty()) {
        // The first picture gives the frame size, so the cards waiting before it get their
        // stand-ins now, in their places.
        for (const auto& [waiting, waitingCard] : std::exchange(m_waiting, {}))
            if (!WriteStandIn(waiting, waitingCard, {card.frame->GetWidth(), card.frame->GetHeight()},
                              waitingCard.frameProblem))
                return false;
        return Add(*card.frame, card);
    }
    if (const std::optional<QSize> size = FrameSize()) return WriteStandIn(index, card, *size, mismatch);
    card.soundProblem.clear();  // told already
    m_waiting.emplace_back(index, std::move(card));
    return true;
}

bool MovieRun::WriteStandIn(int index, const MovieCard& card, QSize size, const QString& reason) {
    NoteProblem(index, reason);
    CImageObject standIn = ImageFromQImage(SlidePainter::Render(size, Slide{}));
    if (!m_captions[index].isEmpty()) standIn = CaptionedFrame(standIn, m_captions[index]);
    return Add(standIn, card);
}

bool MovieRun::Add(const CImageObject& frame, const MovieCard& card) {
    const int periods = card.sound ? PeriodsForSound(card.sound->Seconds()) : AviMovieWriter::kPeriodsPerPicture;
    return m_writer->AddFrame(frame, periods, card.sound ? QByteArrayView(card.sound->samples) : QByteArrayView());
}

// The size of the movie's frames, once known.
std::optional<QSize> MovieRun::FrameSize() const {
    if (!m_options.fit.isEmpty()) return m_options.fit;
    if (m_writer->frameCount > 0) return QSize(m_writer->frameWidth, m_writer->frameHeight);
    return std::nullopt;
}

// Why FRAME cannot join the movie begun so far; empty when it can.
QString MovieRun::Mismatch(const CImageObject& frame) const {
    if (m_writer->frameCount == 0) return {};
    if (frame.GetWidth() != m_writer->frameWidth || frame.GetHeight() != m_writer->frameHeight)
        return QStringLiteral("%1x%2 where the movie is %3x%4")
            .arg(frame.GetWidth())
            .arg(frame.GetHeight())
            .arg(m_writer->frameWidth)
            .arg(m_writer->frameHeight);
    if (frame.GetBitsPerPixel() != m_writer->frameBitsPerPixel)
        return QStringLiteral("%1-bit where the movie is %2-bit").arg(frame.GetBitsPerPixel()).arg(m_writer->frameBitsPerPixel);
    return {};
}

void MovieRun::NoteProblem(int index, const QString& reason) {
    const QString& name = m_doc.Db().GetAt(index)->m_strName;
    m_problems.Add((name.isEmpty() ? m_files[index] : QStringLiteral("%1 (%2)").arg(name, m_files[index])) +
                   QStringLiteral(": ") + reason);
}

AlbumMovieResult MovieRun::NotMade(const QString& reason) {
    m_ui.ProgressEnd();
    QString text = QStringLiteral("Error:\nCan't create AVI movie!");
    if (!reason.isEmpty()) text += QLatin1Char('\n') + reason;
    m_ui.MessageBox(text, MsgButtons::Ok, MsgIcon::Exclamation);
    return AlbumMovieResult::NotMade;
}

AlbumMovieResult MovieRun::Stopped() {
    m_ui.ProgressEnd();
    m_ui.SetStatusText(0, QStringLiteral("Movie stopped: nothing was written."));
    return AlbumMovieResult::NotMade;
}

}  // namespace

AlbumMovieResult MakeMovieFromAlbum(CAlboraDoc& doc, UiServices& ui, const QString& path, const AlbumMovieOptions& options) {
    return MovieRun(doc, ui, path, options).Run();
}
