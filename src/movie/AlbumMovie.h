#pragma once

#include "AviMovieWriter.h"

#include "image/ImageTransforms.h"

#include <QSize>
#include <optional>

class CAlboraDoc;
class UiServices;

// How the pictures of an album become the frames of its movie.
struct AlbumMovieOptions {
    // Empty: every picture as it is, all of one size and depth. Otherwise each picture is scaled
    // into a frame of this size, in proportion, on black, 24-bit.
    QSize fit;
    ImageTransforms::Filter filter = ImageTransforms::Filter::Box;
    // Each card's sound note goes into a PCM track (the notes' highest rate and channel count,
    // silence elsewhere), and a card stands as long as its note.
    bool sound = false;
    // The card's information text over each picture, as the presentation writes it; frames
    // are then 24-bit.
    bool captions = false;
    qint64 riffLimit = AviMovieWriter::kRiffLimit;
};

enum class AlbumMovieResult {
    Complete,
    Partial,  // made, but some cards show a stand-in or are silent: the summary says which and why
    NotMade,
};

// Reads a frame size "WxH[:FILTER]" (2 to 8192 each way; Box when no filter is named) into
// OPTIONS; false when TEXT is no such size.
bool ParseMovieFit(const QString& text, AlbumMovieOptions& options);
QString MovieFitText(const AlbumMovieOptions& options);

// The frame of the picture file FILE: upright as the camera held it and, with a fit size, scaled
// into that frame; nullopt when it cannot be read, with the reason in REASON.
std::optional<CImageObject> MovieFrame(const QString& file, const AlbumMovieOptions& options, QString* reason = nullptr);

// The information text painted over FRAME, as a 24-bit frame.
CImageObject CaptionedFrame(const CImageObject& frame, const QString& info);

// The frame periods a card with a note of SECONDS stands: never less than a card without one.
int PeriodsForSound(double seconds);

// Writes the pictures of the document's working list, in order, as the movie PATH: decoded ahead
// on the machine's cores and written in order, with progress (Esc stops and writes nothing), the
// messages and the final box through UI. A card whose picture cannot be shown (unreadable, or
// of another size or depth than the movie) stands as "No image or image error" for its time.
// PATH is never the album, a card's file or companion: such a movie is refused.
AlbumMovieResult MakeMovieFromAlbum(CAlboraDoc& doc, UiServices& ui, const QString& path, const AlbumMovieOptions& options);
