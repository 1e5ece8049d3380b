#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSaveFile>
#include <QString>
#include <optional>
#include <vector>

class CImageObject;

// The sound track of a movie: 16-bit PCM.
struct AviAudioFormat {
    int channels = 1;
    int sampleRate = 22050;
    int BlockAlign() const { return channels * 2; }
    int BytesPerSecond() const { return sampleRate * BlockAlign(); }
};

// Writes pictures as the frames of an uncompressed AVI file, each picture standing for a number
// of frame periods at 15 a second (empty "00db" chunks hold it), with an optional PCM track.
// Files past the RIFF limit go on in OpenDML "AVIX" parts with their standard indexes. The movie
// is written beside PATH and put in its place only by Finish: a failure, a cancel or a crash
// never leaves a cut movie, and an older file stays as it was until then.
class AviMovieWriter {
public:
    static constexpr int kRate = 15;
    static constexpr int kPeriodsPerPicture = 10;
    static constexpr qint64 kRiffLimit = qint64(1) << 30;

    struct Options {
        qint64 riffLimit = kRiffLimit;  // the size a RIFF part may reach before the next begins
        std::optional<AviAudioFormat> audio;
    };

    explicit AviMovieWriter(const QString& path);
    AviMovieWriter(const QString& path, Options options);
    ~AviMovieWriter();
    AviMovieWriter(const AviMovieWriter&) = delete;
    AviMovieWriter& operator=(const AviMovieWriter&) = delete;

    // Appends PICTURE standing PERIODS frame periods, with AUDIO (PCM of the track's format; cut
    // or filled with silence to that time). False when the writer is not usable or the picture's
    // size, depth or palette differs from the first one's; a failed write also makes the writer
    // unusable.
    bool AddFrame(const CImageObject& picture, int periods = kPeriodsPerPicture, QByteArrayView audio = {});
    // Completes the headers and indexes and puts the movie in place of the path; false when there
    // is no frame or it could not be written.
    bool Finish();
    // Why the last write failed ("No space left on device"), or why a frame was refused.
    QString ErrorString() const { return m_error; }

    const QString path;
    int frameWidth = -1;
    int frameHeight = -1;
    int frameBitsPerPixel = -1;
    int frameCount = 0;  // pictures written
    bool usable = true;

private:
    struct IndexEntry {
        quint32 chunkId;
        qint64 offset;  // of the chunk's header in the file
        quint32 size;
        bool key;
    };
    struct SuperIndexEntry {
        qint64 offset;
        quint32 size;
        quint32 duration;
    };
    struct Segment {
        qint64 riffStart = 0;
        qint64 moviStart = 0;
        std::vector<IndexEntry> video, audio;
    };

    bool Begin(const CImageObject& picture);
    bool WriteChunk(quint32 chunkId, QByteArrayView data, bool key);
    bool WriteAudio(int periods, QByteArrayView audio);
    bool MakeRoomFor(qint64 bytes);
    bool CloseSegment(bool last);
    bool StartSegment();
    QByteArray Headers() const;
    bool Write(QByteArrayView bytes);
    bool Fail(const QString& reason);

    Options m_options;
    QSaveFile m_file;
    QByteArray m_format;  // the first frame's header and colour table
    qint64 m_frameBytes = 0;
    qint64 m_periods = 0;
    qint64 m_audioBytes = 0;
    qint64 m_audioSamplesDue = 0;
    Segment m_segment;
    bool m_firstSegment = true;
    quint32 m_firstSegmentFrames = 0;
    quint32 m_firstRiffSize = 0;
    std::vector<SuperIndexEntry> m_videoSuper, m_audioSuper;
    QString m_error;
};
