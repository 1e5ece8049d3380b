// Feeds arbitrary bytes to one picture reader, chosen when the target is built
// (ALBORA_FUZZ_IMAGE_TYPE), and writes back what it read, as the program would.
#include "image/CAviFrameImage.h"
#include "image/CBmpImage.h"
#include "image/CGifImage.h"
#include "image/CJpegImage.h"
#include "image/CPngImage.h"
#include "image/ImageLibrary.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    CImageImpl image;
    bool read = false;
    switch (ALBORA_FUZZ_IMAGE_TYPE) {
        case IMAGE_BMP: read = CBmpImage::Decode(bytes, image); break;
        case IMAGE_JPEG: read = CJpegImage::Decode(bytes, image); break;
        case IMAGE_GIF: read = CGifImage::Decode(bytes, image); break;
        case IMAGE_PNG: read = CPngImage::Decode(bytes, image); break;
        case IMAGE_AVI: read = CAviFrameImage::Decode(bytes, image); break;
        default: break;
    }
    if (read && image.HasDib() && std::int64_t(image.GetWidth()) * image.GetHeight() < 1 << 20) {
        image.MakeImage();
        CGifImage::Encode(image);
        CBmpImage::Encode(image);
    }
    return 0;
}
