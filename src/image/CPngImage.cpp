#include "CPngImage.h"

#include "ImageInfo.h"
#include "ImageLibrary.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// Transparent pixels show this colour, whatever the file's colour type.
constexpr png_color_16 kBackground = {0, 31, 127, 255, 0};

struct MemoryReader {
    const png_byte* data;
    std::size_t size;
    std::size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep out, std::size_t length) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->pos) png_error(png, "truncated file");
    std::memcpy(out, reader->data + reader->pos, length);
    reader->pos += length;
}

void WriteToMemory(png_structp png, png_bytep data, std::size_t length) {
    static_cast<QByteArray*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data),
                                                          qsizetype(length));
}

void FlushMemory(png_structp) {}

// libpng's texts stay off stderr; the text of a fatal error is kept to tell why a file failed.
struct ErrorText {
    char text[128] = {};
};
void Silence(png_structp, png_const_charp) {}
[[noreturn]] void FailSilently(png_structp png, png_const_charp message) {
    if (auto* error = static_cast<ErrorText*>(png_get_error_ptr(png)))
        std::snprintf(error->text, sizeof error->text, "%s", message);
    png_longjmp(png, 1);
}

// Blends the palette entries that tRNS makes transparent over the background, as libpng
// composes the pixels of the other colour types.
void CompositePalette(png_structp png, png_infop info, std::vector<png_color>& colours) {
    png_bytep alpha = nullptr;
    int count = 0;
    if (!png_get_tRNS(png, info, &alpha, &count, nullptr) || !alpha) return;
    for (int i = 0; i < std::min<int>(count, int(colours.size())); ++i) {
        const int a = alpha[i];
        png_color& c = colours[i];
        c.red = png_byte((c.red * a + kBackground.red * (255 - a) + 127) / 255);
        c.green = png_byte((c.green * a + kBackground.green * (255 - a) + 127) / 255);
        c.blue = png_byte((c.blue * a + kBackground.blue * (255 - a) + 127) / 255);
    }
}

// The header into INFO, then, with an IMAGE, the picture; REASON says why a file is refused.
bool DecodeInto(MemoryReader& reader, ImageInfo& info, CImageImpl* image, ErrorText& error, QString& reason) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, FailSilently, Silence);
    if (!png) return false;
    png_infop pngInfo = png_create_info_struct(png);
    if (!pngInfo) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    // ASSUMPTION: nothing with a destructor lives in this frame across the jump.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &pngInfo, nullptr);
        reason = QString::fromLatin1(error.text);
        return false;
    }
#ifdef ALBORA_FUZZING
    // Mutated files rarely keep their checksums right; the fuzzer is to reach what lies behind.
    png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
#endif
    png_set_read_fn(png, &reader, ReadFromMemory);
    // No chunk can be longer than the file, and the texts and profiles we never use are
    // skipped unread: libpng would otherwise allocate whatever length a chunk claims.
    static const png_byte kUnused[] = "tEXt\0zTXt\0iTXt\0iCCP\0sPLT\0eXIf";
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kUnused, int(sizeof kUnused / 5));
    png_set_chunk_malloc_max(png, std::max<png_alloc_size_t>(reader.size, 1));
    png_read_info(png, pngInfo);
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colourType = 0, interlace = 0;
    png_get_IHDR(png, pngInfo, &width, &height, &bitDepth, &colourType, &interlace, nullptr, nullptr);
    reason = ImageLibrary::PixelLimitRefusal(width, height);
    // Deflate packs a flat picture or a scanned page into almost nothing, but never below one
    // byte in 1,032 (its longest match, 258 bytes, in two bits at best): a file whose remaining
    // bytes cannot hold its rows is refused before they are allocated.
    const std::uint64_t rowBytes = (std::uint64_t(width) * png_get_channels(png, pngInfo) * bitDepth + 7) / 8;
    if (reason.isEmpty() && (rowBytes + 1) * height > std::uint64_t(reader.size - reader.pos) * 1032 + 65536)
        reason = QStringLiteral("picture larger than its file can hold");
    if (!reason.isEmpty()) {
        png_destroy_read_struct(&png, &pngInfo, nullptr);
        return false;
    }

    const bool palette = colourType == PNG_COLOR_TYPE_PALETTE;
    const bool composed =
        !palette && ((colourType & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, pngInfo, PNG_INFO_tRNS));
    if (bitDepth == 16) png_set_strip_16(png);
    if (!palette && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (palette && bitDepth == 2) png_set_packing(png);
    if (composed) {
        // Grey pictures become colour ones to show the same background. Pixels blend with it
        // by their stored values, as palette entries do: the file's gamma is overridden, so a
        // gAMA chunk cannot change the result.
        png_set_gray_to_rgb(png);
        png_set_gamma(png, PNG_GAMMA_LINEAR, PNG_GAMMA_LINEAR);
        png_set_background(png, &kBackground, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
    }
    if ((colourType & PNG_COLOR_MASK_COLOR) || composed) png_set_bgr(png);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, pngInfo);

    const int channels = png_get_channels(png, pngInfo);
    png_colorp entries = nullptr;
    int count = 0;
    if (!palette || !png_get_PLTE(png, pngInfo, &entries, &count)) count = 0;
    info.width = int(width);
    info.height = int(height);
    info.bpp = palette ? std::max(bitDepth == 2 ? 8 : bitDepth, 1) : (channels >= 3 ? 24 : 8);
    // Grey pictures get a grey palette of 256 entries.
    info.colorType = palette || channels == 1 ? 3 : 2;
    info.paletteSize = palette ? std::min(count, int(ImagePalette::kMaxEntries)) : channels == 1 ? 256 : 0;
    if (!image) {
        png_destroy_read_struct(&png, &pngInfo, nullptr);
        return true;
    }
    if (!image->Create(int(width), int(height), info.bpp, palette ? 3 : (channels >= 3 ? 2 : 0)) ||
        png_get_rowbytes(png, pngInfo) > std::size_t(image->GetRowBytes())) {
        png_destroy_read_struct(&png, &pngInfo, nullptr);
        reason = QStringLiteral("out of memory");
        return false;
    }
    if (palette) {
        if (count > 0) {
            std::vector<png_color> colours(entries, entries + count);
            CompositePalette(png, pngInfo, colours);
            image->SetPaletteFromTriples(count, reinterpret_cast<const std::uint8_t*>(colours.data()));
        }
    } else if (channels == 1) {
        image->MakeGreyPalette(256);
    }
    // Each pass fills the DIB rows in place; libpng merges later passes into them.
    ImageLibrary::CountDecodedRows(std::int64_t(height) * passes);
    for (int pass = 0; pass < passes; ++pass)
        for (png_uint_32 y = 0; y < height; ++y) png_read_row(png, image->Row(int(height - 1 - y)), nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &pngInfo, nullptr);
    return true;
}

