// Feeds arbitrary bytes to the decoder of the folder watcher's event records.
#include "browse/FolderWatcher.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QVector<FolderChange> changes = DecodeFolderEvents(reinterpret_cast<const char*>(data), size);
    // Every record has at least its header, so there can be no more changes than headers.
    if (std::size_t(changes.size()) > size / 16) __builtin_trap();
    return 0;
}
