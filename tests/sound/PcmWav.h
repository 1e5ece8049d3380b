#pragma once

#include <QByteArray>
#include <QtEndian>
#include <cmath>

// A 16-bit PCM WAV file of SECONDS of a tone, as any recorder writes it.
inline QByteArray PcmWav(int rate, int channels, double seconds, double hertz = 440) {
    const int frames = int(std::lround(rate * seconds));
    QByteArray samples(qsizetype(frames) * channels * 2, '\0');
    auto* out = reinterpret_cast<qint16*>(samples.data());
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            qToLittleEndian<qint16>(qint16(8000 * std::sin(2 * M_PI * hertz * i / rate)), out++);
    QByteArray wav("RIFF____WAVEfmt ");
    const auto put32 = [&wav](quint32 v) { wav.append(reinterpret_cast<const char*>(&v), 4); };
    const auto put16 = [&wav](quint16 v) { wav.append(reinterpret_cast<const char*>(&v), 2); };
    put32(16);
    put16(1);
    put16(quint16(channels));
    put32(quint32(rate));
    put32(quint32(rate * channels * 2));
    put16(quint16(channels * 2));
    put16(16);
    wav += "data";
    put32(quint32(samples.size()));
    wav += samples;
    qToLittleEndian<quint32>(quint32(wav.size() - 8), wav.data() + 4);
    return wav;
}
