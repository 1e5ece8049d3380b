#pragma once

#include "image/CImageObject.h"

#include <QSize>
#include <QString>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

typedef struct _GstElement GstElement;
typedef struct _GstSample GstSample;

// The size and rate asked of a camera; empty or zero leaves the choice to the device.
struct VideoFormat {
    QSize size;
    double framesPerSecond = 0;
    // What the camera itself sends ("video/x-raw,format=YUY2", "image/jpeg"); empty: its choice.
    QString encoding;
};

// One of a picture control's settings (brightness, contrast, hue, saturation).
struct BalanceChannel {
    QString label;
    int minimum = 0;
    int maximum = 0;
    int value = 0;
};

// A camera's live picture: the source (a capture driver's pipeline) converted to 24-bit frames,
// of which the newest is kept. Frames arrive on GStreamer's streaming thread. While connected it
// is listed in VideoSourceRegistry, so others see its source busy and may share its frames. The
// source's end (a camera unplugged, a network stream closed) or failure is watched for: its last
// frame stays the newest, but no new one is waited for.
class VideoCapture {
public:
    VideoCapture() = default;
    ~VideoCapture();
    VideoCapture(const VideoCapture&) = delete;
    VideoCapture& operator=(const VideoCapture&) = delete;

    // Connects to SOURCE (a GStreamer source description) in FORMAT; false, with the reason, when
    // the source cannot deliver.
    bool Connect(const QString& source, const VideoFormat& format, QString* error = nullptr);
    void Disconnect();
    bool IsConnected() const { return m_pipeline != nullptr; }
    const QString& Source() const { return m_source; }

    // The newest frame as a 24-bit picture, waiting up to TIMEOUT_MS for the first one.
    CImageObject NewestFrame(int timeoutMs = 5000);
    // The newest frame if one came after the NUMBER-th, waiting up to TIMEOUT_MS for one; NUMBER
    // becomes its number. Numbers grow with every frame of every camera of the process, so a
    // camera connected again never repeats one. Invalid when none came.
    CImageObject NewFrame(quint64& number, int timeoutMs);
    // The size of the frames, once one has come.
    QSize FrameSize();
    // What the camera sends now, as agreed with it; empty before it has started.
    VideoFormat CurrentFormat() const;
    // Called on the streaming thread after each new frame (the preview's repaint request).
    void SetFrameHandler(std::function<void()> handler);
    // Why the source ended or failed, once; empty while it runs.
    QString PendingError();

    // The picture controls: the camera's own where it has them, else a balance step of our own.
    std::vector<BalanceChannel> Balance() const;
    void SetBalance(const QString& label, int value);

private:
    static int OnSample(void* sink, void* self);
    static int OnBusMessage(void* message, void* self);
    GstElement* BalanceElement() const;

    QString m_source;
    GstElement* m_pipeline = nullptr;
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    GstSample* m_newest = nullptr;
    quint64 m_newestNumber = 0;
    bool m_ended = false;
    QString m_endReason;  // until PendingError hands it out
    std::function<void()> m_onFrame;
};

// The GStreamer caps text for FORMAT on raw video of FORMAT_NAME ("BGR").
QString VideoCaps(const char* formatName, const VideoFormat& format);
