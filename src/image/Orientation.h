#pragma once

#include "CImageObject.h"

#include <QByteArrayView>
#include <QImage>
#include <QString>

// How a camera held the picture: the EXIF orientation of a JPEG (tag 0x0112 of the APP1 "Exif"
// segment), 1 to 8, with 1 for upright. Files are never changed for it: the picture is turned
// when it is shown, printed or made into a thumbnail.
namespace Orientation {

// The orientation in the JPEG bytes DATA (the file's head is enough); 1 when there is none or
// the segment is damaged.
int FromJpeg(QByteArrayView data);
// The orientation of the picture file PATH; 1 for every file that is not a JPEG.
int OfFile(const QString& path);
// Loads PATH into PICTURE and turns it upright; false when it cannot be read.
bool LoadUpright(CImageObject& picture, const QString& path);
// PICTURE turned upright from ORIENTATION, as a new picture.
CImageObject Upright(const CImageObject& picture, int orientation);
QImage Upright(const QImage& picture, int orientation);

}  // namespace Orientation
