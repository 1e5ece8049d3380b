#include "CBmpImage.h"

#include "DibFormat.h"
#include "ImageInfo.h"
#include "ImageLibrary.h"

#include <algorithm>
#include <bit>
#include <optional>

namespace {

using Dib::Get16;
using Dib::Get32;

// A channel of a bit-field pixel: where it sits and how wide it is.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (!m) return;
        shift = std::countr_zero(m);
        bits = std::popcount(m);
    }
    std::uint8_t Scale(std::uint32_t pixel) const {
        if (!bits) return 0;
        const std::uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8) return std::uint8_t(v >> (bits - 8));
        return std::uint8_t((v * 255 + ((1u << bits) - 1) / 2) / ((1u << bits) - 1));
    }
};

// Expands run-length encoded pixels straight into the DIB rows of PIXELS (ROWBYTES apart, bottom
// row first). A run that leaves the picture ends the decoding; what was decoded stays.
void DecodeRle(const std::uint8_t* data, std::size_t size, bool fourBit, int width, int height,
               std::uint8_t* pixels, std::int64_t rowBytes) {
    std::size_t pos = 0;
    int x = 0, y = 0;
    auto put = [&](std::uint8_t value) {
        if (x < width && y < height) {
            std::uint8_t* row = pixels + y * rowBytes;
            if (fourBit)
                row[x / 2] |= (x & 1) ? value : std::uint8_t(value << 4);
            else
                row[x] = value;
        }
        ++x;
    };
    while (pos + 1 < size && y < height) {
        const std::uint8_t count = data[pos], value = data[pos + 1];
        pos += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(fourBit ? ((i & 1) ? (value & 0x0F) : (value >> 4)) : value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of picture
            break;
        } else if (value == 2) {  // delta
            if (pos + 1 >= size) break;
            x += data[pos];
            y += data[pos + 1];
            pos += 2;
        } else {  // a literal run of VALUE pixels, padded to 16 bits
            const std::size_t bytes = fourBit ? (value + 1) / 2 : value;
            if (pos + bytes > size) break;
            for (int i = 0; i < value; ++i) {
                const std::uint8_t b = data[pos + (fourBit ? i / 2 : i)];
                put(fourBit ? ((i & 1) ? (b & 0x0F) : (b >> 4)) : b);
            }
            pos += (bytes + 1) & ~std::size_t(1);
        }
    }
}

// What a file declares and where its parts are, every size checked against the file's.
struct Layout {
    Dib::InfoHeader in;
    bool core = false;
    bool topDown = false;
    bool rle = false;
    int bpp = 0;
    int outBpp = 0;  // 16 and 32 bits are held as 24
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::size_t tableStart = 0;
    std::size_t entryBytes = 4;  // of a colour table entry
    std::size_t pixelOffset = 0;
    std::uint32_t colours = 0;  // of the colour table the picture keeps
    std::uint32_t masks[3] = {0, 0, 0};
};

