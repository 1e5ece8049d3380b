#include "OverlaySave.h"

#include "image/CBmpImage.h"
#include "image/CGifImage.h"
#include "image/CImageObject.h"
#include "image/ColourReduction.h"
#include "platform/SafeFile.h"

#include <vector>

namespace {

struct Format {
    const char* text;
    bool gif;
    int bits;
    bool grey;
};

constexpr Format kFormats[] = {
    {"BMP type DIB 24-bit", false, 24, false},   {"BMP type DIB 8-bit", false, 8, false},
    {"BMP type DIB 8-bit gray", false, 8, true}, {"GIF type GIF 8-bit", true, 8, false},
    {"GIF type GIF 8-bit gray", true, 8, true},
};

const Format* FormatNamed(const QString& text) {
    for (const Format& format : kFormats)
        if (text.compare(QLatin1String(format.text), Qt::CaseInsensitive) == 0) return &format;
    return nullptr;
}

// 8-bit grey with the luminance weights of ITU-R BT.601.
CImageObject Grey(const CImageObject& picture) {
    CImageObject grey;
    const int width = picture.GetWidth(), height = picture.GetHeight();
    if (!grey.Create(width, height, 8)) return grey;
    grey.GetImplementation()->MakeGreyPalette(256);
    std::vector<std::uint8_t> bgr(std::size_t(width) * 3);
    for (int y = 0; y < height; ++y) {
        picture.GetImplementation()->BgrRow(y, bgr.data());
        std::uint8_t* out = grey.GetImplementation()->Row(y);
        for (int x = 0; x < width; ++x)
            out[x] = std::uint8_t((114 * bgr[3 * x] + 587 * bgr[3 * x + 1] + 299 * bgr[3 * x + 2] + 500) / 1000);
    }
    return grey;
}

CImageObject InDepth(const CImageObject& picture, const Format& format) {
    if (format.grey) return Grey(picture);
    if (format.bits == 8) return ColourReduction::ReduceTo256Colours(picture);
    // A loaded picture may have a palette; the format asks for true colour.
    if (picture.GetBitsPerPixel() != 24) return ImageFromQImage(picture.MakeBitmap().convertToFormat(QImage::Format_RGB32));
    return picture.Clone();
}

}  // namespace

namespace OverlaySave {

bool IsKnownFormat(const QString& format) { return FormatNamed(format) != nullptr; }

std::optional<QString> Write(const CImageObject& picture, const QString& path, const QString& format) {
    const Format* chosen = FormatNamed(format);
    if (!chosen) return QStringLiteral("unknown format \"%1\"").arg(format);
    if (!picture.IsValid()) return QStringLiteral("no picture");
    const CImageObject stored = InDepth(picture, *chosen);
    if (!stored.IsValid()) return QStringLiteral("out of memory");
    const CImageImpl& image = *stored.GetImplementation();
    const QByteArray bytes = chosen->gif ? CGifImage::Encode(image) : CBmpImage::Encode(image);
    if (bytes.isEmpty()) return QStringLiteral("the picture cannot be stored in this format");
    QString error;
    if (!SafeFile::Write(path, bytes, &error)) return error;
    return std::nullopt;
}

}  // namespace OverlaySave
