#pragma once

// Small files that declare very large pictures, the kind a hostile or damaged file hands a
// reader: each is tens of kilobytes (the baseline JPEG a few megabytes) and claims 2^28 pixels.

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <zlib.h>

namespace Bombs {

inline void PutBe16(QByteArray& out, int v) { out.append(char((v >> 8) & 0xFF)).append(char(v & 0xFF)); }
inline void PutBe32(QByteArray& out, std::uint32_t v) { PutBe16(out, int(v >> 16)), PutBe16(out, int(v & 0xFFFF)); }
inline void PutLe16(QByteArray& out, int v) { out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); }
inline void PutLe32(QByteArray& out, std::uint32_t v) { PutLe16(out, int(v & 0xFFFF)), PutLe16(out, int(v >> 16)); }

// A JPEG of SIZE x SIZE, three components at full resolution, whose Huffman tables have one
// one-bit code each, so that a block of flat colour takes two bits. PROGRESSIVE gives one DC
// scan. The scan is SCANBYTES zero bytes: enough for every block, or fewer, and then cut short.
inline QByteArray Jpeg(int size, bool progressive, qsizetype scanBytes) {
    const auto segment = [](QByteArray& out, int marker, const QByteArray& body) {
        out.append(char(0xFF)).append(char(marker));
        PutBe16(out, int(body.size()) + 2);
        out.append(body);
    };
    QByteArray out("\xFF\xD8", 2);
    segment(out, 0xDB, QByteArray(1, '\0') + QByteArray(64, 1));
    QByteArray frame(1, 8);
    PutBe16(frame, size);
    PutBe16(frame, size);
    frame.append(char(3));
    for (int c = 1; c <= 3; ++c) frame.append(char(c)).append(char(0x11)).append('\0');
    segment(out, progressive ? 0xC2 : 0xC0, frame);
    for (const char table : {'\x00', '\x10'})  // DC 0 and AC 0: the one code "0" for symbol 0
        segment(out, 0xC4, QByteArray(1, table) + QByteArray(1, 1) + QByteArray(15, '\0') + QByteArray(1, '\0'));
    QByteArray scan(1, 3);
    for (int c = 1; c <= 3; ++c) scan.append(char(c)).append('\0');
    scan.append('\0').append(char(progressive ? 0 : 63)).append('\0');
    segment(out, 0xDA, scan);
    out.append(QByteArray(scanBytes, '\0'));
    return out.append("\xFF\xD9", 2);
}

// Enough scan bytes for every block of a baseline SIZE x SIZE picture: six bits per 8x8 block.
inline qsizetype FullScan(int size) { return qsizetype(size / 8) * (size / 8) * 6 / 8 + 1; }

// A BMP of 1 x HEIGHT 8-bit pixels run-length encoded: RUNBYTES of end-of-line codes.
inline QByteArray RleBmp(int height, qsizetype runBytes) {
    QByteArray out("BM");
    PutLe32(out, std::uint32_t(14 + 40 + 1024 + runBytes));
    PutLe32(out, 0);
    PutLe32(out, 14 + 40 + 1024);
    for (const std::uint32_t v : {40u, 1u, std::uint32_t(height)}) PutLe32(out, v);
    PutLe16(out, 1);
    PutLe16(out, 8);
    for (const std::uint32_t v : {1u, 0u, 0u, 0u, 256u, 0u}) PutLe32(out, v);
    out.append(QByteArray(1024, '\0'));
    return out.append(QByteArray(runBytes, '\0'));
}

// A PNG of SIZE x SIZE colour pixels whose image data is the start of a deflated stream of
// zero rows, about COMPRESSEDBYTES long.
inline QByteArray Png(int size, qsizetype compressedBytes) {
    const auto chunk = [](QByteArray& out, const char* type, const QByteArray& body) {
        PutBe32(out, std::uint32_t(body.size()));
        const QByteArray typed = QByteArray(type) + body;
        out.append(typed);
        PutBe32(out, std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(typed.constData()), uInt(typed.size()))));
    };
    QByteArray out("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    PutBe32(header, std::uint32_t(size));
    PutBe32(header, std::uint32_t(size));
    header.append(char(8)).append(char(2)).append(3, '\0');
    chunk(out, "IHDR", header);
    // Deflate shrinks zeros about a thousand times.
    chunk(out, "IDAT", qCompress(QByteArray(compressedBytes * 1000, '\0'), 9).mid(4));
    chunk(out, "IEND", {});
    return out;
}

// A GIF of SIZE x SIZE with a two-colour table and DATABYTES of zero LZW bytes.
inline QByteArray Gif(int size, qsizetype dataBytes) {
    QByteArray out("GIF89a");
    PutLe16(out, size);
    PutLe16(out, size);
    out.append(char(0x80)).append(2, '\0').append(QByteArray("\0\0\0\xFF\xFF\xFF", 6));
    out.append(',');
    PutLe16(out, 0);
    PutLe16(out, 0);
    PutLe16(out, size);
    PutLe16(out, size);
    out.append('\0').append(char(2));
    for (qsizetype left = dataBytes; left > 0; left -= 255) {
        const int block = int(std::min<qsizetype>(left, 255));
        out.append(char(block)).append(QByteArray(block, '\0'));
    }
    return out.append('\0').append(';');
}

// An AVI of one Motion-JPEG stream whose first frame is FRAME and whose format says SIZE x SIZE.
inline QByteArray MjpegAvi(int size, const QByteArray& frame) {
    const auto chunk = [](const char* id, const QByteArray& body) {
        QByteArray out(id, 4);
        PutLe32(out, std::uint32_t(body.size()));
        out.append(body);
        if (body.size() & 1) out.append('\0');
        return out;
    };
    QByteArray strh("vidsMJPG");
    strh.append(QByteArray(48, '\0'));
    QByteArray strf;
    for (const std::uint32_t v : {40u, std::uint32_t(size), std::uint32_t(size)}) PutLe32(strf, v);
    PutLe16(strf, 1);
    PutLe16(strf, 24);
    strf.append("MJPG");
    strf.append(QByteArray(20, '\0'));
    const QByteArray strl = chunk("LIST", "strl" + chunk("strh", strh) + chunk("strf", strf));
    const QByteArray hdrl = chunk("LIST", "hdrl" + chunk("avih", QByteArray(56, '\0')) + strl);
    const QByteArray movi = chunk("LIST", "movi" + chunk("00dc", frame));
    return chunk("RIFF", "AVI " + hdrl + movi);
}

struct Bomb {
    QString name;
    QByteArray bytes;
};

// The six: each of the readers asked for 2^28 pixels (the RLE BMP for 268,000,000).
inline QList<Bomb> All() {
    const int size = 16384;
    const QByteArray progressive = Jpeg(size, true, 66 * 1024);
    return {{"rle.bmp", RleBmp(268000000, 262144)},
            {"progressive.jpg", progressive},
            {"huge.png", Png(size, 60 * 1024)},
            {"huge.gif", Gif(size, 66 * 1024)},
            {"frame.avi", MjpegAvi(size, progressive)},
            {"flat.jpg", Jpeg(size, false, FullScan(size))}};
}

}  // namespace Bombs