// Runs WRITE(png, info) on a libpng writer into OUT. WRITE may leave by libpng's jump, so nothing
// with a destructor may live in its frame.
template <class Write>
bool EncodeWith(QByteArray& out, Write&& write) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, FailSilently, Silence);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, WriteToMemory, FlushMemory);
    write(png, info);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool EncodeInto(const CImageImpl& image, QByteArray& out, std::vector<std::uint8_t>& rowBuffer) {
    return EncodeWith(out, [&](png_structp png, png_infop info) {
        const int width = image.GetWidth(), height = image.GetHeight(), bpp = image.GetBitsPerPixel();
        const ImagePalette* palette = image.GetPalette();
        const bool colour = bpp > 8;
        const bool indexed = !colour && (image.GetColorType() & 1) && palette;
        const int bitDepth = colour ? 8 : bpp;
        png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), bitDepth,
                     colour ? PNG_COLOR_TYPE_RGB : indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_GRAY,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        if (indexed) {
            // As many entries as the bit depth allows, up to 256; entries the palette lacks are black.
            png_color entries[256] = {};
            const int count = std::min(256, 1 << bitDepth);
            for (int i = 0; i < std::min(count, palette->Count()); ++i) {
                const PaletteEntry& e = palette->Entries()[i];
                entries[i] = {e.red, e.green, e.blue};
            }
            png_set_PLTE(png, info, entries, count);
        }
        png_write_info(png, info);
        if (colour) png_set_bgr(png);
        const bool direct = !colour || bpp == 24;
        for (int y = height - 1; y >= 0; --y) {
            if (direct) {
                png_write_row(png, image.Row(y));
            } else {
                image.BgrRow(y, rowBuffer.data());
                png_write_row(png, rowBuffer.data());
            }
        }
    });
}

}  // namespace

namespace {

bool DecodeBytes(const QByteArray& data, ImageInfo& info, CImageImpl* image, QString& reason) {
    const auto* bytes = reinterpret_cast<const png_byte*>(data.constData());
    if (data.size() < 8 || png_sig_cmp(bytes, 0, 8) != 0) {
        reason = QStringLiteral("not a PNG file");
        return false;
    }
    MemoryReader reader{bytes, std::size_t(data.size()), 0};
    ErrorText error;
    return DecodeInto(reader, info, image, error, reason);
}

}  // namespace

bool CPngImage::Decode(const QByteArray& data, CImageImpl& image) {
    ImageInfo info;
    QString reason;
    if (DecodeBytes(data, info, &image, reason)) return true;
    image.SetReadError(reason);
    return false;
}

bool CPngImage::ReadHeader(const QByteArray& data, ImageInfo& info, QString& reason) {
    return DecodeBytes(data, info, nullptr, reason);
}

QByteArray CPngImage::Encode(const CImageImpl& image) {
    if (!image.HasDib()) return {};
    QByteArray out;
    std::vector<std::uint8_t> rowBuffer(std::size_t(image.GetWidth()) * 3);
    return EncodeInto(image, out, rowBuffer) ? out : QByteArray();
}

QByteArray CPngImage::EncodeQuick(const QImage& image, const PngTexts& texts) {
    if (image.isNull()) return {};
    const QImage rows = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    // Made before the writer runs: its jump would skip their destructors.
    std::vector<png_text> chunks(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        chunks[i].compression = PNG_TEXT_COMPRESSION_NONE;
        chunks[i].key = const_cast<char*>(texts[i].first.constData());
        chunks[i].text = const_cast<char*>(texts[i].second.constData());
        chunks[i].text_length = std::size_t(texts[i].second.size());
    }
    QByteArray out;
    const bool written = EncodeWith(out, [&](png_structp png, png_infop info) {
        png_set_IHDR(png, info, png_uint_32(rows.width()), png_uint_32(rows.height()), 8,
                     rows.hasAlphaChannel() ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        if (!chunks.empty()) png_set_text(png, info, chunks.data(), int(chunks.size()));
        // Each row as its difference from the left neighbour, packed by zlib's run-length pass:
        // on photographs about half the time of the adaptive filters with zlib's fastest level,
        // and no larger.
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
        png_set_compression_level(png, 1);
        png_set_compression_strategy(png, Z_RLE);
        png_write_info(png, info);
        for (int y = 0; y < rows.height(); ++y) png_write_row(png, rows.constScanLine(y));
    });
    return written ? out : QByteArray();
}

bool CPngImage::Read(const QString& fileName) { return ReadWith(fileName, Decode); }

bool CPngImage::Write(const QString& fileName) { return WriteWith(fileName, Encode(*this)); }
