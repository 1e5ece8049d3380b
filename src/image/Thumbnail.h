#pragma once

#include "CImageObject.h"

#include <QSize>
#include <QString>

class ThumbnailCache;

// A picture reduced to a contact-sheet cell, and what the cell says about the original.
struct Thumbnail {
    CImageObject image;  // upright and in proportion, as large as fits the cell; invalid when the file could not be read
    int width = 0;       // of the original picture, upright
    int height = 0;
    int bpp = 0;
    bool loaded = false;
};

// Reads FILE and reduces it to fit CELL in proportion with the BOX filter, turned upright as the
// camera held it. A JPEG is decoded already reduced by libjpeg's DCT scaling, to the smallest size
// not below what is needed. With CACHE, the thumbnail comes from the shared thumbnail cache when it
// holds a current one, and what is made here is kept there.
Thumbnail MakeThumbnail(const QString& file, const QSize& cell, const ThumbnailCache* cache = nullptr);
