#include "CBmpImage.h"

#include "DibFormat.h"
#include "ImageLibrary.h"

#include <algorithm>
#include <bit>

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

// Expands run-length encoded pixels into one index byte per pixel, bottom row first. A run that
// leaves the picture ends the decoding; what was decoded stays.
void DecodeRle(const std::uint8_t* data, std::size_t size, bool fourBit, int width, int height,
               std::vector<std::uint8_t>& indices) {
    std::size_t pos = 0;
    int x = 0, y = 0;
    auto put = [&](std::uint8_t value) {
        if (x < width && y < height) indices[std::size_t(y) * width + x] = value;
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

}  // namespace

bool CBmpImage::Read(const QString& fileName) { return ReadWith(fileName, Decode); }

bool CBmpImage::Decode(const QByteArray& bytes, CImageImpl& image) {
    const auto refuse = [&image](const QString& reason) {
        image.SetReadError(reason);
        return false;
    };
    const QString truncated = QStringLiteral("truncated file");
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    const std::size_t size = std::size_t(bytes.size());

    // The file header is optional: without "BM" the data is a bare DIB.
    std::size_t headerStart = 0, pixelOffset = 0;
    if (size >= Dib::kFileHeaderSize && Get16(data) == Dib::kFileMagic) {
        headerStart = Dib::kFileHeaderSize;
        pixelOffset = Get32(data + 10);
    }
    if (size < headerStart + 4) return refuse(truncated);
    const std::uint32_t headerSize = Get32(data + headerStart);
    Dib::InfoHeader in;
    bool core = false;
    if (headerSize == Dib::kCoreHeaderSize && size >= headerStart + 12) {
        core = true;
        in.width = Get16(data + headerStart + 4);
        in.height = Get16(data + headerStart + 6);
        in.bitCount = Get16(data + headerStart + 10);
    } else if (headerSize >= Dib::kInfoHeaderSize && headerSize <= 4096 &&
               size >= headerStart + headerSize) {
        in = Dib::InfoHeader::Parse(data + headerStart);
    } else {
        return refuse(QStringLiteral("not a BMP file"));
    }

    const int bpp = in.bitCount;
    const bool topDown = in.height < 0;
    const std::int64_t width = in.width;
    const std::int64_t height = topDown ? -std::int64_t(in.height) : in.height;
    const bool rle = in.compression == Dib::kRle8 || in.compression == Dib::kRle4;
    if (width <= 0 || height <= 0) return refuse(QStringLiteral("picture without pixels"));
    if (width * height > ImageLibrary::kMaxPixels) return refuse(QStringLiteral("picture too large"));
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return refuse(QStringLiteral("%1-bit BMP").arg(bpp));
    if (!(in.compression == Dib::kRgb || (in.compression == Dib::kRle8 && bpp == 8) ||
          (in.compression == Dib::kRle4 && bpp == 4) ||
          (in.compression == Dib::kBitFields && (bpp == 16 || bpp == 32))))
        return refuse(QStringLiteral("BMP of compression %1 at %2 bits").arg(in.compression).arg(bpp));

    // Colour table: entries of 3 bytes after a core header, of 4 otherwise; at most 256 used.
    std::size_t tableStart = headerStart + (core ? Dib::kCoreHeaderSize : headerSize);
    std::uint32_t masks[3] = {0, 0, 0};
    if (in.compression == Dib::kBitFields) {
        const std::size_t maskStart = headerSize == Dib::kInfoHeaderSize ? tableStart : headerStart + 40;
        if (size < maskStart + 12) return refuse(truncated);
        for (int i = 0; i < 3; ++i) masks[i] = Get32(data + maskStart + 4 * i);
        if (headerSize == Dib::kInfoHeaderSize) tableStart += 12;
    } else if (bpp == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    } else if (bpp == 32) {
        masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
    }
    std::uint32_t colours = in.clrUsed;
    if (bpp <= 8 && (colours == 0 || colours > (1u << bpp))) colours = 1u << bpp;
    const std::size_t entryBytes = core ? 3 : 4;
    const std::size_t storedColours = bpp <= 8 ? colours : (core ? 0 : std::min<std::uint32_t>(in.clrUsed, 256));
    if (tableStart + storedColours * entryBytes > size) return refuse(truncated);
    if (pixelOffset == 0) pixelOffset = tableStart + storedColours * entryBytes;
    if (pixelOffset > size) return refuse(truncated);

    const int outBpp = bpp > 8 ? 24 : bpp;
    const std::int64_t inRowBytes = Dib::RowBytes(width, bpp);
    const std::int64_t outRowBytes = Dib::RowBytes(width, outBpp);
    const std::size_t available = size - pixelOffset;
    // Run-length data may stand for many more pixels than its bytes, within reason.
    if (rle ? std::uint64_t(width * height) > std::uint64_t(available) * 1024 + 65536
            : std::uint64_t(inRowBytes * height) > available)
        return refuse(truncated);

    Dib::InfoHeader out;
    out.width = int(width);
    out.height = int(height);
    out.bitCount = std::uint16_t(outBpp);
    out.sizeImage = std::uint32_t(outRowBytes * height);
    out.clrUsed = bpp <= 8 ? colours : 0;
    out.xPelsPerMeter = in.xPelsPerMeter;
    out.yPelsPerMeter = in.yPelsPerMeter;
    std::vector<std::uint8_t> block;
    try {
        block.assign(Dib::kInfoHeaderSize + out.clrUsed * 4 + std::size_t(out.sizeImage), 0);
    } catch (const std::bad_alloc&) {
        return refuse(QStringLiteral("out of memory"));
    }
    out.Store(block.data());
    std::uint8_t* table = block.data() + Dib::kInfoHeaderSize;
    for (std::uint32_t i = 0; i < out.clrUsed; ++i)
        std::copy_n(data + tableStart + i * entryBytes, 3, table + 4 * i);

    std::uint8_t* pixels = table + out.clrUsed * 4;
    const std::uint8_t* source = data + pixelOffset;
    auto sourceRow = [&](std::int64_t y) {  // the file row that holds DIB row Y
        return source + (topDown ? height - 1 - y : y) * inRowBytes;
    };
    if (rle) {
        std::vector<std::uint8_t> indices(std::size_t(width * height), 0);
        DecodeRle(source, available, in.compression == Dib::kRle4, int(width), int(height), indices);
        for (std::int64_t y = 0; y < height; ++y) {
            std::uint8_t* row = pixels + y * outRowBytes;
            const std::uint8_t* in8 = indices.data() + y * width;
            if (bpp == 8) {
                std::copy_n(in8, width, row);
            } else {
                for (std::int64_t x = 0; x < width; ++x)
                    row[x / 2] |= (x & 1) ? in8[x] : std::uint8_t(in8[x] << 4);
            }
        }
    } else if (bpp <= 8 || bpp == 24) {
        for (std::int64_t y = 0; y < height; ++y)
            std::copy_n(sourceRow(y), inRowBytes, pixels + y * outRowBytes);
    } else {
        const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
        const int step = bpp / 8;
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
    return image.AdoptDib(std::move(block));
}

QByteArray CBmpImage::Encode(const CImageImpl& image) {
    if (!image.HasDib()) return {};
    const std::vector<std::uint8_t>& block = image.DibBlock();
    const Dib::InfoHeader header = Dib::InfoHeader::Parse(block.data());
    const std::uint32_t tableBytes = std::uint32_t(image.TableEntries()) * 4;
    const std::size_t pixelBytes = std::size_t(image.GetRowBytes()) * image.GetHeight();
    QByteArray file(int(Dib::kFileHeaderSize + header.size + tableBytes + pixelBytes), '\0');
    auto* out = reinterpret_cast<std::uint8_t*>(file.data());
    Dib::Put16(out, Dib::kFileMagic);
    Dib::Put32(out + 2, header.sizeImage + tableBytes + header.size + Dib::kFileHeaderSize);
    Dib::Put32(out + 10, Dib::kFileHeaderSize + header.size + tableBytes);
    std::copy_n(block.data(), header.size, out + Dib::kFileHeaderSize);
    // The table holds palette indices in memory; the file gets the colours.
    std::uint8_t* table = out + Dib::kFileHeaderSize + header.size;
    for (std::uint32_t i = 0; i < tableBytes / 4; ++i) {
        PaletteEntry c;
        if (image.IndexColor(int(i), c)) {
            table[4 * i] = c.blue;
            table[4 * i + 1] = c.green;
            table[4 * i + 2] = c.red;
        }
    }
    std::copy_n(image.GetBits(), pixelBytes, table + tableBytes);
    return file;
}

bool CBmpImage::Write(const QString& fileName) { return WriteWith(fileName, Encode(*this)); }
