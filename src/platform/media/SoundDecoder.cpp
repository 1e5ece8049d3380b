#include "SoundDecoder.h"

#include "GstSupport.h"
#include "PcmConversion.h"
#include "SoundPlausibility.h"
#include "WavReader.h"

#include "platform/RegularFile.h"

#include <QFile>
#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <memory>

namespace {

// A decoder that hands out nothing for this long is given up.
constexpr GstClockTime kStallTimeout = 10 * GST_SECOND;
// How often a decode looks at the bus for an error while it waits for data.
constexpr GstClockTime kPollInterval = 100 * GST_MSECOND;
// Enough for the "fmt " chunk of a WAV file behind any usual chunks before it.
constexpr qint64 kHeadBytes = 64 * 1024;

// The bytes of PATH when it is a WAV file, for our own reader; empty when it is something else.
// Nullopt with REASON when it cannot be read.
std::optional<QByteArray> WavBytes(const QString& path, QString* reason) {
    QFile file;
    if (!OpenRegularFile(path, file, reason)) return std::nullopt;
    if (!IsWav(file.peek(12))) return QByteArray();
    file.close();
    return ReadRegularFile(path, SoundDecoder::kMaxBytes, reason);
}

// What our own reader makes of PATH: the sound, or nullopt with REASON when it cannot be heard;
// LEFT when GStreamer is to try it. USE gets the samples while their bytes are there.
template <typename Result, typename Use>
std::optional<Result> ReadOwn(const QString& path, bool& left, QString* reason, Use use) {
    left = false;
    const std::optional<QByteArray> bytes = WavBytes(path, reason);
    if (!bytes) return std::nullopt;
    const WavReading reading = ReadWav(*bytes);
    switch (reading.kind) {
    case WavReading::Kind::Samples: return use(reading.samples);
    case WavReading::Kind::Broken:
        if (reason) *reason = reading.reason;
        return std::nullopt;
    case WavReading::Kind::NotWav:
    case WavReading::Kind::OtherEncoding: break;
    }
    left = true;
    return std::nullopt;
}

std::optional<PcmSound> Converted(const WavSamples& samples, PcmFormat format, QString* reason) {
    std::optional<QByteArray> pcm = ConvertToPcm(samples, format, SoundDecoder::kMaxBytes, reason);
    if (!pcm) return std::nullopt;
    return PcmSound{format, std::move(*pcm)};
}

struct PipelineDeleter {
    void operator()(GstElement* pipeline) const {
        gst_element_set_state(pipeline, GST_STATE_NULL);
        gst_object_unref(pipeline);
    }
};
using Pipeline = std::unique_ptr<GstElement, PipelineDeleter>;

struct SampleDeleter {
    void operator()(GstSample* sample) const { gst_sample_unref(sample); }
};
using Sample = std::unique_ptr<GstSample, SampleDeleter>;

// A pipeline from PATH to an appsink handing out 16-bit PCM, converted to FORMAT when it is
// given. The file name is a property, never part of the description.
Pipeline MakePipeline(const QString& path, std::optional<PcmFormat> format, QString* reason) {
    const auto fail = [reason](const QString& why) {
        if (reason) *reason = why;
        return Pipeline();
    };
    // The header is looked at first: GStreamer would convert to whatever rate it claims.
    QFile file;
    QString why;
    if (!OpenRegularFile(path, file, &why)) return fail(why);
    if (why = SoundPlausibility::OfWavHeader(file.read(kHeadBytes)); !why.isEmpty()) return fail(why);
    if (!EnsureGstreamer()) return fail(QStringLiteral("GStreamer cannot be started"));
    QByteArray caps = "audio/x-raw,format=S16LE,layout=interleaved";
    if (format) caps += QStringLiteral(",rate=%1,channels=%2").arg(format->sampleRate).arg(format->channels).toLatin1();
    const QByteArray description = "filesrc name=source ! decodebin ! audioconvert ! audioresample ! " + caps +
                                   " ! appsink name=sink sync=false";
    GError* error = nullptr;
    Pipeline pipeline(gst_parse_launch(description.constData(), &error));
    if (error) {
        const QString message = QString::fromUtf8(error->message);
        g_error_free(error);
        return fail(message);
    }
    GstElement* source = gst_bin_get_by_name(GST_BIN(pipeline.get()), "source");
    g_object_set(source, "location", QFile::encodeName(path).constData(), nullptr);
    gst_object_unref(source);
    return pipeline;
}

GstAppSink* SinkOf(const Pipeline& pipeline) {
    GstElement* sink = gst_bin_get_by_name(GST_BIN(pipeline.get()), "sink");
    gst_object_unref(sink);  // the pipeline keeps it
    return GST_APP_SINK(sink);
}

// The pipeline's error, if it posted one.
std::optional<QString> PostedError(const Pipeline& pipeline) {
    GstBus* bus = gst_element_get_bus(pipeline.get());
    GstMessage* message = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR);
    gst_object_unref(bus);
    if (!message) return std::nullopt;
    GError* error = nullptr;
    gst_message_parse_error(message, &error, nullptr);
    const QString text = QString::fromUtf8(error->message);
    g_error_free(error);
    gst_message_unref(message);
    return text;
}

