#pragma once

#include <QString>
#include <cstdint>
#include <vector>

// Helpers on packed DIB blocks (a header, its colour table and the pixels), as the capture and
// clipboard code hand them around.
namespace DibHelpers {

using Block = std::vector<std::uint8_t>;

enum DibError {
    DibOk = 0,
    DibCannotLock = 3,
    DibCannotCreateFile = 4,
    DibNoBlock = 20,
    DibBadHeader = 21,  // our own: a header that is not a 40-byte one is not written
};

// A byte-for-byte copy.
Block CopyDib(const Block& dib);
// Colours of the colour table: biClrUsed of a 40-byte header when set, else 2, 16 or 256 for
// 1, 4 and 8 bits, else 0.
int DibNumColors(const Block& dib);
// Bytes of the colour table (4 per colour, 3 for a 12-byte core header).
int PaletteSize(const Block& dib);
// Writes the block as a bitmap file with its "BM" header.
DibError SaveDibToFile(const Block& dib, const QString& path);

}  // namespace DibHelpers
