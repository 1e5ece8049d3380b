#include "TestFiles.h"
#include "WavChunks.h"
#include "platform/media/SoundDecoder.h"

#include <gtest/gtest.h>
#include <bit>
#include <vector>

using namespace WavChunks;

namespace {

std::vector<qint16> Values(const QByteArray& pcm) {
    std::vector<qint16> values;
    for (qsizetype at = 0; at + 1 < pcm.size(); at += 2) values.push_back(qFromLittleEndian<qint16>(pcm.constData() + at));
    return values;
}

QByteArray Bytes(std::initializer_list<int> bytes) {
    QByteArray data;
    for (const int byte : bytes) data += char(byte);
    return data;
}

QByteArray Floats(std::initializer_list<float> values) {
    QByteArray data;
    for (const float value : values) Put32(data, std::bit_cast<quint32>(value));
    return data;
}

QByteArray Doubles(std::initializer_list<double> values) {
    QByteArray data;
    for (const double value : values) {
        const quint64 word = std::bit_cast<quint64>(value);
        Put32(data, quint32(word));
        Put32(data, quint32(word >> 32));
    }
    return data;
}

// The note decoded in its own format, with the reason as the failure's message.
std::vector<qint16> DecodedAsItIs(ScopedTestDir& dir, const QByteArray& wav) {
    dir.Write("note.wav", wav);
    QString reason;
    const std::optional<PcmFormat> format = SoundDecoder::Probe(dir.Path("note.wav"), &reason);
    EXPECT_TRUE(format) << reason.toStdString();
    if (!format) return {};
    const std::optional<PcmSound> sound = SoundDecoder::Decode(dir.Path("note.wav"), *format, &reason);
    EXPECT_TRUE(sound) << reason.toStdString();
    return sound ? Values(sound->samples) : std::vector<qint16>{};
}

}  // namespace

TEST(WavReader, EveryEncodingBecomesTheSamplesItHolds) {
    ScopedTestDir dir;
    const struct {
        const char* name;
        quint16 tag;
        int bits;
        QByteArray data;
        std::vector<qint16> expected;
    } cases[] = {
        {"unsigned 8", 1, 8, Bytes({0x00, 0x80, 0xFF}), {-32768, 0, 32512}},
        {"signed 16", 1, 16, Bytes({0x00, 0x80, 0x00, 0x00, 0xFF, 0x7F}), {-32768, 0, 32767}},
        {"signed 24", 1, 24, Bytes({0x00, 0x00, 0x80, 0x00, 0x01, 0x00, 0xFF, 0xFF, 0x7F}), {-32768, 1, 32767}},
        {"signed 32", 1, 32, Bytes({0, 0, 0, 0x80, 0, 0, 1, 0, 0xFF, 0xFF, 0xFF, 0x7F}), {-32768, 1, 32767}},
        {"float 32", 3, 32, Floats({-1.0f, 0.5f, 2.0f}), {-32768, 16384, 32767}},
        {"float 64", 3, 64, Doubles({-0.25, 0, 1.0}), {-8192, 0, 32767}},
        {"A-law", 6, 8, Bytes({0xD5, 0x55, 0xAA, 0x2A}), {8, -8, 32256, -32256}},
        {"mu-law", 7, 8, Bytes({0xFF, 0x7F, 0x80, 0x00}), {0, 0, 32124, -32124}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodedAsItIs(dir, Wav(c.tag, 1, 8000, c.bits, c.data)), c.expected) << c.name;
        EXPECT_EQ(DecodedAsItIs(dir, Wav(c.tag, 1, 8000, c.bits, c.data, true)), c.expected) << c.name << " extensible";
    }
}

