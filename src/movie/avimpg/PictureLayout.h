#pragma once

#include <optional>

#include "FrameRate.h"

struct PictureSize {
    int width = 0;
    int height = 0;
};

// A rectangle of a picture, in pixels from its top left corner.
struct PictureRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The picture geometry: a rectangle taken from each input picture is scaled to fill PICTURE,
// which lies in a black frame of FRAME pixels.
struct PictureLayout {
    PictureRect source;
    PictureRect picture;
    PictureSize frame;
    Rational sampleAspect{1, 1};
};

// The input picture at its own size, cut to CROP (0 keeps a side) around its centre, then made
// valid for MPEG-1: even sides (one pixel cut, or a one-pixel side stretched to two) of at most
// 4094 (larger pictures are scaled down, aspect kept).
PictureLayout PlainLayout(PictureSize input, Rational sampleAspect,
                          std::optional<PictureSize> crop);

// The whole input picture scaled to fit FRAME shown at 4:3, as on a television, aspect kept and
// centred on black.
PictureLayout FittedLayout(PictureSize input, Rational sampleAspect, PictureSize frame);
