// Feeds arbitrary bytes to the test that tells metafiles apart before a converter sees them.
#include "platform/MetafileConverter.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MetafileConverter::KindOf(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
