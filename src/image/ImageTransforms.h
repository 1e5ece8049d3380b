#pragma once

#include "CImageObject.h"

#include <QRect>
#include <QRgb>
#include <functional>
#include <optional>

// The edits of the image view. All but Brightness and Contrast make a new picture; the lossless ones keep the
// depth and palette, the others give 24-bit pictures. Coordinates are DIB pixels (row 0 at the
// bottom of the picture).
namespace ImageTransforms {

// Reports a percentage (0 to 100) while an operation runs.
using Progress = std::function<void(int percent)>;

CImageObject FlipHorizontal(const CImageObject& image);
CImageObject FlipVertical(const CImageObject& image);
CImageObject Rotate90Clockwise(const CImageObject& image);
CImageObject Rotate90CounterClockwise(const CImageObject& image);
CImageObject Rotate180(const CImageObject& image);
// The picture with 1- and 4-bit pixels widened to a byte each, in the same colours.
CImageObject WidenTo8Bits(const CImageObject& image);
// The part of the picture in RECT, given from the top-left of the picture as displayed; parts
// outside the picture come out as index or colour 0.
CImageObject Crop(const CImageObject& image, const QRect& rect);

enum class Filter { Box = 0, Bilinear = 1, Gaussian = 2, Hamming = 3, Blackman = 4 };
inline constexpr const char* kFilterNames[] = {"BOX", "BILINEAR", "GAUSSIAN", "HAMMING", "BLACKMAN"};
// The filter of one of those names, in any case.
std::optional<Filter> FilterNamed(const QString& name);

// Resamples to WIDTH x HEIGHT in two separable passes; nullopt when memory runs out or a size
// is not positive.
std::optional<CImageObject> Resize(const CImageObject& image, int width, int height, Filter filter,
                                   const Progress& progress = {});
// Turns the picture clockwise (as displayed) by DEGREES with 90-degree steps and three shears;
// corners show BACKGROUND. nullopt when memory runs out.
std::optional<CImageObject> RotateByAngle(const CImageObject& image, double degrees, QRgb background,
                                          const Progress& progress = {});
// Moves every colour towards TARGET by INTENSITY / 256 of the way.
std::optional<CImageObject> Tint(const CImageObject& image, QRgb target, int intensity);
// Adds VALUE - 128 to every channel in place, held between 0 and 255 (128 changes nothing).
// 1- and 4-bit pictures become 8-bit ones first, so that every pixel can take its nearest colour.
void Brightness(CImageObject& image, int value);
// Spreads every channel away from the middle grey 128 by VALUE / 128 in place, held between 0
// and 255 (128 changes nothing, 0 leaves only grey); palette pictures as for Brightness.
void Contrast(CImageObject& image, int value);

}  // namespace ImageTransforms
