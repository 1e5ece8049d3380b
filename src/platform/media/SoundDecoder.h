#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// 16-bit signed little-endian PCM, channels interleaved.
struct PcmFormat {
    int sampleRate = 0;
    int channels = 0;
    int BytesPerFrame() const { return 2 * channels; }
    friend bool operator==(const PcmFormat&, const PcmFormat&) = default;
};

struct PcmSound {
    PcmFormat format;
    QByteArray samples;
    double Seconds() const {
        return format.sampleRate > 0 ? double(samples.size() / format.BytesPerFrame()) / format.sampleRate : 0.0;
    }
};

// Sound files as PCM: WAV files in the encodings WavReader knows read by us, any other kind
// GStreamer decodes through it. Safe to call from any thread.
namespace SoundDecoder {

// The rate and channel count of the sound in PATH, from its first decoded buffer.
std::optional<PcmFormat> Probe(const QString& path, QString* reason = nullptr);
// The whole sound in PATH converted to FORMAT; nullopt with REASON when it cannot be decoded or
// would take more than maxBytes.
std::optional<PcmSound> Decode(const QString& path, PcmFormat format, QString* reason = nullptr);

// The sound in PATH at its own rate and channels when it is a WAV file our reader knows; nullopt
// with REASON when it cannot be heard, or with OTHER set when only GStreamer may know it.
std::optional<PcmSound> DecodeOwnWav(const QString& path, bool& other, QString* reason = nullptr);

inline constexpr qint64 kMaxBytes = qint64(512) << 20;

}  // namespace SoundDecoder
