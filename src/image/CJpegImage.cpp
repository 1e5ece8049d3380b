#include "CJpegImage.h"

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
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void EmitMessage(j_common_ptr cinfo, int level) {
    // A picture that ends early is a damaged file, not a grey-bottomed picture.
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF)
        reinterpret_cast<ErrorManager*>(cinfo->err)->truncated = true;
}

void Silence(j_common_ptr) {}

void InitErrors(ErrorManager& errors) {
    jpeg_std_error(&errors.pub);
    errors.pub.error_exit = ErrorExit;
    errors.pub.emit_message = EmitMessage;
    errors.pub.output_message = Silence;
    errors.truncated = false;
}

// Entropy-coded data takes at least a few bits per 8x8 block; a file far smaller than its
// declared picture is refused before anything is allocated.
bool Plausible(std::uint64_t width, std::uint64_t height, std::size_t fileBytes) {
    const std::uint64_t pixels = width * height;
    return pixels > 0 && pixels <= std::uint64_t(ImageLibrary::kMaxPixels) &&
           pixels <= std::uint64_t(fileBytes) * 4096 + 65536;
}

constexpr int kRowsPerCall = 16;

}  // namespace

CJpegImage::CJpegImage(const QString& fileName)
    : CImageImpl(fileName), m_quality(ImageLibrary::JpegQuality()) {}

namespace {

// The header into WIDTH, HEIGHT and BPP, then, with an IMAGE, the picture reduced by
// SCALEDENOM. One function for both, since the library jumps back into the frame that set it up.
bool DecodeInto(const QByteArray& data, CImageImpl* image, int scaleDenom, int& width, int& height, int& bpp) {
    // ASSUMPTION: no C++ object with a destructor lives in this frame between setjmp and the
    // jump; the image's own storage is a member and survives it.
    jpeg_decompress_struct cinfo;
    ErrorManager errors;
    cinfo.err = &errors.pub;
    InitErrors(errors);
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    const bool grey = cinfo.num_components == 1;
    width = int(cinfo.image_width);
    height = int(cinfo.image_height);
    bpp = grey ? 8 : 24;
    if (!image || (!grey && cinfo.num_components != 3) ||
        !Plausible(cinfo.image_width, cinfo.image_height, std::size_t(data.size()))) {
        jpeg_destroy_decompress(&cinfo);
        return !image;
    }
    cinfo.out_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
    cinfo.quantize_colors = FALSE;
    cinfo.scale_num = 1;
    cinfo.scale_denom = std::clamp(scaleDenom, 1, 8);
    jpeg_start_decompress(&cinfo);
    const int rowsOut = int(cinfo.output_height);
    if (!image->Create(int(cinfo.output_width), rowsOut, grey ? 8 : 24, -1)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    if (grey) image->MakeGreyPalette(256);
    // Scan line k (the top first) goes straight into DIB row height - 1 - k.
    JSAMPROW rows[kRowsPerCall];
    while (cinfo.output_scanline < cinfo.output_height) {
        const int first = int(cinfo.output_scanline);
        const int count = std::min(kRowsPerCall, rowsOut - first);
        for (int i = 0; i < count; ++i) rows[i] = image->Row(rowsOut - 1 - (first + i));
        if (jpeg_read_scanlines(&cinfo, rows, JDIMENSION(count)) == 0) break;
    }
    const bool complete = cinfo.output_scanline == cinfo.output_height && !errors.truncated;
    if (complete) jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return complete;
}

}  // namespace

bool CJpegImage::Decode(const QByteArray& data, CImageImpl& image, int scaleDenom) {
    int width = 0, height = 0, bpp = 0;
    return DecodeInto(data, &image, scaleDenom, width, height, bpp);
}

bool CJpegImage::ReadSize(const QByteArray& data, int& width, int& height, int& bpp) {
    return DecodeInto(data, nullptr, 1, width, height, bpp);
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
