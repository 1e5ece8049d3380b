#include "TestFiles.h"
#include "sound/LevelMeter.h"
#include "sound/ui/LevelMeterDialog.h"

#include <QTest>
#include <gtest/gtest.h>

TEST(LevelMeter, SilentLeftAndFullRightGiveZeroAndFull) {
    QByteArray buffer;
    for (int i = 0; i < 1000; ++i) {
        const qint16 right = (i % 2) ? 32767 : -32768;
        buffer.append(2, '\0');
        buffer.append(char(right & 0xFF));
        buffer.append(char((right >> 8) & 0xFF));
    }
    const auto levels = LevelMeter::ChannelLevels(buffer, 16, 2);
    EXPECT_EQ(levels[0], 0);
    EXPECT_GE(levels[1], 99);
    EXPECT_LE(levels[1], 100);

    const QByteArray eight("\x80\x80\x00\xFF", 4);  // mono 8-bit: silence, silence, -128, +127
    EXPECT_EQ(LevelMeter::ChannelLevels(eight, 8, 1)[0], 100);
    EXPECT_EQ(LevelMeter::ChannelLevels(QByteArray(10, char(0x80)), 8, 1)[0], 0);
}

TEST(LevelMeter, ThePeakFallsBackWhenTheInputStops) {
    int peak = LevelMeter::DecayPeak(0, 90);
    EXPECT_EQ(peak, 90);
    EXPECT_EQ(LevelMeter::DecayPeak(peak, 0), 88);
    for (int buffer = 0; buffer < 100; ++buffer) peak = LevelMeter::DecayPeak(peak, 0);  // 5 s
    EXPECT_LT(peak, 15);
    EXPECT_EQ(LevelMeter::DecayPeak(peak, 40), 40);
}

TEST(LevelMeter, DialogShowsTheLiveInputOnItsMeters) {
    LevelMeterDialog stereo({16, 2, 22050}, "audiotestsrc is-live=true wave=sine volume=0.8", nullptr);
    EXPECT_EQ(stereo.windowTitle(), QStringLiteral("Recording Level (stereo)"));
    ASSERT_TRUE(stereo.Start());
    ASSERT_TRUE(WaitFor([&] { return stereo.Meter(0)->Level() > 50; }));
    EXPECT_GT(stereo.Meter(1)->Level(), 50);
    EXPECT_GE(stereo.Meter(0)->Peak(), stereo.Meter(0)->Level());

    LevelMeterDialog mono({8, 1, 11025}, "audiotestsrc is-live=true", nullptr);
    EXPECT_EQ(mono.windowTitle(), QStringLiteral("Recording Level (mono)"));
    EXPECT_EQ(mono.Meter(1), nullptr);

    qputenv("PULSE_SERVER", "unix:/nonexistent/albora-test");
    LevelMeterDialog none({8, 1, 11025}, "pulsesrc", nullptr);
    EXPECT_FALSE(none.Start());
    qunsetenv("PULSE_SERVER");
}
