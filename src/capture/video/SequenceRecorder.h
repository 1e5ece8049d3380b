#pragma once

#include "VideoCapture.h"
#include "platform/media/AudioCapture.h"

#include <QString>
#include <atomic>

typedef struct _GstMessage GstMessage;

// How a sequence is recorded: the capture configuration's choices.
struct SequenceSettings {
    VideoFormat format;              // the rate is the configuration's frame rate
    bool mjpeg = true;               // else uncompressed BGR frames
    int jpegQuality = 85;
    bool audio = false;
    QString audioSource;             // a GStreamer source; empty: the default input
    RecordingFormat audioFormat{16, 1, 11025};
    int buffers = 1000;              // frames that may wait for the encoder
    QString copyright;               // the "ICOP" text of the file's information list
};

// Records a camera into an AVI file until Stop(): video (MJPEG or raw) and, when asked, sound.
// Stopping sends end-of-stream first, so the muxer writes its index and the file is whole.
class SequenceRecorder {
public:
    SequenceRecorder() = default;
    ~SequenceRecorder();
    SequenceRecorder(const SequenceRecorder&) = delete;
    SequenceRecorder& operator=(const SequenceRecorder&) = delete;

    bool Start(const QString& source, const SequenceSettings& settings, const QString& path, QString* error = nullptr);
    // Waits up to MS for the recording to end by itself (its source ended or failed); true when
    // it did. Stop() then finishes the file with what there is, or says why it failed.
    bool EndsWithin(int ms);
    // Ends the recording and waits (up to ten seconds) for the file to be finished; false, with
    // the reason, when it could not be.
    bool Stop(QString* error = nullptr);
    bool IsRecording() const { return m_pipeline != nullptr; }
    // Video frames written so far.
    int Frames() const { return m_frames.load(); }
    // Frames dropped because every buffer was waiting for the encoder.
    int Dropped() const { return m_dropped.load(); }
    // The time the frames written so far cover.
    double Seconds() const;

private:
    // STARTNS is -1 for a frame without a time.
    void CountFrame(qint64 startNs, qint64 endNs);

    GstElement* m_pipeline = nullptr;
    GstMessage* m_end = nullptr;  // the source's end, once EndsWithin has seen it
    std::atomic<qint64> m_firstNs{-1};
    std::atomic<qint64> m_endNs{-1};
    std::atomic<int> m_frames{0};
    std::atomic<int> m_dropped{0};
};
