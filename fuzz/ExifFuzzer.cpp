// Feeds arbitrary bytes to the reader of a JPEG's camera orientation.
#include "image/Orientation.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int orientation = Orientation::FromJpeg(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (orientation < 1 || orientation > 8) __builtin_trap();
    return 0;
}
