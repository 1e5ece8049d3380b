#pragma once

#include <QString>

class CImageObject;

// Words for what a picture is, for people rather than for files.
namespace ImageDescription {

// "BMP", "JPEG", "GIF", "XPM", "PNG", "AVI" or "unknown".
QString TypeName(int type);
// "24-bit colour", "8-bit grey", "4-bit palette (16 colours)", "1-bit palette (2 colours)".
QString Colours(const CImageObject& image);

}  // namespace ImageDescription
