#include "PaletteFile.h"

#include <QtEndian>
#include <cstring>

namespace PaletteFile {

namespace {

constexpr quint16 kVersion = 0x300;

std::optional<ImagePalette> Refuse(QString* reason, const char* why) {
    if (reason) *reason = QString::fromLatin1(why);
    return std::nullopt;
}

quint32 Word32(QByteArrayView data, qsizetype at) { return qFromLittleEndian<quint32>(data.data() + at); }

}  // namespace

std::optional<ImagePalette> Parse(QByteArrayView data, QString* reason) {
    if (data.size() < 12 || data.first(4) != "RIFF" || data.sliced(8, 4) != "PAL ")
        return Refuse(reason, "not a palette file");
    // The form's own size may be wrong in old files; the bytes that are there are what count.
    const qsizetype end = std::min<qsizetype>(data.size(), 8 + qsizetype(Word32(data, 4)));
    for (qsizetype at = 12; at + 8 <= end;) {
        const quint32 size = Word32(data, at + 4);
        if (quint64(size) > quint64(end - at - 8)) return Refuse(reason, "the palette file is cut short");
        if (data.sliced(at, 4) == "data") {
            const QByteArrayView chunk = data.sliced(at + 8, size);
            if (chunk.size() < 4 || qFromLittleEndian<quint16>(chunk.data()) != kVersion)
                return Refuse(reason, "the palette's version is unknown");
            const int count = qFromLittleEndian<quint16>(chunk.data() + 2);
            if (count < 1 || count > ImagePalette::kMaxEntries || chunk.size() < 4 + 4 * qsizetype(count))
                return Refuse(reason, "the palette's colour count is wrong");
            std::vector<PaletteEntry> entries(static_cast<std::size_t>(count));
            for (int i = 0; i < count; ++i) {
                const auto* p = reinterpret_cast<const std::uint8_t*>(chunk.data()) + 4 + 4 * i;
                entries[std::size_t(i)] = {p[0], p[1], p[2], p[3]};
            }
            return ImagePalette(std::move(entries));
        }
        at += 8 + qsizetype(size) + (size & 1);
    }
    return Refuse(reason, "the palette file holds no palette");
}

QByteArray Bytes(const ImagePalette& palette) {
    const int count = palette.Count();
    QByteArray out(24 + 4 * count, Qt::Uninitialized);
    char* p = out.data();
    std::memcpy(p, "RIFF", 4);
    qToLittleEndian<quint32>(quint32(out.size() - 8), p + 4);
    std::memcpy(p + 8, "PAL data", 8);
    qToLittleEndian<quint32>(quint32(4 + 4 * count), p + 16);
    qToLittleEndian<quint16>(kVersion, p + 20);
    qToLittleEndian<quint16>(quint16(count), p + 22);
    for (int i = 0; i < count; ++i) {
        const PaletteEntry& e = palette.Entries()[std::size_t(i)];
        p[24 + 4 * i] = char(e.red), p[25 + 4 * i] = char(e.green), p[26 + 4 * i] = char(e.blue), p[27 + 4 * i] = char(e.flags);
    }
    return out;
}

}  // namespace PaletteFile
