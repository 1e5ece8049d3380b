// Feeds arbitrary bytes to our WAV reader and converts what it reads, mixed and resampled.
#include "platform/media/PcmConversion.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const WavReading reading = ReadWav(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (reading.kind != WavReading::Kind::Samples) return 0;
    // Small enough to stay fast, large enough that short inputs are converted whole.
    constexpr qint64 kMaxBytes = 1 << 20;
    for (const PcmFormat format : {PcmFormat{reading.samples.sampleRate, reading.samples.channels}, PcmFormat{44100, 2},
                                   PcmFormat{8000, 1}}) {
        const std::optional<QByteArray> pcm = ConvertToPcm(reading.samples, format, kMaxBytes);
        if (pcm && pcm->size() % format.BytesPerFrame() != 0) __builtin_trap();
    }
    return 0;
}
