#include "PictureLayout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// MPEG-1 codes each side in 12 bits; the encoder wants them even.
constexpr int kMaxSide = 4094;

int EvenAtLeastTwo(double side) { return std::max(2, int(std::lround(side / 2)) * 2); }

}  // namespace

PictureLayout PlainLayout(PictureSize input, Rational sampleAspect,
                          std::optional<PictureSize> crop) {
    int width = input.width;
    int height = input.height;
    if (crop && crop->width > 0 && crop->width < width) width = crop->width;
    if (crop && crop->height > 0 && crop->height < height) height = crop->height;
    if (width >= 2) width &= ~1;
    if (height >= 2) height &= ~1;

    PictureLayout layout;
    layout.source = {(input.width - width) / 2, (input.height - height) / 2, width, height};
    int frameWidth = std::max(width, 2);
    int frameHeight = std::max(height, 2);
    if (frameWidth > kMaxSide || frameHeight > kMaxSide) {
        const double scale =
            std::min(double(kMaxSide) / frameWidth, double(kMaxSide) / frameHeight);
        frameWidth = std::min(kMaxSide, EvenAtLeastTwo(frameWidth * scale));
        frameHeight = std::min(kMaxSide, EvenAtLeastTwo(frameHeight * scale));
    }
    layout.picture = {0, 0, frameWidth, frameHeight};
    layout.frame = {frameWidth, frameHeight};
    if (sampleAspect.num > 0 && sampleAspect.den > 0) layout.sampleAspect = sampleAspect;
    return layout;
}

PictureLayout FittedLayout(PictureSize input, Rational sampleAspect, PictureSize frame) {
    const double pixelAspect =
        sampleAspect.num > 0 && sampleAspect.den > 0 ? sampleAspect.Value() : 1.0;
    const double inputAspect = input.width * pixelAspect / input.height;
    constexpr double kScreenAspect = 4.0 / 3.0;
    double width = frame.width;
    double height = frame.height;
    if (inputAspect > kScreenAspect)
        height *= kScreenAspect / inputAspect;
    else
        width *= inputAspect / kScreenAspect;

    PictureLayout layout;
    layout.source = {0, 0, input.width, input.height};
    const int pictureWidth = std::min(frame.width, EvenAtLeastTwo(width));
    const int pictureHeight = std::min(frame.height, EvenAtLeastTwo(height));
    // Even offsets keep the picture on whole chroma samples of the 4:2:0 frame.
    layout.picture = {((frame.width - pictureWidth) / 2) & ~1,
                      ((frame.height - pictureHeight) / 2) & ~1, pictureWidth, pictureHeight};
    layout.frame = frame;
    // A 4:3 screen shows the frame's pixels this wide.
    const int64_t num = 4 * int64_t(frame.height);
    const int64_t den = 3 * int64_t(frame.width);
    const int64_t common = std::gcd(num, den);
    layout.sampleAspect = {num / common, den / common};
    return layout;
}
