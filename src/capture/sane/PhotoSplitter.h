#pragma once

#include "image/CImageObject.h"

#include <QRect>
#include <vector>

// Where the photos lie on a scan of several photos under a white lid: the bounding boxes
// (top row 0) of the areas that are not near white, in reading order. Pieces under one square inch at DPI are dust or lid edges and are left out.
// 8- and 24-bit scans only; others give none.
std::vector<QRect> FindPhotos(const CImageObject& scan, double dpi);
// The part AREA (top row 0) of SCAN, of the same depth and palette.
CImageObject CropPicture(const CImageObject& scan, const QRect& area);
