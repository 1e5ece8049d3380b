// Feeds arbitrary bytes to the palette file reader; a palette that reads must write back as itself.
#include "image/PaletteFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto palette = PaletteFile::Parse(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (palette && PaletteFile::Parse(PaletteFile::Bytes(*palette)) != palette) std::abort();
    return 0;
}
