#include "SoundPlayer.h"

#include "GstSupport.h"
#include "SoundDecoder.h"

#include <QFileInfo>
#include <QUrl>
#include <gst/app/gstappsrc.h>
#include <gst/gst.h>

namespace {

constexpr int kBusPollMs = 50;

bool Fail(QString* reason, const QString& why) {
    if (reason) *reason = why;
    return false;
}

// The output as a bin, or null when its description does not parse.
GstElement* AudioSink() {
    GError* error = nullptr;
    GstElement* sink = gst_parse_bin_from_description(DefaultAudioSink().toUtf8().constData(), TRUE, &error);
    if (error) g_error_free(error);
    return sink;
}

GstElement* FilePipeline(const QString& path) {
    GstElement* playbin = gst_element_factory_make("playbin", nullptr);
    if (!playbin) return nullptr;
    if (GstElement* sink = AudioSink()) g_object_set(playbin, "audio-sink", sink, nullptr);
    const QByteArray uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded();
    g_object_set(playbin, "uri", uri.constData(), nullptr);
    return playbin;
}

// SOUND handed to the output in one buffer, followed by the end of the stream.
GstElement* SamplesPipeline(const PcmSound& sound) {
    GstElement* sink = AudioSink();
    if (!sink) return nullptr;
    GstElement* pipeline = gst_pipeline_new(nullptr);
    GstElement* source = gst_element_factory_make("appsrc", nullptr);
    GstElement* convert = gst_element_factory_make("audioconvert", nullptr);
    GstElement* resample = gst_element_factory_make("audioresample", nullptr);
    for (GstElement* element : {source, convert, resample, sink})
        if (element) gst_bin_add(GST_BIN(pipeline), element);
    if (!source || !convert || !resample || !gst_element_link_many(source, convert, resample, sink, nullptr)) {
        gst_object_unref(pipeline);
        return nullptr;
    }
    GstCaps* caps = gst_caps_new_simple("audio/x-raw", "format", G_TYPE_STRING, "S16LE", "layout", G_TYPE_STRING,
                                        "interleaved", "rate", G_TYPE_INT, sound.format.sampleRate, "channels",
                                        G_TYPE_INT, sound.format.channels, nullptr);
    g_object_set(source, "caps", caps, "format", GST_FORMAT_TIME, nullptr);
    gst_caps_unref(caps);
    GstBuffer* buffer = gst_buffer_new_memdup(sound.samples.constData(), gsize(sound.samples.size()));
    // Timed, so that a sink that keeps time plays it for as long as it lasts.
    GST_BUFFER_PTS(buffer) = 0;
    GST_BUFFER_DURATION(buffer) = GstClockTime(sound.Seconds() * GST_SECOND);
    gst_app_src_push_buffer(GST_APP_SRC(source), buffer);
    gst_app_src_end_of_stream(GST_APP_SRC(source));
    return pipeline;
}

}  // namespace

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {
    m_busTimer.setInterval(kBusPollMs);
    connect(&m_busTimer, &QTimer::timeout, this, &SoundPlayer::PollBus);
}

SoundPlayer::~SoundPlayer() {
    if (m_pipeline) {
        gst_element_set_state(m_pipeline, GST_STATE_NULL);
        gst_object_unref(m_pipeline);
    }
}

bool SoundPlayer::Play(const QString& path, QString* reason) {
    Stop();
    // Notes we read ourselves are played from our samples: GStreamer's own WAV reader gives
    // nothing for some that recorders make, such as 8-bit ones of an odd count of bytes.
    bool other = false;
    const std::optional<PcmSound> own = SoundDecoder::DecodeOwnWav(path, other, reason);
    if (!own && !other) return false;
    if (!EnsureGstreamer()) return Fail(reason, QStringLiteral("GStreamer cannot be started"));
    GstElement* pipeline = own ? SamplesPipeline(*own) : FilePipeline(path);
    if (!pipeline) return Fail(reason, QStringLiteral("the sound output cannot be made"));
    if (gst_element_set_state(pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        const QString error = PendingPipelineError(pipeline);
        StopPipeline(pipeline);
        return Fail(reason, error.isEmpty() ? QStringLiteral("the sound cannot be played") : error);
    }
    m_pipeline = pipeline;
    m_busTimer.start();
    return true;
}

void SoundPlayer::Stop() {
    if (!m_pipeline) return;
    m_busTimer.stop();
    gst_element_set_state(m_pipeline, GST_STATE_NULL);
    gst_object_unref(m_pipeline);
    m_pipeline = nullptr;
    Q_EMIT finished();
}

void SoundPlayer::PollBus() {
    if (!m_pipeline) return;
    GstBus* bus = gst_element_get_bus(m_pipeline);
    GstMessage* message = gst_bus_pop_filtered(
        bus, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    gst_object_unref(bus);
    if (!message) return;
    gst_message_unref(message);
    Stop();
}
