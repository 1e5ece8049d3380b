#pragma once

#include <QRectF>
#include <QSize>
#include <QString>
#include <optional>

class QPainter;

// Draws the picture file FILE stretched over TARGET (page units, which the painter's transform
// maps to the device), upright also on a page whose y axis points up. FILE may be a picture the
// image library reads (EXIF orientation applied), an SVG drawing or an EMF/WMF metafile; what it
// is comes from its content for drawings and from its extension for pictures. False with the
// reason in REASON when the file cannot be shown; the caller then draws its own error text.
// Pictures are kept made at the size they have on the device, so repeated paints only copy them.
// Safe to call from any thread, each with its own painter.
bool DrawLinkedPicture(QPainter& painter, const QRectF& target, const QString& file, QString* reason = nullptr);

// The size FILE shows at one pixel per page unit (upright), when it can be read.
std::optional<QSize> LinkedPictureSize(const QString& file);
