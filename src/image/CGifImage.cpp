#include "CGifImage.h"

#include "GifLzw.h"
#include "ImageInfo.h"
#include "ImageLibrary.h"

#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <optional>

namespace {

constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;
constexpr std::uint8_t kGraphicControlLabel = 0xF9;
// Global table present, 8 bits of colour resolution, 256 entries.
constexpr std::uint8_t kWriterPackedByte = ((8 << 5) - 32) | 7 | 0x80;

int Le16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }

void PutLe16(QByteArray& out, int value) {
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

// Puts decoded lines into the picture: top row first, or in the four passes of an interlaced
// image (rows 0, 8, 16...; 4, 12...; 2, 6...; 1, 3...).
class LineCursor {
public:
    LineCursor(CImageImpl& image, bool interlaced)
        : m_image(image), m_height(image.GetHeight()), m_interlaced(interlaced) {}

    int Write(const std::uint8_t* pixels, int count) {
        const int line = m_interlaced ? m_line : m_next;
        if (line < 0 || line >= m_height) return -1;
        std::copy_n(pixels, std::min(count, m_image.GetWidth()), m_image.Row(m_height - 1 - line));
        if (m_interlaced)
            Advance();
        else
            ++m_next;
        return 0;
    }

private:
    // The next line of the pass, skipping passes that have no line in a short picture.
    void Advance() {
        static constexpr int kStart[4] = {0, 4, 2, 1};
        static constexpr int kStep[4] = {8, 8, 4, 2};
        m_line += kStep[m_pass];
        while (m_line >= m_height && m_pass < 3) m_line = kStart[++m_pass];
    }

    CImageImpl& m_image;
    int m_height;
    bool m_interlaced;
    int m_next = 0;
    int m_line = 0;
    int m_pass = 0;
};

// The palette of a decoded image: the file's colour table, made ready for drawing with a
// transparent index (its entry black, white present).
void SetGifPalette(CImageImpl& image, const std::uint8_t* table, int entries) {
    std::uint8_t red[256] = {}, green[256] = {}, blue[256] = {};
    bool white = false;
    for (int i = 0; i < entries; ++i) {
        red[i] = table[3 * i];
        green[i] = table[3 * i + 1];
        blue[i] = table[3 * i + 2];
        white = white || (red[i] == 255 && green[i] == 255 && blue[i] == 255);
    }
    int count = entries;
    const int transparent = image.TransparentIndex();
    if (transparent != -1) {
        if (transparent >= 0 && transparent < 256) red[transparent] = green[transparent] = blue[transparent] = 0;
        if (entries < 256) {
            std::fill(red + entries, red + 256, 255);
            std::fill(green + entries, green + 256, 255);
            std::fill(blue + entries, blue + 256, 255);
            white = true;
        }
        if (!white) red[255] = green[255] = blue[255] = 255;
        count = 256;
    }
    image.SetPaletteFromArrays(count, red, green, blue);
}

}  // namespace

namespace {

// The first image of a GIF file as its descriptor and the extensions before it declare it.
struct FirstImage {
    int width = 0;
    int height = 0;
    bool interlaced = false;
    int transparentIndex = -1;
    std::uint8_t table[768] = {};
    int tableEntries = 0;
};

// Walks SOURCE up to the first image's data (the LZW code size byte) and checks its size
// against the bytes left; nullopt with REASON when there is no image to decode.
std::optional<FirstImage> FindFirstImage(GifByteSource& source, QString& reason) {
    FirstImage image;
    std::uint8_t header[13];
    if (!source.Read(header, sizeof header) || std::memcmp(header, "GIF8", 4) != 0) {
        reason = QStringLiteral("not a GIF file");
        return std::nullopt;
    }
    if (header[10] & 0x80) {
        image.tableEntries = 1 << ((header[10] & 7) + 1);
        if (!source.Read(image.table, std::size_t(image.tableEntries) * 3)) {
            reason = QStringLiteral("truncated file");
            return std::nullopt;
        }
    }
    reason = QStringLiteral("no picture in the file");
    for (int byte = source.Next(); byte >= 0; byte = source.Next()) {
        if (byte == kExtensionIntroducer) {
            const int label = source.Next();
            if (label == kGraphicControlLabel) {
                const int blockSize = source.Next();
                std::uint8_t control[4] = {};
                const int wanted = std::clamp(blockSize, 0, 4);
                if (blockSize != 4 || !source.Read(control, std::size_t(wanted))) break;
                if (control[0] & 1) image.transparentIndex = control[3];
            }
            for (int size = source.Next(); size > 0; size = source.Next())
                if (!source.Skip(std::size_t(size))) break;
        } else if (byte == kImageSeparator) {
            std::uint8_t descriptor[9];
            if (!source.Read(descriptor, sizeof descriptor)) break;
            image.width = Le16(descriptor + 4);
            image.height = Le16(descriptor + 6);
            image.interlaced = descriptor[8] & 0x40;
            if (descriptor[8] & 0x80) {
                image.tableEntries = 1 << ((descriptor[8] & 7) + 1);
                if (!source.Read(image.table, std::size_t(image.tableEntries) * 3)) break;
            }
            if (const QString refusal = ImageLibrary::PixelLimitRefusal(image.width, image.height); !refusal.isEmpty()) {
                reason = refusal;
                break;
            }
            // LZW packs at most a few thousand pixels into a byte; a larger picture is a lie.
            if (std::uint64_t(image.width) * image.height > std::uint64_t(source.Remaining()) * 4096 + 65536) break;
            reason.clear();
            return image;
        } else {
            break;
        }
    }
    return std::nullopt;
}

}  // namespace

