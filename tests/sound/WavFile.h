#pragma once

#include <QByteArray>
#include <QtEndian>

// The fields of a PCM WAV file's header, and its samples.
struct WavFile {
    int channels = 0, rate = 0, bits = 0, blockAlign = 0, byteRate = 0;
    QByteArray samples;

    static WavFile Parse(const QByteArray& file) {
        WavFile wav;
        if (file.size() < 44 || !file.startsWith("RIFF") || file.mid(8, 8) != "WAVEfmt ") return wav;
        const char* p = file.constData();
        wav.channels = qFromLittleEndian<quint16>(p + 22);
        wav.rate = int(qFromLittleEndian<quint32>(p + 24));
        wav.byteRate = int(qFromLittleEndian<quint32>(p + 28));
        wav.blockAlign = qFromLittleEndian<quint16>(p + 32);
        wav.bits = qFromLittleEndian<quint16>(p + 34);
        wav.samples = file.mid(44, int(qFromLittleEndian<quint32>(p + 40)));
        return wav;
    }
    double Seconds() const { return byteRate ? double(samples.size()) / byteRate : 0; }
};
