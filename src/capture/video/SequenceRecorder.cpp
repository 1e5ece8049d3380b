#include "SequenceRecorder.h"

#include "platform/media/GstSupport.h"

#include <gst/gst.h>

#include <algorithm>
#include <utility>

namespace {

// A quoted location for gst_parse_launch: a path with blanks or quotes stays one value.
QString Quoted(QString text) {
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

constexpr int kMostWaitingBytes = 256 << 20;

}  // namespace

SequenceRecorder::~SequenceRecorder() { Stop(); }

bool SequenceRecorder::Start(const QString& source, const SequenceSettings& s, const QString& path, QString* error) {
    Stop();
    m_frames = 0;
    m_dropped = 0;
    m_firstNs = -1;
    m_endNs = -1;
    const QString encoder = s.mjpeg ? QStringLiteral("jpegenc name=encoder quality=%1").arg(s.jpegQuality)
                                    : QStringLiteral("identity name=encoder");
    // The buffers are the frames that may wait for the encoder, within a memory bound; when they
    // are all taken the oldest is dropped rather than the camera held up.
    QString description = QStringLiteral("%1 ! videoconvert ! videoscale ! videorate ! %2 ! "
                                         "queue name=buffers leaky=downstream max-size-buffers=%3 max-size-bytes=%4 "
                                         "max-size-time=0 ! %5 ! avimux name=mux ! filesink location=%6")
                              .arg(source, VideoCaps(s.mjpeg ? "I420" : "BGR", s.format),
                                   QString::number(std::max(s.buffers, 1)), QString::number(kMostWaitingBytes), encoder,
                                   Quoted(path));
    if (s.audio) {
        const RecordingFormat& a = s.audioFormat;
        description += QStringLiteral(" %1 ! audioconvert ! audioresample ! audio/x-raw,format=%2,channels=%3,rate=%4 ! "
                                      "queue ! mux.")
                           .arg(s.audioSource.isEmpty() ? DefaultAudioSource() : s.audioSource,
                                a.bitsPerSample == 8 ? QStringLiteral("U8") : QStringLiteral("S16LE"))
                           .arg(a.channels)
                           .arg(a.samplesPerSecond);
    }
    m_pipeline = StartPipeline(description, error, [this, &s](GstElement* pipeline) {
        if (!s.copyright.isEmpty()) {
            // avimux writes the copyright tag as the "ICOP" entry of its information list.
            GstElement* mux = gst_bin_get_by_name(GST_BIN(pipeline), "mux");
            gst_tag_setter_add_tags(GST_TAG_SETTER(mux), GST_TAG_MERGE_REPLACE, GST_TAG_COPYRIGHT,
                                    s.copyright.toUtf8().constData(), nullptr);
            gst_object_unref(mux);
        }
        GstElement* buffers = gst_bin_get_by_name(GST_BIN(pipeline), "buffers");
        g_signal_connect(buffers, "overrun", G_CALLBACK(+[](GstElement*, gpointer dropped) {
                             ++*static_cast<std::atomic<int>*>(dropped);
                         }),
                         &m_dropped);
        gst_object_unref(buffers);
        GstElement* encoder = gst_bin_get_by_name(GST_BIN(pipeline), "encoder");
        GstPad* pad = gst_element_get_static_pad(encoder, "src");
        gst_pad_add_probe(
            pad, GST_PAD_PROBE_TYPE_BUFFER,
            [](GstPad*, GstPadProbeInfo* info, gpointer self) {
                const GstBuffer* frame = GST_PAD_PROBE_INFO_BUFFER(info);
                const GstClockTime start = GST_BUFFER_PTS(frame);
                const GstClockTime length = GST_BUFFER_DURATION(frame);
                const qint64 startNs = GST_CLOCK_TIME_IS_VALID(start) ? qint64(start) : -1;
                static_cast<SequenceRecorder*>(self)->CountFrame(
                    startNs, startNs + (GST_CLOCK_TIME_IS_VALID(length) ? qint64(length) : 0));
                return GST_PAD_PROBE_OK;
            },
            this, nullptr);
        gst_object_unref(pad);
        gst_object_unref(encoder);
    });
    return m_pipeline != nullptr;
}

// A frame without a time (none of GStreamer's video sources sends one) is counted, not timed.
void SequenceRecorder::CountFrame(qint64 startNs, qint64 endNs) {
    ++m_frames;
    if (startNs < 0) return;
    qint64 unset = -1;
    m_firstNs.compare_exchange_strong(unset, startNs);
    m_endNs = endNs;
}

double SequenceRecorder::Seconds() const {
    const qint64 first = m_firstNs.load();
    return first < 0 ? 0 : double(m_endNs.load() - first) / GST_SECOND;
}

bool SequenceRecorder::EndsWithin(int ms) {
    if (!m_pipeline) return true;
    if (!m_end) {
        GstBus* bus = gst_element_get_bus(m_pipeline);
        m_end = gst_bus_timed_pop_filtered(bus, GstClockTime(std::max(ms, 0)) * GST_MSECOND,
                                           GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
        gst_object_unref(bus);
    }
    return m_end != nullptr;
}

bool SequenceRecorder::Stop(QString* error) {
    if (!m_pipeline) return true;

    gst_element_send_event(m_pipeline, gst_event_new_eos());
    GstMessage* message = std::exchange(m_end, nullptr);
    if (!message) {
        GstBus* bus = gst_element_get_bus(m_pipeline);
        message = gst_bus_timed_pop_filtered(bus, 10 * GST_SECOND, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
        gst_object_unref(bus);
    }
    QString reason;
    if (!message) {
        reason = QStringLiteral("the recording did not end in time");
    } else if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
        GError* err = nullptr;
        gst_message_parse_error(message, &err, nullptr);
        reason = err ? QString::fromUtf8(err->message) : QStringLiteral("the recording failed");
        g_clear_error(&err);
    }
    if (message) gst_message_unref(message);
    StopPipeline(m_pipeline);
    if (!reason.isEmpty() && error) *error = reason;
    return reason.isEmpty();
}
