#include "CJpegImage.h"

#include "ImageInfo.h"
#include "ImageLibrary.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace {

// The library reports a fatal error by calling error_exit, which must not return: it jumps back
// into the codec, which then releases the library's structures and fails.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    bool truncated;
    char message[JMSG_LENGTH_MAX];  // the library's text of the fatal error
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
    auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, errors->message);
    std::longjmp(errors->jump, 1);
}

void EmitMessage(j_common_ptr cinfo, int level) {
    // A picture that ends early is a damaged file, not a grey-bottomed picture, whether the data
    // runs out (JWRN_JPEG_EOF) or stops at a marker, such as an end of image, before the scan
    // has all its bits (JWRN_HIT_MARKER, "premature end of data segment").
    const int code = cinfo->err->msg_code;
    if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER))
        reinterpret_cast<ErrorManager*>(cinfo->err)->truncated = true;
}

void Silence(j_common_ptr) {}

void InitErrors(ErrorManager& errors) {
    jpeg_std_error(&errors.pub);
    errors.pub.error_exit = ErrorExit;
    errors.pub.emit_message = EmitMessage;
    errors.pub.output_message = Silence;
    errors.truncated = false;
    errors.message[0] = '\0';
}

// Turns a row of CMYK samples into blue, green, red. Adobe's writers (marked by their APP14
// segment) store the inks inverted, 255 meaning none; others store them as they are.
void CmykToBgr(const JSAMPLE* cmyk, int width, bool inverted, std::uint8_t* bgr) {
    for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        const int flip = inverted ? 0 : 255;
        const int c = cmyk[0] ^ flip, m = cmyk[1] ^ flip, y = cmyk[2] ^ flip, k = cmyk[3] ^ flip;
        bgr[0] = std::uint8_t((y * k + 127) / 255);
        bgr[1] = std::uint8_t((m * k + 127) / 255);
        bgr[2] = std::uint8_t((c * k + 127) / 255);
    }
}

// Entropy-coded data takes at least a few bits per 8x8 block; a file far smaller than its
// declared picture is refused before anything is allocated.
bool Plausible(std::uint64_t width, std::uint64_t height, std::size_t fileBytes) {
    const std::uint64_t pixels = width * height;
    return pixels <= std::uint64_t(fileBytes) * 4096 + 65536;
}

// Huffman coding gives every block at least one bit (its DC code), so the scans that follow the
// header hold at least one bit per 8x8 block of the full-resolution component. Arithmetic coding
// can do with less.
bool EnoughScanData(const jpeg_decompress_struct& cinfo) {
    if (cinfo.arith_code) return true;
    const std::uint64_t blocks = ((std::uint64_t(cinfo.image_width) + 7) / 8) * ((std::uint64_t(cinfo.image_height) + 7) / 8);
    return std::uint64_t(cinfo.src->bytes_in_buffer) * 8 >= blocks;
}

// What a progressive decode keeps whatever the output size: every coefficient of every block.
std::int64_t CoefficientBytes(const jpeg_decompress_struct& cinfo) {
    if (!cinfo.progressive_mode) return 0;
    std::int64_t bytes = 0;
    for (int c = 0; c < cinfo.num_components; ++c)
        bytes += std::int64_t(cinfo.comp_info[c].width_in_blocks) * cinfo.comp_info[c].height_in_blocks *
                 std::int64_t(sizeof(JBLOCK));
    return bytes;
}

constexpr int kRowsPerCall = 16;

}  // namespace

CJpegImage::CJpegImage(const QString& fileName)
    : CImageImpl(fileName), m_quality(ImageLibrary::JpegQuality()) {}

