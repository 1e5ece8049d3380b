#pragma once

#include "CImageObject.h"

// Pictures for formats that hold at most 256 colours (GIF). A picture of 8 bits or fewer is kept
// as it is, one with at most 256 distinct colours gets exactly those; any other gets a median-cut
// palette and Floyd-Steinberg dithering, so a photograph keeps its gradients.
namespace ColourReduction {

CImageObject ReduceTo256Colours(const CImageObject& image);

}  // namespace ColourReduction