std::optional<Layout> ParseLayout(const std::uint8_t* data, std::size_t size, QString& reason) {
    const auto refuse = [&reason](const QString& why) {
        reason = why;
        return std::nullopt;
    };
    const QString truncated = QStringLiteral("truncated file");
    Layout l;
    // The file header is optional: without "BM" the data is a bare DIB.
    std::size_t headerStart = 0;
    if (size >= Dib::kFileHeaderSize && Get16(data) == Dib::kFileMagic) {
        headerStart = Dib::kFileHeaderSize;
        l.pixelOffset = Get32(data + 10);
    }
    if (size < headerStart + 4) return refuse(truncated);
    const std::uint32_t headerSize = Get32(data + headerStart);
    if (headerSize == Dib::kCoreHeaderSize && size >= headerStart + 12) {
        l.core = true;
        l.in.width = Get16(data + headerStart + 4);
        l.in.height = Get16(data + headerStart + 6);
        l.in.bitCount = Get16(data + headerStart + 10);
    } else if (headerSize >= Dib::kInfoHeaderSize && headerSize <= 4096 && size >= headerStart + headerSize) {
        l.in = Dib::InfoHeader::Parse(data + headerStart);
    } else {
        return refuse(QStringLiteral("not a BMP file"));
    }
    const Dib::InfoHeader& in = l.in;
    l.bpp = in.bitCount;
    l.topDown = in.height < 0;
    l.width = in.width;
    l.height = l.topDown ? -std::int64_t(in.height) : in.height;
    l.rle = in.compression == Dib::kRle8 || in.compression == Dib::kRle4;
    const int bpp = l.bpp;
    if (l.width <= 0 || l.height <= 0) return refuse(QStringLiteral("picture without pixels"));
    if (const QString refusal = ImageLibrary::PixelLimitRefusal(l.width, l.height); !refusal.isEmpty())
        return refuse(refusal);
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return refuse(QStringLiteral("%1-bit BMP").arg(bpp));
    if (!(in.compression == Dib::kRgb || (in.compression == Dib::kRle8 && bpp == 8) ||
          (in.compression == Dib::kRle4 && bpp == 4) ||
          (in.compression == Dib::kBitFields && (bpp == 16 || bpp == 32))))
        return refuse(QStringLiteral("BMP of compression %1 at %2 bits").arg(in.compression).arg(bpp));

    // Colour table: entries of 3 bytes after a core header, of 4 otherwise; at most 256 used.
    l.tableStart = headerStart + (l.core ? Dib::kCoreHeaderSize : headerSize);
    if (in.compression == Dib::kBitFields) {
        const std::size_t maskStart = headerSize == Dib::kInfoHeaderSize ? l.tableStart : headerStart + 40;
        if (size < maskStart + 12) return refuse(truncated);
        for (int i = 0; i < 3; ++i) l.masks[i] = Get32(data + maskStart + 4 * i);
        if (headerSize == Dib::kInfoHeaderSize) l.tableStart += 12;
    } else if (bpp == 16) {
        l.masks[0] = 0x7C00, l.masks[1] = 0x03E0, l.masks[2] = 0x001F;
    } else if (bpp == 32) {
        l.masks[0] = 0xFF0000, l.masks[1] = 0x00FF00, l.masks[2] = 0x0000FF;
    }
    l.colours = in.clrUsed;
    if (bpp <= 8 && (l.colours == 0 || l.colours > (1u << bpp))) l.colours = 1u << bpp;
    l.entryBytes = l.core ? 3 : 4;
    const std::size_t storedColours = bpp <= 8 ? l.colours : (l.core ? 0 : std::min<std::uint32_t>(in.clrUsed, 256));
    if (bpp > 8) l.colours = 0;
    if (l.tableStart + storedColours * l.entryBytes > size) return refuse(truncated);
    if (l.pixelOffset == 0) l.pixelOffset = l.tableStart + storedColours * l.entryBytes;
    if (l.pixelOffset > size) return refuse(truncated);
    l.outBpp = bpp > 8 ? 24 : bpp;
    const std::size_t available = size - l.pixelOffset;
    // Run-length data may stand for many more pixels than its bytes, within reason.
    if (l.rle ? std::uint64_t(l.width * l.height) > std::uint64_t(available) * 1024 + 65536
              : std::uint64_t(Dib::RowBytes(l.width, bpp) * l.height) > available)
        return refuse(truncated);
    return l;
}

}  // namespace

bool CBmpImage::Read(const QString& fileName) { return ReadWith(fileName, Decode); }

bool CBmpImage::ReadHeader(const QByteArray& bytes, ImageInfo& info, QString& reason) {
    const auto layout =
        ParseLayout(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()), reason);
    if (!layout) return false;
    info.width = int(layout->width);
    info.height = int(layout->height);
    info.bpp = layout->outBpp;
    // Pictures of 8 bits or less keep their colour table as a palette.
    info.colorType = layout->colours > 0 ? 3 : 2;
    info.paletteSize = int(layout->colours);
    return true;
}