namespace {

// The header into INFO, then, with an IMAGE, the picture reduced by SCALEDENOM; REASON says why
// a file is refused. One function for both, since the library jumps back into the frame that
// set it up.
bool DecodeInto(const QByteArray& data, ImageInfo& info, CImageImpl* image, int scaleDenom, QString& reason) {
    // ASSUMPTION: no C++ object with a destructor lives in this frame between setjmp and the
    // jump; the image's own storage is a member and survives it.
    jpeg_decompress_struct cinfo;
    ErrorManager errors;
    cinfo.err = &errors.pub;
    InitErrors(errors);
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        reason = QString::fromLatin1(errors.message);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    const bool grey = cinfo.num_components == 1;
    // CMYK and YCCK (which the library turns into CMYK) are read as colour pictures.
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    info.width = int(cinfo.image_width);
    info.height = int(cinfo.image_height);
    info.bpp = grey ? 8 : 24;
    // Grey pictures get a grey palette of 256 entries.
    info.colorType = grey ? 3 : 2;
    info.paletteSize = grey ? 256 : 0;
    info.decoderBytes = CoefficientBytes(cinfo);
    reason = !grey && cinfo.num_components != 3 && !cmyk ? QStringLiteral("JPEG of unusual colour components")
             : ImageLibrary::PixelLimitRefusal(cinfo.image_width, cinfo.image_height);
    if (reason.isEmpty() &&
        (!Plausible(cinfo.image_width, cinfo.image_height, std::size_t(data.size())) || !EnoughScanData(cinfo)))
        reason = QStringLiteral("picture larger than its file can hold");
    if (!image || !reason.isEmpty()) {
        jpeg_destroy_decompress(&cinfo);
        return reason.isEmpty();
    }
    cinfo.out_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_EXT_BGR;
    cinfo.quantize_colors = FALSE;
    cinfo.scale_num = 1;
    cinfo.scale_denom = std::clamp(scaleDenom, 1, 8);
    jpeg_start_decompress(&cinfo);
    const int rowsOut = int(cinfo.output_height), columns = int(cinfo.output_width);
    if (!image->Create(columns, rowsOut, grey ? 8 : 24, -1)) {
        jpeg_destroy_decompress(&cinfo);
        reason = QStringLiteral("out of memory");
        return false;
    }
    if (grey) image->MakeGreyPalette(256);
    // Scan line k (the top first) goes straight into DIB row height - 1 - k; CMYK lines pass
    // through a buffer of the library's pool.
    JSAMPARRAY inks = cmyk ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                        JDIMENSION(columns * 4), kRowsPerCall)
                           : nullptr;
    JSAMPROW rows[kRowsPerCall];
    while (cinfo.output_scanline < cinfo.output_height) {
        const int first = int(cinfo.output_scanline);
        const int count = std::min(kRowsPerCall, rowsOut - first);
        for (int i = 0; i < count; ++i) rows[i] = cmyk ? inks[i] : image->Row(rowsOut - 1 - (first + i));
        const int read = int(jpeg_read_scanlines(&cinfo, rows, JDIMENSION(count)));
        if (read == 0) break;
        for (int i = 0; cmyk && i < read; ++i)
            CmykToBgr(inks[i], columns, cinfo.saw_Adobe_marker, image->Row(rowsOut - 1 - (first + i)));
    }
    ImageLibrary::CountDecodedRows(cinfo.output_scanline);
    const bool complete = cinfo.output_scanline == cinfo.output_height && !errors.truncated;
    if (complete) jpeg_finish_decompress(&cinfo);
    // The warning may come only while the library reads to the end of the image.
    const bool whole = complete && !errors.truncated;
    jpeg_destroy_decompress(&cinfo);
    if (!whole) reason = QStringLiteral("truncated file");
    return whole;
}

}  // namespace

bool CJpegImage::Decode(const QByteArray& data, CImageImpl& image, int scaleDenom) {
    ImageInfo info;
    QString reason;
    if (DecodeInto(data, info, &image, scaleDenom, reason)) return true;
    image.SetReadError(reason);
    return false;
}

bool CJpegImage::ReadHeader(const QByteArray& data, ImageInfo& info, QString& reason) {
    return DecodeInto(data, info, nullptr, 1, reason);
}

namespace {

bool EncodeInto(const CImageImpl& image, int quality, unsigned char** buffer,
                unsigned long* size) {
    jpeg_compress_struct cinfo;
    ErrorManager errors;
    cinfo.err = &errors.pub;
    InitErrors(errors);
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, buffer, size);
    const int width = image.GetWidth(), height = image.GetHeight();
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, std::clamp(quality, 0, 100), TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    // 24-bit rows go to the library as they are; other depths through one converted row.
    const bool direct = image.GetBitsPerPixel() == 24;
    JSAMPARRAY converted = direct ? nullptr
                                  : (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo),
                                                               JPOOL_IMAGE, JDIMENSION(width * 3), 1);
    while (cinfo.next_scanline < cinfo.image_height) {
        const int dibRow = height - 1 - int(cinfo.next_scanline);
        JSAMPROW row;
        if (direct) {
            row = const_cast<JSAMPROW>(image.Row(dibRow));
        } else {
            image.BgrRow(dibRow, converted[0]);
            row = converted[0];
        }
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

QByteArray CJpegImage::Encode(const CImageImpl& image, int quality) {
    if (!image.HasDib()) return {};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = EncodeInto(image, quality, &buffer, &size);
    QByteArray file = ok ? QByteArray(reinterpret_cast<const char*>(buffer), qsizetype(size)) : QByteArray();
    std::free(buffer);
    return file;
}

bool CJpegImage::Read(const QString& fileName) {
    return ReadWith(fileName, [](const QByteArray& data, CImageImpl& image) { return Decode(data, image); });
}

bool CJpegImage::Write(const QString& fileName) { return WriteWith(fileName, Encode(*this, m_quality)); }