bool CGifImage::ReadHeader(const QByteArray& data, ImageInfo& info, QString& reason) {
    GifByteSource source(reinterpret_cast<const std::uint8_t*>(data.constData()), std::size_t(data.size()));
    const auto first = FindFirstImage(source, reason);
    if (!first) return false;
    info.width = first->width;
    info.height = first->height;
    info.bpp = 8;
    info.colorType = first->tableEntries > 0 ? 3 : 0;
    // With a transparent index the palette is made up to 256 entries (SetGifPalette).
    info.paletteSize = first->tableEntries == 0 ? 0 : first->transparentIndex != -1 ? 256 : first->tableEntries;
    info.transparentIndex = first->transparentIndex;
    return true;
}

bool CGifImage::Decode(const QByteArray& data, CImageImpl& image) {
    GifByteSource source(reinterpret_cast<const std::uint8_t*>(data.constData()), std::size_t(data.size()));
    QString reason;
    const auto first = FindFirstImage(source, reason);
    if (first) image.SetTransparentIndex(first->transparentIndex);
    if (first && image.Create(first->width, first->height, 8, -1)) {
        if (first->tableEntries > 0) SetGifPalette(image, first->table, first->tableEntries);
        LineCursor cursor(image, first->interlaced);
        int rows = 0;
        GifLzw::Decode(source, first->width, [&cursor, &rows](const std::uint8_t* pixels, int count) {
            ++rows;
            return cursor.Write(pixels, count);
        });
        ImageLibrary::CountDecodedRows(rows);
    }
    if (!image.HasDib()) {
        image.SetReadError(reason.isEmpty() ? QStringLiteral("out of memory") : reason);
        // A file that is no GIF at all fails; a damaged one succeeds without a picture.
        return reason != QStringLiteral("not a GIF file");
    }
    return true;
}

QByteArray CGifImage::Encode(const CImageImpl& image) {
    const ImagePalette* palette = image.GetPalette();
    if (!image.HasDib() || image.GetBitsPerPixel() > 8 || !palette) return {};
    const int width = image.GetWidth(), height = image.GetHeight();
    QByteArray out("GIF87a");
    PutLe16(out, width);
    PutLe16(out, height);
    out.append(char(kWriterPackedByte));
    out.append(2, '\0');  // background, aspect
    QByteArray table(768, '\0');
    for (int i = 0; i < std::min(256, palette->Count()); ++i) {
        const PaletteEntry& e = palette->Entries()[i];
        table[3 * i] = char(e.red);
        table[3 * i + 1] = char(e.green);
        table[3 * i + 2] = char(e.blue);
    }
    out.append(table);
    out.append(char(kImageSeparator));
    PutLe16(out, 0);
    PutLe16(out, 0);
    PutLe16(out, width);
    PutLe16(out, height);
    out.append('\0');  // no local table, not interlaced
    out.append(char(8));  // initial code size
    // Rows top first, one index byte per pixel whatever the depth.
    std::vector<std::uint8_t> pixels(std::size_t(width) * height);
    for (int y = 0; y < height; ++y) image.IndexRow(height - 1 - y, pixels.data() + std::size_t(y) * width);
    GifLzw::Encode(pixels.data(), pixels.size(), out);
    out.append('\0');
    out.append(char(kTrailer));
    return out;
}

bool CGifImage::Read(const QString& fileName) { return ReadWith(fileName, Decode); }

bool CGifImage::Write(const QString& fileName) {
    if (GetBitsPerPixel() > 8) {
        ImageLibrary::ShowMessage(QStringLiteral("GIF Images must be 8 bit or less"));
        SetWriteError(QStringLiteral("more than 8 bits per pixel"));
        return false;
    }
    const QByteArray file = Encode(*this);
    if (WriteWith(fileName, file) || file.isEmpty()) return !file.isEmpty();
    // The temporary file is made in the target's folder: where that cannot be written to, the
    // file could not be opened; otherwise writing it failed.
    const bool folderWritable = QFileInfo(QFileInfo(FileName()).absolutePath()).isWritable();
    ImageLibrary::ShowMessage(folderWritable ? QStringLiteral("Write Error in GIF file")
                                             : QStringLiteral("Can't open GIF for writing"));
    return false;
}
