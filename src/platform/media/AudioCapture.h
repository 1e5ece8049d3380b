#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

// The PCM format of a recording.
struct RecordingFormat {
    int bitsPerSample = 8;  // 8 (unsigned) or 16 (signed, little-endian)
    int channels = 1;
    int samplesPerSecond = 11025;

    int BlockAlign() const { return bitsPerSample * channels / 8; }
    int BytesPerSecond() const { return samplesPerSecond * BlockAlign(); }
};

// Live sound from a GStreamer source, converted to FORMAT. Samples arrive on a streaming thread:
// either collected for a recording, or handed in chunks to a callback (the level meter).
class AudioCapture {
public:
    using ChunkHandler = std::function<void(const QByteArray& chunk)>;

    AudioCapture(const QString& source, const RecordingFormat& format);
    ~AudioCapture();
    AudioCapture(const AudioCapture&) = delete;
    AudioCapture& operator=(const AudioCapture&) = delete;

    // Starts capturing; false, with a reason, when the source cannot deliver sound.
    bool Start(QString* error = nullptr);
    // Stops and returns everything captured since Start (when no chunk handler is set).
    QByteArray Stop();
    // Delivers the sound in chunks of CHUNK_BYTES instead of collecting it.
    void SetChunkHandler(int chunkBytes, ChunkHandler handler);
    const RecordingFormat& Format() const { return m_format; }

private:
    struct Private;
    std::unique_ptr<Private> d;
    RecordingFormat m_format;
};

// A standard PCM WAV file (RIFF "WAVE", "fmt " of 16 bytes, "data").
QByteArray MakeWav(const RecordingFormat& format, const QByteArray& samples);
