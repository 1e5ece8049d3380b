#pragma once

#include "CImageObject.h"
#include "ImagePalette.h"

#include <memory>

// Pictures for formats that hold at most 256 colours (GIF). A picture of 8 bits or fewer is kept
// as it is, one with at most 256 distinct colours gets exactly those; any other gets a median-cut
// palette and Floyd-Steinberg dithering, so a photograph keeps its gradients.
namespace ColourReduction {

CImageObject ReduceTo256Colours(const CImageObject& image);

// The colours of any number of pictures, counted as they come (a camera's frames need not all be
// kept), for one palette of them all.
class PaletteCounter {
public:
    PaletteCounter();
    ~PaletteCounter();
    void Add(const CImageObject& picture);
    // At most COLOURS (1 to 256) by median cut; empty when no valid picture was added.
    ImagePalette MedianCut(int colours) const;

private:
    struct Counts;
    std::unique_ptr<Counts> m_counts;
    bool m_seen = false;
};
// IMAGE in the colours of PALETTE, dithered; an empty palette leaves it as it is.
CImageObject MapToPalette(const CImageObject& image, const ImagePalette& palette);

}  // namespace ColourReduction