std::optional<PcmFormat> FormatOf(GstSample* sample, QString* reason) {
    const GstStructure* structure = gst_caps_get_structure(gst_sample_get_caps(sample), 0);
    PcmFormat format;
    if (!gst_structure_get_int(structure, "rate", &format.sampleRate) ||
        !gst_structure_get_int(structure, "channels", &format.channels))
        return std::nullopt;
    // Any other container may claim what a WAV header may not.
    if (const QString why = SoundPlausibility::OfFormat(format.sampleRate, format.channels); !why.isEmpty()) {
        if (reason) *reason = why;
        return std::nullopt;
    }
    return format;
}

}  // namespace

namespace SoundDecoder {

std::optional<PcmFormat> Probe(const QString& path, QString* reason) {
    bool left;
    std::optional<PcmFormat> own = ReadOwn<PcmFormat>(path, left, reason, [](const WavSamples& samples) {
        return PcmFormat{samples.sampleRate, samples.channels};
    });
    if (!left) return own;
    Pipeline pipeline = MakePipeline(path, std::nullopt, reason);
    if (!pipeline) return std::nullopt;
    // An error fails the change to PAUSED at once; a success has the first buffer waiting.
    gst_element_set_state(pipeline.get(), GST_STATE_PAUSED);
    const bool prerolled = gst_element_get_state(pipeline.get(), nullptr, nullptr, kStallTimeout) == GST_STATE_CHANGE_SUCCESS;
    Sample sample(prerolled ? gst_app_sink_try_pull_preroll(SinkOf(pipeline), 0) : nullptr);
    QString implausible;
    const std::optional<PcmFormat> format = sample ? FormatOf(sample.get(), &implausible) : std::nullopt;
    if (!format && reason)
        *reason = !implausible.isEmpty() ? implausible
                                         : PostedError(pipeline).value_or(QStringLiteral("not a sound GStreamer can decode"));
    return format;
}

std::optional<PcmSound> DecodeOwnWav(const QString& path, bool& other, QString* reason) {
    return ReadOwn<PcmSound>(path, other, reason, [reason](const WavSamples& samples) {
        return Converted(samples, {samples.sampleRate, samples.channels}, reason);
    });
}

std::optional<PcmSound> Decode(const QString& path, PcmFormat format, QString* reason) {
    bool left;
    std::optional<PcmSound> own = ReadOwn<PcmSound>(
        path, left, reason, [&](const WavSamples& samples) { return Converted(samples, format, reason); });
    if (!left) return own;
    Pipeline pipeline = MakePipeline(path, format, reason);
    if (!pipeline) return std::nullopt;
    GstAppSink* sink = SinkOf(pipeline);
    gst_element_set_state(pipeline.get(), GST_STATE_PLAYING);
    PcmSound sound{format, {}};
    // The sink gives nothing more after the end of the stream, and waits forever after an
    // error upstream, so the bus is looked at between waits.
    GstClockTime waited = 0;
    while (!gst_app_sink_is_eos(sink)) {
        Sample sample{gst_app_sink_try_pull_sample(sink, kPollInterval)};
        if (!sample) {
            const std::optional<QString> error = PostedError(pipeline);
            waited += kPollInterval;
            if (error || waited >= kStallTimeout) {
                if (reason) *reason = error.value_or(QStringLiteral("the decoder stopped"));
                return std::nullopt;
            }
            continue;
        }
        waited = 0;
        GstBuffer* buffer = gst_sample_get_buffer(sample.get());
        GstMapInfo map;
        if (!buffer || !gst_buffer_map(buffer, &map, GST_MAP_READ)) continue;
        const bool tooLong = qint64(sound.samples.size()) + qint64(map.size) > kMaxBytes;
        if (!tooLong) sound.samples.append(reinterpret_cast<const char*>(map.data), qsizetype(map.size));
        gst_buffer_unmap(buffer, &map);
        if (tooLong) {
            if (reason) *reason = QStringLiteral("sound too long");
            return std::nullopt;
        }
    }
    sound.samples.truncate(sound.samples.size() - sound.samples.size() % format.BytesPerFrame());
    if (sound.samples.isEmpty()) {
        if (reason) *reason = QStringLiteral("no sound in the file");
        return std::nullopt;
    }
    return sound;
}

}  // namespace SoundDecoder
