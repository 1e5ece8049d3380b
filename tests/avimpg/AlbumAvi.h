#pragma once

#include <QByteArray>
#include <QList>

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// One picture of an album movie; a damaged one has its frame chunk cut short.
struct AlbumAviPicture {
    Rgb colour;
    bool damaged = false;
};

// An AVI as the album program writes it: uncompressed 24-bit DIB frames at RATE frames a second,
// each picture one full "00db" chunk followed by HOLD empty ones, with an "idx1" index.
QByteArray AlbumAvi(int width, int height, const QList<AlbumAviPicture>& pictures, int hold = 9,
                    int rate = 15);
