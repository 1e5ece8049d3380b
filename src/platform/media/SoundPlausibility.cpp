#include "SoundPlausibility.h"

#include <QtEndian>

namespace {

constexpr quint16 kPcm = 1, kFloat = 3, kExtensible = 0xFFFE;

quint16 Word(QByteArrayView bytes, qsizetype at) { return qFromLittleEndian<quint16>(bytes.data() + at); }
quint32 Dword(QByteArrayView bytes, qsizetype at) { return qFromLittleEndian<quint32>(bytes.data() + at); }

}  // namespace

namespace SoundPlausibility {

QString OfFormat(qint64 rate, int channels) {
    if (rate <= 0 || rate > kMaxRate) return QStringLiteral("implausible sample rate of %1 Hz").arg(rate);
    if (channels <= 0 || channels > kMaxChannels) return QStringLiteral("implausible count of %1 channels").arg(channels);
    return {};
}

QString OfBlock(int blockAlign, int channels, int bits) {
    if (blockAlign == channels * ((bits + 7) / 8)) return {};
    return QStringLiteral("implausible block of %1 bytes for %2 channels of %3 bits").arg(blockAlign).arg(channels).arg(bits);
}

QString OfWavHeader(QByteArrayView head) {
    if (head.size() < 12 || !head.startsWith("RIFF") || head.sliced(8, 4) != QByteArrayView("WAVE")) return {};
    // Chunks follow one another, each padded to an even size, until "fmt ".
    for (qsizetype at = 12; at + 8 <= head.size();) {
        const quint32 size = Dword(head, at + 4);
        if (head.sliced(at, 4) != QByteArrayView("fmt ")) {
            at += 8 + qsizetype(size) + (size & 1);
            continue;
        }
        if (size < 16 || at + 8 + 16 > head.size()) return {};
        const qsizetype fmt = at + 8;
        const quint16 tag = Word(head, fmt), channels = Word(head, fmt + 2), blockAlign = Word(head, fmt + 12),
                      bits = Word(head, fmt + 14);
        const quint32 rate = Dword(head, fmt + 4);
        if (QString why = OfFormat(rate, channels); !why.isEmpty()) return why;
        // Compressed formats have blocks of their own size; uncompressed ones a sample of each channel.
        if (tag == kPcm || tag == kFloat || tag == kExtensible) return OfBlock(blockAlign, channels, bits);
        return {};
    }
    return {};
}

}  // namespace SoundPlausibility
