// Feeds arbitrary bytes to the object archive reader with the album's classes.
#include "album/CFotoObjList.h"
#include "platform/ObjectArchive.h"

#include "FuzzOptions.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    DefaultMaxLen(argc, argv, kNestedInputBytes);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ArchiveReader ar(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)),
                     AlbumClasses());
    while (ar.ok() && ar.Remaining() > 0) {
        ar.ReadObject();
        ar.ReadString();
        ar.ReadCount(1);
    }
    return 0;
}
