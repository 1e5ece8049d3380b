#include "AlbumAvi.h"

#include <QtEndian>

namespace {

constexpr quint32 kKeyFrame = 0x10;  // AVIIF_KEYFRAME

QByteArray U32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray U16(quint16 value) {
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray Chunk(const char* id, const QByteArray& data) {
    QByteArray chunk = QByteArray(id, 4) + U32(quint32(data.size())) + data;
    if (data.size() % 2) chunk += '\0';
    return chunk;
}

QByteArray List(const char* type, const QByteArray& data) {
    return Chunk("LIST", QByteArray(type, 4) + data);
}

// Bottom-up rows of one colour, each padded to four bytes.
QByteArray Dib(int width, int height, const Rgb& colour) {
    QByteArray row;
    for (int x = 0; x < width; ++x)
        row += char(colour.blue), row += char(colour.green), row += char(colour.red);
    row += QByteArray((4 - row.size() % 4) % 4, '\0');
    return row.repeated(height);
}

}  // namespace

QByteArray AlbumAvi(int width, int height, const QList<AlbumAviPicture>& pictures, int hold,
                    int rate) {
    QList<QByteArray> frames;
    for (const AlbumAviPicture& picture : pictures) {
        const QByteArray dib = Dib(width, height, picture.colour);
        frames.append(picture.damaged ? dib.left(dib.size() / 3) : dib);
        for (int i = 0; i < hold; ++i) frames.append(QByteArray());
    }
    const quint32 count = quint32(frames.size());
    const quint32 frameBytes = quint32(Dib(width, height, {}).size());

    // MainAVIHeader, AVIStreamHeader and BITMAPINFOHEADER as the AVI RIFF reference lays them out.
    const QByteArray avih = U32(quint32(1000000 / rate)) + U32(0) + U32(0) + U32(kKeyFrame) +
                            U32(count) + U32(0) + U32(1) + U32(frameBytes) + U32(quint32(width)) +
                            U32(quint32(height)) + QByteArray(16, '\0');
    const QByteArray strh = QByteArray("vids") + QByteArray(4, '\0') + U32(0) + U16(0) + U16(0) +
                            U32(0) + U32(1) + U32(quint32(rate)) + U32(0) + U32(count) +
                            U32(frameBytes) + U32(0xFFFFFFFF) + U32(0) + U16(0) + U16(0) +
                            U16(quint16(width)) + U16(quint16(height));
    const QByteArray strf = U32(40) + U32(quint32(width)) + U32(quint32(height)) + U16(1) +
                            U16(24) + U32(0) + U32(frameBytes) + QByteArray(16, '\0');
    const QByteArray hdrl =
        List("hdrl", Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf)));

    QByteArray movi;
    QByteArray index;
    for (const QByteArray& frame : frames) {
        // Offsets count from the "movi" type field.
        index += QByteArray("00db") + U32(frame.isEmpty() ? 0 : kKeyFrame) +
                 U32(quint32(movi.size() + 4)) + U32(quint32(frame.size()));
        movi += Chunk("00db", frame);
    }
    return Chunk("RIFF", QByteArray("AVI ") + hdrl + List("movi", movi) + Chunk("idx1", index));
}
