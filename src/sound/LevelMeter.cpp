#include "LevelMeter.h"

#include <algorithm>
#include <cstdlib>

namespace LevelMeter {

std::array<int, 2> ChannelLevels(const QByteArray& buffer, int bitsPerSample, int channels) {
    std::array<int, 2> levels{0, 0};
    const int sampleBytes = bitsPerSample / 8;
    const int frameBytes = sampleBytes * channels;
    if (frameBytes <= 0) return levels;
    const auto* data = reinterpret_cast<const unsigned char*>(buffer.constData());
    const qsizetype frames = buffer.size() / frameBytes;
    for (qsizetype f = 0; f < frames; ++f) {
        const unsigned char* frame = data + f * frameBytes;
        for (int c = 0; c < std::min(channels, 2); ++c) {
            const unsigned char* sample = frame + c * sampleBytes;
            const int level = sampleBytes == 1 ? std::abs(int(sample[0]) - 128) * 100 / 128
                                               : std::abs(int(static_cast<signed char>(sample[1]))) * 100 / 128;
            levels[c] = std::max(levels[c], level);
        }
    }
    return levels;
}

int DecayPeak(int peak, int level) { return std::max(level, peak * 2007 / 2048); }

}  // namespace LevelMeter
