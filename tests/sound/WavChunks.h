#pragma once

#include <QByteArray>
#include <QList>
#include <QtEndian>
#include <optional>

// WAV files put together chunk by chunk, as odd writers make them.
namespace WavChunks {

inline void Put16(QByteArray& bytes, quint16 value) { bytes += char(value); bytes += char(value >> 8); }
inline void Put32(QByteArray& bytes, quint32 value) {
    Put16(bytes, quint16(value));
    Put16(bytes, quint16(value >> 16));
}

// A chunk of ID holding BODY, its size field CLAIMED when given, padded to an even size.
inline QByteArray Chunk(const char* id, const QByteArray& body, std::optional<quint32> claimed = {}) {
    QByteArray chunk(id, 4);
    Put32(chunk, claimed.value_or(quint32(body.size())));
    chunk += body;
    if (body.size() % 2) chunk += '\0';
    return chunk;
}

// The body of a "fmt " chunk; EXTENSIBLE wraps TAG in WAVE_FORMAT_EXTENSIBLE.
inline QByteArray Format(quint16 tag, int channels, int rate, int bits, bool extensible = false) {
    const int block = channels * ((bits + 7) / 8);
    QByteArray fmt;
    Put16(fmt, extensible ? 0xFFFE : tag);
    Put16(fmt, quint16(channels));
    Put32(fmt, quint32(rate));
    Put32(fmt, quint32(rate * block));
    Put16(fmt, quint16(block));
    Put16(fmt, quint16(bits));
    if (extensible) {
        Put16(fmt, 22);
        Put16(fmt, quint16(bits));
        Put32(fmt, 0);
        Put16(fmt, tag);
        fmt += QByteArray("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
    }
    return fmt;
}

inline QByteArray Riff(const QList<QByteArray>& chunks) {
    QByteArray file("RIFF____WAVE");
    for (const QByteArray& chunk : chunks) file += chunk;
    qToLittleEndian<quint32>(quint32(file.size() - 8), file.data() + 4);
    return file;
}

// A plain WAV file: format, then data.
inline QByteArray Wav(quint16 tag, int channels, int rate, int bits, const QByteArray& data, bool extensible = false) {
    return Riff({Chunk("fmt ", Format(tag, channels, rate, bits, extensible)), Chunk("data", data)});
}

}  // namespace WavChunks
