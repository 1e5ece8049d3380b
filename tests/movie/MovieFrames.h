#pragma once

#include "image/ImageTestSupport.h"

#include <QStandardPaths>
#include <cmath>

// Movies as ffmpeg and our reader see them, for tests that compare frames with their pictures.

inline bool HaveFfmpeg() { return !QStandardPaths::findExecutable("ffprobe").isEmpty(); }

// The picture a movie shows at frame period PERIOD, as ffmpeg decodes it. The first is read
// without a seek: ffmpeg's seek loses the palette of a palette movie.
inline Ppm FrameOf(const QString& movie, int period) {
    QStringList args{"-v", "error"};
    if (period > 0) args << "-ss" << QString::number(period / 15.0);
    return ParsePpm(RunTool("ffmpeg", args + QStringList{"-i", movie, "-frames:v", "1", "-f", "image2pipe", "-vcodec",
                                                         "ppm", "-"}));
}

// The peak signal-to-noise ratio in dB of what PIXEL gives for each (x, y) from the top left
// against PICTURE; 0 when the sizes differ.
template <typename Pixel>
double Psnr(const CImageObject& picture, int width, int height, Pixel pixel) {
    if (width != picture.GetWidth() || height != picture.GetHeight() || width <= 0 || height <= 0) return 0;
    double squares = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb a = TopDownPixel(picture, x, y), b = pixel(x, y);
            squares += (a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) + (a.b - b.b) * (a.b - b.b);
        }
    const double mean = squares / (3.0 * width * height);
    return mean == 0 ? 100 : 10 * std::log10(255.0 * 255.0 / mean);
}
inline double Psnr(const CImageObject& picture, const Ppm& theirs) {
    return Psnr(picture, theirs.width, theirs.height, [&](int x, int y) { return theirs.At(x, y); });
}
inline double Psnr(const CImageObject& picture, const CImageObject& ours) {
    return Psnr(picture, ours.GetWidth(), ours.GetHeight(), [&](int x, int y) { return TopDownPixel(ours, x, y); });
}
