#pragma once

#include <QByteArrayView>
#include <QString>

// The samples of a WAV file whose encoding we read ourselves, viewed in the file's bytes.
struct WavSamples {
    enum class Encoding { Unsigned8, Signed, Float, ALaw, MuLaw };
    Encoding encoding = Encoding::Signed;
    int bytesPerSample = 0;  // of one channel
    int channels = 0;
    int sampleRate = 0;
    QByteArrayView data;  // whole frames only

    qint64 Frames() const { return data.size() / (qint64(bytesPerSample) * channels); }
    // The sample of CHANNEL in FRAME, in [-1, 1].
    double Sample(qint64 frame, int channel) const;
};

struct WavReading {
    enum class Kind {
        Samples,       // SAMPLES hold the sound
        NotWav,        // no RIFF/WAVE file
        OtherEncoding, // a WAV file in an encoding we leave to others (ADPCM, GSM, ...)
        Broken         // REASON says why it cannot be heard
    };
    Kind kind = Kind::NotWav;
    WavSamples samples;
    QString reason;
};

// RIFF/WAVE with "fmt " and "data" in any order; PCM of 8 to 32 bits, IEEE float of 32 and 64
// bits, A-law and µ-law, plain or in WAVE_FORMAT_EXTENSIBLE. Cameras and editors write chunk and
// file sizes that lie: a data chunk longer than the file holds what is there.
WavReading ReadWav(QByteArrayView file);

// Whether FILE starts as a RIFF/WAVE file.
bool IsWav(QByteArrayView file);
