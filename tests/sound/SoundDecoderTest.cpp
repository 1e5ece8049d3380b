#include "PcmWav.h"
#include "TestFiles.h"
#include "platform/media/SoundDecoder.h"

#include <gtest/gtest.h>

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
