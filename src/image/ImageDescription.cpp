#include "ImageDescription.h"

#include "CImageObject.h"

namespace ImageDescription {

QString TypeName(int type) {
    switch (type) {
        case IMAGE_BMP: return QStringLiteral("BMP");
        case IMAGE_JPEG: return QStringLiteral("JPEG");
        case IMAGE_GIF: return QStringLiteral("GIF");
        case IMAGE_XPM: return QStringLiteral("XPM");
        case IMAGE_PNG: return QStringLiteral("PNG");
        case IMAGE_AVI: return QStringLiteral("AVI");
        default: return QStringLiteral("unknown");
    }
}

QString Colours(const CImageObject& image) {
    const int bpp = image.GetBitsPerPixel();
    if (bpp > 8) return QStringLiteral("%1-bit colour").arg(bpp);
    if (image.GetColorType() == 0 && bpp == 8) return QStringLiteral("8-bit grey");
    const ImagePalette* palette = image.GetPalette();
    const int colours = palette ? palette->Count() : 1 << bpp;
    return QStringLiteral("%1-bit palette (%2 colours)").arg(bpp).arg(colours);
}

}  // namespace ImageDescription
