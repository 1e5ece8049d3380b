// Feeds arbitrary bytes to one picture reader, chosen when the target is built
// (ALBORA_FUZZ_IMAGE_TYPE), checks that its header-only read agrees with the picture, and writes
// back what it read, as the program would.
#include "image/CAviFrameImage.h"
#include "image/CBmpImage.h"
#include "image/CGifImage.h"
#include "image/CJpegImage.h"
#include "image/CPngImage.h"
#include "FuzzOptions.h"
#include "image/ImageInfo.h"
#include "image/ImageLibrary.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (ALBORA_FUZZ_IMAGE_TYPE == IMAGE_AVI) DefaultMaxLen(argc, argv, kNestedInputBytes);
    // Pictures of the full 2^28 pixels are legitimate but would only measure the fuzzer's memory
    // limit; the refusal of larger ones is the same code.
    ImageLibrary::SetMaxPixels(std::int64_t(1) << 24);
    return 0;
}

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
    if (read && image.HasDib()) {
        // Whatever a full read accepts, the header read accepts with the same values.
        const auto info = ReadImageInfo(bytes, ALBORA_FUZZ_IMAGE_TYPE);
        const int palette = image.GetPalette() ? image.GetPalette()->Count() : 0;
        if (!info || info->width != image.GetWidth() || info->height != image.GetHeight() ||
            info->bpp != image.GetBitsPerPixel() || info->colorType != image.GetColorType() ||
            info->paletteSize != palette || info->transparentIndex != image.TransparentIndex())
            __builtin_trap();
    }
    if (read && image.HasDib() && std::int64_t(image.GetWidth()) * image.GetHeight() < 1 << 20) {
        image.MakeImage();
        CGifImage::Encode(image);
        CBmpImage::Encode(image);
    }
    return 0;
}
