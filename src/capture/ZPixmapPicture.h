#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>

class CImageObject;

// How the X server lays out the pixels of a ZPixmap image: its pixmap format and the visual's
// colour masks.
struct ZPixmapLayout {
    int bitsPerPixel = 32;
    bool msbFirst = false;  // the server's image byte order
    int stride = 0;         // bytes per row, padding included
    std::uint32_t redMask = 0xff0000;
    std::uint32_t greenMask = 0x00ff00;
    std::uint32_t blueMask = 0x0000ff;
};

// Turns SIZE bytes of a WIDTH x HEIGHT ZPixmap image (top row first) into a 24-bit PICTURE. False,
// with REASON, when the layout is not a true-colour one or the bytes fall short.
bool ZPixmapToPicture(const std::uint8_t* data, std::size_t size, int width, int height, const ZPixmapLayout& layout,
                      CImageObject& picture, QString* reason);
