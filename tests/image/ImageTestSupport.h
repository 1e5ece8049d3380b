#pragma once

#include "image/CImageObject.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// An 8-bit picture of W x H whose pixel (x, y) (y = 0 at the top) is index (x + 3y) % COLOURS,
// with a palette of COLOURS distinct colours.
CImageObject MakeIndexed(int width, int height, int colours = 256);
// A 24-bit picture whose top-left quarter is red, the rest a gradient.
CImageObject MakeColour(int width, int height);
// Pixel (x, y) counted from the top, as (r, g, b).
struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};
Rgb TopDownPixel(const CImageObject& image, int x, int y);
// Whether two pictures have the same size and colours everywhere.
bool SameColours(const CImageObject& a, const CImageObject& b, int tolerance = 0);

// The mean absolute difference of the colour samples, for lossy round trips.
double MeanDifference(const CImageObject& a, const CImageObject& b);
// The CRC-32 of PNG chunks and zip files.
std::uint32_t Crc32(const QByteArray& bytes);

// Whether ImageMagick's convert and exiftool are there to make and judge camera orientations.
bool HaveOrientationTools();
// In DIR, "o1.jpg" to "o8.jpg": one 48x32 picture (a red corner top left, a yellow one bottom
// right) stored with each camera orientation; their paths, or an empty list when a tool failed.
QStringList MakeOrientedJpegs(const QString& dir);

// Runs an outside program; its standard output, or a null array when it failed.
QByteArray RunTool(const QString& program, const QStringList& args);
// A binary PPM (P6) parsed into rows of RGB, top first.
struct Ppm {
    int width = 0, height = 0;
    QByteArray rgb;
    Rgb At(int x, int y) const;
};
Ppm ParsePpm(const QByteArray& data);
// The mean difference of the colour samples of PICTURE and THEIRS, which have the same size.
double MeanDifference(const CImageObject& picture, const Ppm& theirs);
QByteArray MakePpm(int width, int height, const std::vector<Rgb>& pixels);
