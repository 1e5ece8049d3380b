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
    qint64 riffLimit = AviMovieWriter::kRiffLimit;
};

enum class AlbumMovieResult {
    Complete,
    Partial,  // a card stopped the loop; the movie of the cards before it was made
    NotMade,
};

// The frame of the picture file FILE: upright as the camera held it and, with a fit size, scaled
// into that frame; nullopt when it cannot be read.
std::optional<CImageObject> MovieFrame(const QString& file, const AlbumMovieOptions& options);

// Writes the pictures of the document's working list, in order, as the movie PATH: decoded ahead
// on the machine's cores and written in order, with progress (Esc stops and writes nothing), the
// messages and the final box through UI.
AlbumMovieResult MakeMovieFromAlbum(CAlboraDoc& doc, UiServices& ui, const QString& path, const AlbumMovieOptions& options);
