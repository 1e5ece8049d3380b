// Feeds arbitrary bytes to the reader of a web site's manifest, which decides what a re-run
// keeps and what it removes: no name it accepts may reach outside the site folder.
#include "web/SiteManifest.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const SiteManifest manifest =
        SiteManifest::Parse(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    for (const QString& name : manifest.NotIn(SiteManifest()))
        if (!IsSiteOutputName(name)) __builtin_trap();
    return 0;
}
