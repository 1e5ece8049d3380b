#include "DibHelpers.h"

#include "DibFormat.h"
#include "platform/SafeFile.h"

#include <QByteArray>

namespace DibHelpers {

Block CopyDib(const Block& dib) { return dib; }

int DibNumColors(const Block& dib) {
    if (dib.size() < 4) return 0;
    const std::uint32_t size = Dib::Get32(dib.data());
    int bits = 0;
    if (size == Dib::kInfoHeaderSize && dib.size() >= Dib::kInfoHeaderSize) {
        const Dib::InfoHeader header = Dib::InfoHeader::Parse(dib.data());
        if (header.clrUsed) return int(std::min<std::uint32_t>(header.clrUsed, 256));
        bits = header.bitCount;
    } else if (size == Dib::kCoreHeaderSize && dib.size() >= Dib::kCoreHeaderSize) {
        bits = Dib::Get16(dib.data() + 10);
    }
    return bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
}

int PaletteSize(const Block& dib) {
    const bool core = dib.size() >= 4 && Dib::Get32(dib.data()) == Dib::kCoreHeaderSize;
    return DibNumColors(dib) * (core ? 3 : 4);
}

DibError SaveDibToFile(const Block& dib, const QString& path) {
    if (dib.empty()) return DibNoBlock;
    if (dib.size() < Dib::kInfoHeaderSize || Dib::Get32(dib.data()) != Dib::kInfoHeaderSize)
        return DibBadHeader;
    Dib::InfoHeader header = Dib::InfoHeader::Parse(dib.data());
    if (header.compression != Dib::kRle8 && header.compression != Dib::kRle4)
        header.sizeImage =
            std::uint32_t(Dib::RowBytes(header.width, header.bitCount) * std::abs(header.height));
    const std::size_t table = std::size_t(PaletteSize(dib));
    const std::size_t body = Dib::kInfoHeaderSize + table + header.sizeImage;
    if (body > dib.size()) return DibCannotLock;
    QByteArray file(qsizetype(Dib::kFileHeaderSize + body), '\0');
    auto* out = reinterpret_cast<std::uint8_t*>(file.data());
    Dib::Put16(out, Dib::kFileMagic);
    Dib::Put32(out + 2, std::uint32_t(Dib::kFileHeaderSize + body));
    Dib::Put32(out + 10, std::uint32_t(Dib::kFileHeaderSize + Dib::kInfoHeaderSize + table));
    std::copy_n(dib.data(), body, out + Dib::kFileHeaderSize);
    header.Store(out + Dib::kFileHeaderSize);
    return SafeFile::Write(path, file) ? DibOk : DibCannotCreateFile;
}

}  // namespace DibHelpers
