#include "AudioCapture.h"

#include "GstSupport.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>

#include <QtEndian>
#include <cstring>
#include <mutex>

struct AudioCapture::Private {
    QString source;
    GstElement* pipeline = nullptr;
    std::mutex mutex;
    QByteArray collected;
    QByteArray pending;
    int chunkBytes = 0;
    ChunkHandler handler;

    static GstFlowReturn OnSample(GstAppSink* sink, gpointer data) {
        auto* self = static_cast<Private*>(data);
        GstSample* sample = gst_app_sink_pull_sample(sink);
        if (!sample) return GST_FLOW_EOS;
        GstBuffer* buffer = gst_sample_get_buffer(sample);
        GstMapInfo map;
        if (buffer && gst_buffer_map(buffer, &map, GST_MAP_READ)) {
            self->Take(reinterpret_cast<const char*>(map.data), qsizetype(map.size));
            gst_buffer_unmap(buffer, &map);
        }
        gst_sample_unref(sample);
        return GST_FLOW_OK;
    }

    void Take(const char* data, qsizetype size) {
        std::lock_guard lock(mutex);
        if (!handler) {
            collected.append(data, size);
            return;
        }
        pending.append(data, size);
        while (pending.size() >= chunkBytes) {
            handler(pending.left(chunkBytes));
            pending.remove(0, chunkBytes);
        }
    }
};

AudioCapture::AudioCapture(const QString& source, const RecordingFormat& format)
    : d(std::make_unique<Private>()), m_format(format) {
    d->source = source;
}

AudioCapture::~AudioCapture() { Stop(); }

void AudioCapture::SetChunkHandler(int chunkBytes, ChunkHandler handler) {
    std::lock_guard lock(d->mutex);
    d->chunkBytes = std::max(chunkBytes, m_format.BlockAlign());
    d->handler = std::move(handler);
}

bool AudioCapture::Start(QString* error) {
    Stop();
    const QString description =
        QStringLiteral("%1 ! audioconvert ! audioresample ! "
                       "audio/x-raw,format=%2,channels=%3,rate=%4,layout=interleaved ! "
                       "appsink name=sink sync=false")
            .arg(d->source, m_format.bitsPerSample == 8 ? "U8" : "S16LE")
            .arg(m_format.channels)
            .arg(m_format.samplesPerSecond);
    d->pipeline = StartPipeline(description, error, [this](GstElement* pipeline) {
        GstElement* sink = gst_bin_get_by_name(GST_BIN(pipeline), "sink");
        GstAppSinkCallbacks callbacks{};
        callbacks.new_sample = &Private::OnSample;
        gst_app_sink_set_callbacks(GST_APP_SINK(sink), &callbacks, d.get(), nullptr);
        gst_object_unref(sink);
    });
    return d->pipeline != nullptr;
}

QByteArray AudioCapture::Stop() {
    StopPipeline(d->pipeline);
    std::lock_guard lock(d->mutex);
    QByteArray samples = std::move(d->collected);
    d->collected.clear();
    d->pending.clear();
    return samples;
}

QByteArray MakeWav(const RecordingFormat& format, const QByteArray& samples) {
    QByteArray wav(44, '\0');
    char* p = wav.data();
    const auto dataBytes = std::uint32_t(samples.size());
    std::memcpy(p, "RIFF", 4);
    qToLittleEndian<std::uint32_t>(36 + dataBytes + (dataBytes & 1), p + 4);
    std::memcpy(p + 8, "WAVEfmt ", 8);
    qToLittleEndian<std::uint32_t>(16, p + 16);
    qToLittleEndian<std::uint16_t>(1, p + 20);  // PCM
    qToLittleEndian<std::uint16_t>(std::uint16_t(format.channels), p + 22);
    qToLittleEndian<std::uint32_t>(std::uint32_t(format.samplesPerSecond), p + 24);
    qToLittleEndian<std::uint32_t>(std::uint32_t(format.BytesPerSecond()), p + 28);
    qToLittleEndian<std::uint16_t>(std::uint16_t(format.BlockAlign()), p + 32);
    qToLittleEndian<std::uint16_t>(std::uint16_t(format.bitsPerSample), p + 34);
    std::memcpy(p + 36, "data", 4);
    qToLittleEndian<std::uint32_t>(dataBytes, p + 40);
    wav.append(samples);
    if (samples.size() & 1) wav.append('\0');
    return wav;
}