// The notes of old cameras: 8-bit mono at 11025 Hz, an odd count of bytes with its pad byte,
// chunks in any order, sizes that lie.
TEST(WavReader, OddNotesOfOldCamerasAreHeard) {
    ScopedTestDir dir;
    QByteArray data;
    for (int i = 0; i < 11025; ++i) data += char(i % 2 ? 0xC0 : 0x40);
    const QByteArray fmt = Chunk("fmt ", Format(1, 1, 11025, 8));
    const struct {
        const char* name;
        QByteArray wav;
    } cases[] = {
        {"odd data, then more chunks", Riff({fmt, Chunk("data", data), Chunk("LIST", "INFOISFT\3\0\0\0abc")})},
        {"data before fmt", Riff({Chunk("data", data), Chunk("JUNK", "x"), fmt})},
        {"data longer than the file", Riff({fmt, Chunk("data", data, 1u << 30)})},
    };
    for (const auto& c : cases) {
        dir.Write("note.wav", c.wav);
        QString reason;
        const std::optional<PcmFormat> format = SoundDecoder::Probe(dir.Path("note.wav"), &reason);
        ASSERT_TRUE(format) << c.name << ": " << reason.toStdString();
        EXPECT_EQ(*format, (PcmFormat{11025, 1})) << c.name;
        // Doubled in rate and channels: each sample twice on both sides, the one between halfway.
        const std::optional<PcmSound> sound = SoundDecoder::Decode(dir.Path("note.wav"), PcmFormat{22050, 2}, &reason);
        ASSERT_TRUE(sound) << c.name << ": " << reason.toStdString();
        // The last pad or chunk byte of a data size that lies counts as a sample.
        EXPECT_NEAR(sound->Seconds(), 1.0, 0.01) << c.name;
        const std::vector<qint16> values = Values(sound->samples);
        ASSERT_GE(values.size(), 8u);
        EXPECT_EQ(std::vector<qint16>(values.begin(), values.begin() + 8),
                  (std::vector<qint16>{-16384, -16384, 0, 0, 16384, 16384, 0, 0}))
            << c.name;
    }
}

TEST(WavReader, ChannelsAreMixedAndRatesChangedOnTheWayToTheFormatAskedFor) {
    ScopedTestDir dir;
    QByteArray stereo;  // left 1000, right 3000
    for (int i = 0; i < 8; ++i) {
        Put16(stereo, 1000);
        Put16(stereo, 3000);
    }
    dir.Write("stereo.wav", Wav(1, 2, 16000, 16, stereo));
    QString reason;
    const auto mono = SoundDecoder::Decode(dir.Path("stereo.wav"), PcmFormat{16000, 1}, &reason);
    ASSERT_TRUE(mono) << reason.toStdString();
    EXPECT_EQ(Values(mono->samples), std::vector<qint16>(8, 2000));

    // Down to a quarter of the rate, each output sample stands for the four it spans.
    QByteArray ramp;
    for (int i = 0; i < 16; ++i) Put16(ramp, quint16(i * 100));
    dir.Write("ramp.wav", Wav(1, 1, 44100, 16, ramp));
    const auto slow = SoundDecoder::Decode(dir.Path("ramp.wav"), PcmFormat{11025, 1}, &reason);
    ASSERT_TRUE(slow) << reason.toStdString();
    EXPECT_EQ(Values(slow->samples), (std::vector<qint16>{150, 550, 950, 1350}));

    // Six channels to two: the even ones left, the odd ones right.
    QByteArray six;
    for (const int value : {100, 200, 300, 400, 500, 600}) Put16(six, quint16(value));
    dir.Write("six.wav", Wav(1, 6, 8000, 16, six));
    const auto two = SoundDecoder::Decode(dir.Path("six.wav"), PcmFormat{8000, 2}, &reason);
    ASSERT_TRUE(two) << reason.toStdString();
    EXPECT_EQ(Values(two->samples), (std::vector<qint16>{300, 400}));
}

TEST(WavReader, ABrokenWavFileIsRefusedWithTheReason) {
    ScopedTestDir dir;
    const QByteArray fmt = Chunk("fmt ", Format(1, 1, 8000, 16));
    const struct {
        const char* name;
        QByteArray wav;
        const char* reason;
    } cases[] = {
        {"no data", Riff({fmt}), "no data chunk"},
        {"no fmt", Riff({Chunk("data", "abcd")}), "no complete format chunk"},
        {"short fmt", Riff({Chunk("fmt ", Format(1, 1, 8000, 16).left(12)), Chunk("data", "abcd")}), "no complete format chunk"},
        {"short extensible", Riff({Chunk("fmt ", Format(1, 1, 8000, 16, true).left(30)), Chunk("data", "abcd")}),
         "damaged format chunk"},
        {"half a sample", Riff({fmt, Chunk("data", "a")}), "no sound in the file"},
        {"zero rate", Wav(1, 1, 0, 16, "abcd"), "implausible sample rate of 0 Hz"},
        {"no channels", Wav(1, 0, 8000, 16, "abcd"), "implausible count of 0 channels"},
    };
    for (const auto& c : cases) {
        dir.Write("note.wav", c.wav);
        QString reason;
        EXPECT_FALSE(SoundDecoder::Probe(dir.Path("note.wav"), &reason)) << c.name;
        EXPECT_EQ(reason, QString::fromLatin1(c.reason)) << c.name;
        reason.clear();
        EXPECT_FALSE(SoundDecoder::Decode(dir.Path("note.wav"), PcmFormat{8000, 1}, &reason)) << c.name;
        EXPECT_EQ(reason, QString::fromLatin1(c.reason)) << c.name;
    }
}
