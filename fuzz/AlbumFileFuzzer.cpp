// Feeds arbitrary bytes to the whole album-file reader: the compound file, then the album body.
#include "album/AlbumFile.h"
#include "album/CFotoDB.h"

#include "FuzzOptions.h"

#include <cstddef>
#include <cstdint>

// libgsf leaks a directory entry, allocated through GLib, when a corrupt compound file repeats
// its directory chain; the leak is inside the library and bounded per file read.
extern "C" const char* __lsan_default_suppressions() { return "leak:libglib-2.0.so\n"; }

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    DefaultMaxLen(argc, argv, kNestedInputBytes);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray body = AlbumFile::StreamOfCompoundFile(bytes).value_or(bytes);
    CFotoDB db;
    if (db.Deserialize(body)) db.Serialize(false);
    return 0;
}