bool CBmpImage::Decode(const QByteArray& bytes, CImageImpl& image) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    const std::size_t size = std::size_t(bytes.size());
    QString reason;
    const auto layout = ParseLayout(data, size, reason);
    if (!layout) {
        image.SetReadError(reason);
        return false;
    }
    const Layout& l = *layout;
    const std::int64_t width = l.width, height = l.height;
    const std::int64_t inRowBytes = Dib::RowBytes(width, l.bpp);
    const std::int64_t outRowBytes = Dib::RowBytes(width, l.outBpp);

    Dib::InfoHeader out;
    out.width = int(width);
    out.height = int(height);
    out.bitCount = std::uint16_t(l.outBpp);
    out.sizeImage = std::uint32_t(outRowBytes * height);
    out.clrUsed = l.colours;
    out.xPelsPerMeter = l.in.xPelsPerMeter;
    out.yPelsPerMeter = l.in.yPelsPerMeter;
    std::vector<std::uint8_t> block;
    try {
        block.assign(Dib::kInfoHeaderSize + out.clrUsed * 4 + std::size_t(out.sizeImage), 0);
    } catch (const std::bad_alloc&) {
        image.SetReadError(QStringLiteral("out of memory"));
        return false;
    }
    out.Store(block.data());
    std::uint8_t* table = block.data() + Dib::kInfoHeaderSize;
    for (std::uint32_t i = 0; i < out.clrUsed; ++i)
        std::copy_n(data + l.tableStart + i * l.entryBytes, 3, table + 4 * i);

    std::uint8_t* pixels = table + out.clrUsed * 4;
    const std::uint8_t* source = data + l.pixelOffset;
    auto sourceRow = [&](std::int64_t y) {  // the file row that holds DIB row Y
        return source + (l.topDown ? height - 1 - y : y) * inRowBytes;
    };
    if (l.rle) {
        DecodeRle(source, size - l.pixelOffset, l.in.compression == Dib::kRle4, int(width), int(height), pixels,
                  outRowBytes);
    } else if (l.bpp <= 8 || l.bpp == 24) {
        for (std::int64_t y = 0; y < height; ++y)
            std::copy_n(sourceRow(y), inRowBytes, pixels + y * outRowBytes);
    } else {
        const Channel red(l.masks[0]), green(l.masks[1]), blue(l.masks[2]);
        const int step = l.bpp / 8;
        for (std::int64_t y = 0; y < height; ++y) {
            const std::uint8_t* in8 = sourceRow(y);
            std::uint8_t* row = pixels + y * outRowBytes;
            for (std::int64_t x = 0; x < width; ++x, in8 += step, row += 3) {
                const std::uint32_t v = step == 2 ? Get16(in8) : Get32(in8);
                row[0] = blue.Scale(v);
                row[1] = green.Scale(v);
                row[2] = red.Scale(v);
            }
        }
    }
    ImageLibrary::CountDecodedRows(height);
    return image.AdoptDib(std::move(block));
}

QByteArray CBmpImage::Encode(const CImageImpl& image) {
    if (!image.HasDib()) return {};
    const std::vector<std::uint8_t>& block = image.DibBlock();
    const Dib::InfoHeader header = Dib::InfoHeader::Parse(block.data());
    const std::uint32_t tableBytes = std::uint32_t(image.TableEntries()) * 4;
    const std::size_t pixelBytes = std::size_t(image.GetRowBytes()) * image.GetHeight();
    // Every byte is written below, so the buffer (a whole scanned page, say) is not cleared first.
    QByteArray file(qsizetype(Dib::kFileHeaderSize + header.size + tableBytes + pixelBytes), Qt::Uninitialized);
    auto* out = reinterpret_cast<std::uint8_t*>(file.data());
    std::fill_n(out, Dib::kFileHeaderSize, std::uint8_t(0));
    Dib::Put16(out, Dib::kFileMagic);
    Dib::Put32(out + 2, header.sizeImage + tableBytes + header.size + Dib::kFileHeaderSize);
    Dib::Put32(out + 10, Dib::kFileHeaderSize + header.size + tableBytes);
    std::copy_n(block.data(), header.size, out + Dib::kFileHeaderSize);
    // The table holds palette indices in memory; the file gets the colours.
    std::uint8_t* table = out + Dib::kFileHeaderSize + header.size;
    for (std::uint32_t i = 0; i < tableBytes / 4; ++i) {
        PaletteEntry c;
        const bool known = image.IndexColor(int(i), c);
        table[4 * i] = known ? c.blue : 0;
        table[4 * i + 1] = known ? c.green : 0;
        table[4 * i + 2] = known ? c.red : 0;
        table[4 * i + 3] = 0;
    }
    std::copy_n(image.GetBits(), pixelBytes, table + tableBytes);
    return file;
}

bool CBmpImage::Write(const QString& fileName) { return WriteWith(fileName, Encode(*this)); }
