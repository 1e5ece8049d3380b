#include "WavReader.h"

#include "SoundPlausibility.h"

#include <QtEndian>
#include <algorithm>
#include <bit>
#include <cmath>
#include <optional>

namespace {

constexpr quint16 kPcm = 1, kFloat = 3, kALaw = 6, kMuLaw = 7, kExtensible = 0xFFFE;
// The GUID of an extensible format's sub-format after its first two bytes, the format tag.
constexpr char kSubFormatTail[] = "\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71";
constexpr qsizetype kPlainFmtBytes = 16, kExtensibleFmtBytes = 40;

quint16 Word(QByteArrayView bytes, qsizetype at) { return qFromLittleEndian<quint16>(bytes.data() + at); }
quint32 Dword(QByteArrayView bytes, qsizetype at) { return qFromLittleEndian<quint32>(bytes.data() + at); }

WavReading Broken(const QString& reason) { return {WavReading::Kind::Broken, {}, reason}; }
WavReading OtherEncoding() { return {WavReading::Kind::OtherEncoding, {}, {}}; }

// G.711 expansion to 16-bit linear.
int ALawSample(quint8 byte) {
    byte ^= 0x55;
    const int exponent = (byte >> 4) & 7;
    int magnitude = ((byte & 0x0F) << 4) + 8;
    if (exponent > 0) magnitude = (magnitude + 0x100) << (exponent - 1);
    return byte & 0x80 ? magnitude : -magnitude;
}

int MuLawSample(quint8 byte) {
    byte = ~byte;
    const int exponent = (byte >> 4) & 7;
    const int magnitude = ((((byte & 0x0F) << 3) + 0x84) << exponent) - 0x84;
    return byte & 0x80 ? -magnitude : magnitude;
}

// The encoding of TAG with BITS to a sample, or nullopt when we leave it to others.
std::optional<WavSamples::Encoding> EncodingOf(quint16 tag, int bits) {
    using E = WavSamples::Encoding;
    switch (tag) {
    case kPcm:
        if (bits >= 1 && bits <= 8) return E::Unsigned8;
        if (bits > 8 && bits <= 32) return E::Signed;
        return std::nullopt;
    case kFloat:
        if (bits == 32 || bits == 64) return E::Float;
        return std::nullopt;
    case kALaw: return bits == 8 ? std::optional(E::ALaw) : std::nullopt;
    case kMuLaw: return bits == 8 ? std::optional(E::MuLaw) : std::nullopt;
    default: return std::nullopt;
    }
}

// The samples that the format chunk FMT (all of it there) describes over DATA.
WavReading FromFormat(QByteArrayView fmt, QByteArrayView data) {
    quint16 tag = Word(fmt, 0);
    const quint16 channels = Word(fmt, 2), blockAlign = Word(fmt, 12), bits = Word(fmt, 14);
    const quint32 rate = Dword(fmt, 4);
    if (QString why = SoundPlausibility::OfFormat(rate, channels); !why.isEmpty()) return Broken(why);
    if (tag == kExtensible) {
        if (fmt.size() < kExtensibleFmtBytes) return Broken(QStringLiteral("damaged format chunk"));
        if (fmt.sliced(26, 14) != QByteArrayView(kSubFormatTail, 14)) return OtherEncoding();
        tag = Word(fmt, 24);
    }
    const std::optional<WavSamples::Encoding> encoding = EncodingOf(tag, bits);
    if (!encoding) return OtherEncoding();
    if (QString why = SoundPlausibility::OfBlock(blockAlign, channels, bits); !why.isEmpty()) return Broken(why);
    WavSamples samples{*encoding, (bits + 7) / 8, channels, int(rate), {}};
    samples.data = data.first(data.size() - data.size() % blockAlign);
    if (samples.data.isEmpty()) return Broken(QStringLiteral("no sound in the file"));
    return {WavReading::Kind::Samples, samples, {}};
}

}  // namespace

bool IsWav(QByteArrayView file) {
    return file.size() >= 12 && file.startsWith("RIFF") && file.sliced(8, 4) == QByteArrayView("WAVE");
}

WavReading ReadWav(QByteArrayView file) {
    if (!IsWav(file)) return {};
    // The RIFF size is not trusted: the chunks run to the end of the file.
    std::optional<QByteArrayView> fmt, data;
    for (qint64 at = 12; at + 8 <= file.size() && !(fmt && data);) {
        const QByteArrayView id = file.sliced(qsizetype(at), 4);
        const qint64 size = Dword(file, qsizetype(at + 4));
        const qint64 body = at + 8;
        const QByteArrayView there = file.sliced(qsizetype(body), qsizetype(std::min(size, file.size() - body)));
        if (id == QByteArrayView("fmt ") && !fmt) fmt = there;
        if (id == QByteArrayView("data") && !data) data = there;
        at = body + size + (size & 1);
    }
    if (!fmt || fmt->size() < kPlainFmtBytes) return Broken(QStringLiteral("no complete format chunk"));
    if (!data) return Broken(QStringLiteral("no data chunk"));
    return FromFormat(*fmt, *data);
}

double WavSamples::Sample(qint64 frame, int channel) const {
    const char* at = data.data() + (frame * channels + channel) * bytesPerSample;
    const auto byte = [at](int i) { return quint8(at[i]); };
    switch (encoding) {
    case Encoding::Unsigned8: return (byte(0) - 128) / 128.0;
    case Encoding::Signed: {
        // Left-justified in a 32-bit word, whatever the container.
        quint32 word = 0;
        for (int i = 0; i < bytesPerSample; ++i) word |= quint32(byte(i)) << (8 * (i + 4 - bytesPerSample));
        return qint32(word) / 2147483648.0;
    }
    case Encoding::Float: {
        const double value = bytesPerSample == 4 ? double(std::bit_cast<float>(qFromLittleEndian<quint32>(at)))
                                                 : std::bit_cast<double>(qFromLittleEndian<quint64>(at));
        return std::isfinite(value) ? std::clamp(value, -1.0, 1.0) : 0.0;
    }
    case Encoding::ALaw: return ALawSample(byte(0)) / 32768.0;
    case Encoding::MuLaw: return MuLawSample(byte(0)) / 32768.0;
    }
    return 0;
}
