#pragma once

#include "CImageObject.h"
#include "ImagePalette.h"

#include <vector>

// Pictures for formats that hold at most 256 colours (GIF). A picture of 8 bits or fewer is kept
// as it is, one with at most 256 distinct colours gets exactly those; any other gets a median-cut
// palette and Floyd-Steinberg dithering, so a photograph keeps its gradients.
namespace ColourReduction {

CImageObject ReduceTo256Colours(const CImageObject& image);

// A palette of at most COLOURS (1 to 256) for all of FRAMES together, by median cut; empty when
// no frame is valid.
ImagePalette MedianCut(const std::vector<CImageObject>& frames, int colours);
// IMAGE in the colours of PALETTE, dithered; an empty palette leaves it as it is.
CImageObject MapToPalette(const CImageObject& image, const ImagePalette& palette);

}  // namespace ColourReduction
