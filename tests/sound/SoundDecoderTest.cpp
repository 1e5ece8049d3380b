#include "PcmWav.h"
#include "TestFiles.h"
#include "platform/media/SoundDecoder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(SoundDecoder, ReadsTheFormatAndConvertsTheWholeSoundToTheOneAskedFor) {
    ScopedTestDir dir;
    dir.Write("mono.wav", PcmWav(22050, 1, 1.5));
    QString reason;
    const auto format = SoundDecoder::Probe(dir.Path("mono.wav"), &reason);
    ASSERT_TRUE(format) << reason.toStdString();
    EXPECT_EQ(*format, (PcmFormat{22050, 1}));

    const auto same = SoundDecoder::Decode(dir.Path("mono.wav"), *format, &reason);
    ASSERT_TRUE(same) << reason.toStdString();
    EXPECT_EQ(same->samples.size(), 22050 * 3);
    EXPECT_DOUBLE_EQ(same->Seconds(), 1.5);

    const auto wider = SoundDecoder::Decode(dir.Path("mono.wav"), PcmFormat{44100, 2}, &reason);
    ASSERT_TRUE(wider) << reason.toStdString();
    EXPECT_NEAR(wider->Seconds(), 1.5, 0.01);
    EXPECT_EQ(wider->samples.size() % 4, 0);
}

TEST(SoundDecoder, WhatIsNoSoundFailsWithAReasonInsteadOfWaiting) {
    ScopedTestDir dir;
    dir.Write("noise.wav", QByteArray(5000, 'x'));
    dir.Write("cut.wav", PcmWav(8000, 1, 1).left(30));
    for (const char* name : {"noise.wav", "cut.wav", "missing.wav"}) {
        QString reason;
        EXPECT_FALSE(SoundDecoder::Probe(dir.Path(name), &reason)) << name;
        EXPECT_FALSE(reason.isEmpty()) << name;
        reason.clear();
        EXPECT_FALSE(SoundDecoder::Decode(dir.Path(name), PcmFormat{8000, 1}, &reason)) << name;
        EXPECT_FALSE(reason.isEmpty()) << name;
    }
}

// A header claiming what no recorder makes is refused before GStreamer converts to it: a 4 KB
// note claiming 2147483647 Hz would otherwise become gigabytes.
TEST(SoundDecoder, ANoteWhoseHeaderIsImplausibleIsRefusedWithTheReason) {
    ScopedTestDir dir;
    const auto patched = [](int at, quint32 value, int bytes) {
        QByteArray wav = PcmWav(8000, 2, 0.25);
        for (int i = 0; i < bytes; ++i) wav[at + i] = char(value >> (8 * i));
        return wav;
    };
    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } cases[] = {{"fast.wav", patched(24, 2147483647u, 4), "implausible sample rate of 2147483647 Hz"},
                 {"faster.wav", patched(24, 0xFFFFFFFFu, 4), "implausible sample rate of 4294967295 Hz"},
                 {"many.wav", patched(22, 200, 2), "implausible count of 200 channels"},
                 {"block.wav", patched(32, 3, 2), "implausible block of 3 bytes for 2 channels of 16 bits"}};
    for (const auto& c : cases) {
        dir.Write(c.name, c.bytes);
        QString reason;
        EXPECT_FALSE(SoundDecoder::Probe(dir.Path(c.name), &reason)) << c.name;
        EXPECT_EQ(reason, QString::fromLatin1(c.reason)) << c.name;
        reason.clear();
        EXPECT_FALSE(SoundDecoder::Decode(dir.Path(c.name), PcmFormat{44100, 2}, &reason)) << c.name;
        EXPECT_EQ(reason, QString::fromLatin1(c.reason)) << c.name;
    }
    // At the limits a sound is still one.
    dir.Write("high.wav", PcmWav(384000, 8, 0.01));
    QString reason;
    const auto high = SoundDecoder::Probe(dir.Path("high.wav"), &reason);
    ASSERT_TRUE(high) << reason.toStdString();
    EXPECT_EQ(*high, (PcmFormat{384000, 8}));
}

TEST(SoundDecoder, ANoteThatIsNoRegularFileIsNotWaitedOn) {
    ScopedTestDir dir;
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.Path("pipe.wav")).constData(), 0600), 0);
    QString reason;
    EXPECT_FALSE(SoundDecoder::Probe(dir.Path("pipe.wav"), &reason));
    EXPECT_EQ(reason, QStringLiteral("not a regular file"));
}
