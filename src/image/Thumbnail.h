#pragma once

#include "CImageObject.h"

#include <QSize>
#include <QString>

// A picture reduced to a contact-sheet cell, and what the cell says about the original.
struct Thumbnail {
    CImageObject image;  // exactly the cell's size; invalid when the file could not be read
    int width = 0;       // of the original picture
    int height = 0;
    int bpp = 0;
    bool loaded = false;
};

// Reads FILE and reduces it to CELL with the BOX filter (the aspect ratio is not kept). A JPEG is
// decoded already reduced by libjpeg's DCT scaling, to the smallest size not below the cell.
Thumbnail MakeThumbnail(const QString& file, const QSize& cell);
