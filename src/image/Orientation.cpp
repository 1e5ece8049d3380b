#include "Orientation.h"

#include "ImageTransforms.h"

#include "platform/RegularFile.h"

#include <QFile>
#include <QTransform>

namespace {

// APP1 segments are at most 64 KiB and come before the picture data, so the head of the file
// holds the orientation.
constexpr qint64 kHeadBytes = 256 * 1024;

struct Reader {
    QByteArrayView bytes;
    bool bigEndian = false;

    bool Has(qsizetype offset, qsizetype size) const { return offset >= 0 && size >= 0 && offset <= bytes.size() - size; }
    unsigned U16(qsizetype at) const {
        const auto b0 = std::uint8_t(bytes[at]), b1 = std::uint8_t(bytes[at + 1]);
        return bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0;
    }
    std::uint32_t U32(qsizetype at) const {
        return bigEndian ? (std::uint32_t(U16(at)) << 16) | U16(at + 2) : (std::uint32_t(U16(at + 2)) << 16) | U16(at);
    }
};

// The orientation tag of the TIFF structure in TIFF (the body of an Exif segment).
int FromTiff(QByteArrayView tiff) {
    Reader r{tiff};
    if (!r.Has(0, 8)) return 1;
    if (tiff.startsWith("MM"))
        r.bigEndian = true;
    else if (!tiff.startsWith("II"))
        return 1;
    if (r.U16(2) != 42) return 1;
    const std::uint32_t ifd = r.U32(4);
    if (!r.Has(ifd, 2)) return 1;
    const unsigned entries = r.U16(ifd);
    for (unsigned i = 0; i < entries; ++i) {
        const qsizetype entry = qsizetype(ifd) + 2 + qsizetype(i) * 12;
        if (!r.Has(entry, 12)) return 1;
        // Tag 0x0112, type SHORT (3), one value, held in the entry itself.
        if (r.U16(entry) != 0x0112) continue;
        if (r.U16(entry + 2) != 3 || r.U32(entry + 4) != 1) return 1;
        const unsigned value = r.U16(entry + 8);
        return value >= 1 && value <= 8 ? int(value) : 1;
    }
    return 1;
}

}  // namespace

namespace Orientation {

int FromJpeg(QByteArrayView data) {
    if (data.size() < 4 || std::uint8_t(data[0]) != 0xFF || std::uint8_t(data[1]) != 0xD8) return 1;
    qsizetype at = 2;
    // Marker segments up to the start of the scan: FF xx, then a length that counts itself.
    while (at + 4 <= data.size()) {
        if (std::uint8_t(data[at]) != 0xFF) return 1;
        const std::uint8_t marker = std::uint8_t(data[at + 1]);
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) return 1;
        const qsizetype length = (qsizetype(std::uint8_t(data[at + 2])) << 8) | std::uint8_t(data[at + 3]);
        if (length < 2 || at + 2 + length > data.size()) return 1;
        const QByteArrayView body = data.sliced(at + 4, length - 2);
        if (marker == 0xE1 && body.startsWith(QByteArrayView("Exif\0\0", 6))) return FromTiff(body.sliced(6));
        at += 2 + length;
    }
    return 1;
}

int OfFile(const QString& path) {
    if (ImageTypeFromFileName(path) != IMAGE_JPEG) return 1;
    QFile file;
    if (!OpenRegularFile(path, file)) return 1;
    return FromJpeg(file.read(kHeadBytes));
}

bool LoadUpright(CImageObject& picture, const QString& path) {
    if (!picture.Load(path)) return false;
    // The turned pixels go back into the loaded picture, which stays what its file is (a JPEG).
    if (const int orientation = OfFile(path); orientation != 1) picture.AdoptPicture(Upright(picture, orientation));
    return picture.IsValid();
}

CImageObject Upright(const CImageObject& picture, int orientation) {
    using namespace ImageTransforms;
    switch (orientation) {
        case 2: return FlipHorizontal(picture);
        case 3: return Rotate180(picture);
        case 4: return FlipVertical(picture);
        case 5: return FlipHorizontal(Rotate90Clockwise(picture));
        case 6: return Rotate90Clockwise(picture);
        case 7: return FlipVertical(Rotate90Clockwise(picture));
        case 8: return Rotate90CounterClockwise(picture);
        default: return picture.Clone();
    }
}

QImage Upright(const QImage& picture, int orientation) {
    const QTransform quarter = QTransform().rotate(90);
    switch (orientation) {
        case 2: return picture.mirrored(true, false);
        case 3: return picture.mirrored(true, true);
        case 4: return picture.mirrored(false, true);
        case 5: return picture.transformed(quarter).mirrored(true, false);
        case 6: return picture.transformed(quarter);
        case 7: return picture.transformed(quarter).mirrored(false, true);
        case 8: return picture.transformed(QTransform().rotate(-90));
        default: return picture;
    }
}

}  // namespace Orientation
