#pragma once

#include <QByteArray>
#include <array>

// The recording level of sound buffers: per channel the largest distance from silence, 0 to 100.
namespace LevelMeter {

// 8-bit samples are unsigned (|s - 128| * 100 / 128); 16-bit samples count by their signed high
// byte (|h| * 100 / 128). Channels beyond the second are ignored.
std::array<int, 2> ChannelLevels(const QByteArray& buffer, int bitsPerSample, int channels);

// The peak marker holds the highest level and falls by about 2 % a buffer.
int DecayPeak(int peak, int level);

}  // namespace LevelMeter
