#include "PcmConversion.h"

#include "SoundPlausibility.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <new>

namespace {

// Output channel CHANNEL of OUTCHANNELS in FRAME: the input channels it stands for averaged.
double Mixed(const WavSamples& samples, qint64 frame, int channel, int outChannels) {
    if (outChannels >= samples.channels) return samples.Sample(frame, channel % samples.channels);
    double sum = 0;
    int count = 0;
    for (int c = channel; c < samples.channels; c += outChannels, ++count) sum += samples.Sample(frame, c);
    return sum / count;
}

// Output channel CHANNEL of frame FRAME at the output rate.
double Resampled(const WavSamples& samples, const PcmFormat& format, qint64 frame, int channel) {
    const qint64 inRate = samples.sampleRate, outRate = format.sampleRate, last = samples.Frames() - 1;
    const qint64 first = std::min(frame * inRate / outRate, last);
    if (inRate > outRate) {
        // Every input frame the output frame spans counts, so that high tones do not fold down.
        const qint64 end = std::clamp((frame + 1) * inRate / outRate, first + 1, last + 1);
        double sum = 0;
        for (qint64 f = first; f < end; ++f) sum += Mixed(samples, f, channel, format.channels);
        return sum / double(end - first);
    }
    const double weight = double(frame * inRate % outRate) / double(outRate);
    const double a = Mixed(samples, first, channel, format.channels);
    if (weight == 0 || first == last) return a;
    return a + weight * (Mixed(samples, first + 1, channel, format.channels) - a);
}

}  // namespace

std::optional<QByteArray> ConvertToPcm(const WavSamples& samples, PcmFormat format, qint64 maxBytes, QString* reason) {
    const auto fail = [reason](const char* why) {
        if (reason) *reason = QString::fromLatin1(why);
        return std::nullopt;
    };
    if (const QString why = SoundPlausibility::OfFormat(format.sampleRate, format.channels); !why.isEmpty()) {
        if (reason) *reason = why;
        return std::nullopt;
    }
    const qint64 inFrames = samples.Frames();
    const qint64 outFrames = (inFrames * format.sampleRate + samples.sampleRate / 2) / samples.sampleRate;
    if (outFrames * format.BytesPerFrame() > maxBytes) return fail("sound too long");
    QByteArray pcm;
    try {
        pcm.resize(qsizetype(outFrames * format.BytesPerFrame()));
    } catch (const std::bad_alloc&) {
        return fail("out of memory");
    }
    auto* out = reinterpret_cast<uchar*>(pcm.data());
    for (qint64 frame = 0; frame < outFrames; ++frame)
        for (int channel = 0; channel < format.channels; ++channel, out += 2) {
            const double value = std::round(Resampled(samples, format, frame, channel) * 32768);
            qToLittleEndian<qint16>(qint16(std::clamp(value, -32768.0, 32767.0)), out);
        }
    return pcm;
}
