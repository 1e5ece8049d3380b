#include "VideoCapture.h"

#include "VideoSourceRegistry.h"

#include "platform/media/GstSupport.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/colorbalance.h>
#include <gst/video/video.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <utility>

namespace {

std::atomic<quint64> lastFrameNumber{0};

// The frames come as rows of BGR, top first; a DIB keeps them bottom first.
CImageObject PictureOfSample(GstSample* sample) {
    CImageObject picture;
    GstVideoInfo info;
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    if (!buffer || !gst_video_info_from_caps(&info, gst_sample_get_caps(sample))) return picture;
    const int width = GST_VIDEO_INFO_WIDTH(&info);
    const int height = GST_VIDEO_INFO_HEIGHT(&info);
    const int stride = GST_VIDEO_INFO_PLANE_STRIDE(&info, 0);
    GstMapInfo map;
    if (!gst_buffer_map(buffer, &map, GST_MAP_READ)) return picture;
    const std::size_t rowBytes = std::size_t(width) * 3;
    if (stride >= int(rowBytes) && map.size >= std::size_t(stride) * std::size_t(height - 1) + rowBytes &&
        picture.Create(width, height, 24)) {
        CImageImpl& dib = *picture.GetImplementation();
        for (int y = 0; y < height; ++y) std::memcpy(dib.Row(height - 1 - y), map.data + std::size_t(y) * stride, rowBytes);
    }
    gst_buffer_unmap(buffer, &map);
    return picture;
}

// A rate as the fraction the camera gave it: 29.97 is 30000/1001, which thousandths would miss.
QString Framerate(double framesPerSecond) {
    gint numerator = 0, denominator = 1;
    gst_util_double_to_fraction(framesPerSecond, &numerator, &denominator);
    return QStringLiteral(",framerate=%1/%2").arg(numerator).arg(denominator);
}

}  // namespace

QString VideoCaps(const char* formatName, const VideoFormat& format) {
    QString caps = QStringLiteral("video/x-raw,format=%1").arg(QLatin1String(formatName));
    if (!format.size.isEmpty()) caps += QStringLiteral(",width=%1,height=%2").arg(format.size.width()).arg(format.size.height());
    if (format.framesPerSecond > 0) {
        // As a fraction over 1000, so 29.97 stays 29.97.
        caps += Framerate(format.framesPerSecond);
    }
    return caps;
}

VideoCapture::~VideoCapture() { Disconnect(); }

bool VideoCapture::Connect(const QString& source, const VideoFormat& format, QString* error) {
    Disconnect();
    // The camera's own format, when one is asked, is fixed right at the source; pictures it
    // sends as JPEG are decoded. videorate only when a rate is asked: it would otherwise hold
    // frames back to even them out. The balance step passes frames through untouched until a
    // control is moved.
    QString sourceFormat;
    if (!format.encoding.isEmpty()) {
        sourceFormat = QStringLiteral(" ! %1").arg(format.encoding);
        if (!format.size.isEmpty()) sourceFormat += QStringLiteral(",width=%1,height=%2").arg(format.size.width()).arg(format.size.height());
        if (format.framesPerSecond > 0)
            sourceFormat += Framerate(format.framesPerSecond);
        if (format.encoding.startsWith(QLatin1String("image/jpeg"))) sourceFormat += QStringLiteral(" ! jpegdec");
    }
    const QString description =
        QStringLiteral("%1%2 ! videoconvert name=convert ! videoscale ! %3 %4 ! videobalance name=balance ! "
                       "appsink name=sink max-buffers=1 drop=true sync=false")
            .arg(source, sourceFormat, format.framesPerSecond > 0 ? QStringLiteral("videorate !") : QString(),
                 VideoCaps("BGR", format));
    m_pipeline = StartPipeline(description, error, [this](GstElement* pipeline) {
        GstElement* sink = gst_bin_get_by_name(GST_BIN(pipeline), "sink");
        GstAppSinkCallbacks callbacks{};
        callbacks.new_sample = [](GstAppSink* appSink, gpointer self) {
            return GstFlowReturn(OnSample(appSink, self));
        };
        gst_app_sink_set_callbacks(GST_APP_SINK(sink), &callbacks, this, nullptr);
        gst_object_unref(sink);
        GstBus* bus = gst_element_get_bus(pipeline);
        gst_bus_set_sync_handler(
            bus, [](GstBus*, GstMessage* message, gpointer self) { return GstBusSyncReply(OnBusMessage(message, self)); },
            this, nullptr);
        gst_object_unref(bus);
    });
    if (!m_pipeline) {
        Disconnect();  // what the failed start posted is in ERROR already
        return false;
    }
    m_source = source;
    VideoSourceRegistry::Claim(source, this);
    return true;
}

void VideoCapture::Disconnect() {
    VideoSourceRegistry::Release(this);
    StopPipeline(m_pipeline);
    std::lock_guard lock(m_mutex);
    if (m_newest) gst_sample_unref(m_newest);
    m_newest = nullptr;
    m_ended = false;
    m_endReason.clear();
    m_source.clear();
}

// Errors stay on the bus, where StartPipeline looks for one while the source opens; nothing else
// reads the bus, so the rest is let go here.
int VideoCapture::OnBusMessage(void* data, void* object) {
    auto* message = static_cast<GstMessage*>(data);
    auto* self = static_cast<VideoCapture*>(object);
    QString reason;
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS) {
        reason = QStringLiteral("the source stopped sending pictures");
    } else if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
        GError* err = nullptr;
        gst_message_parse_error(message, &err, nullptr);
        reason = err ? QString::fromUtf8(err->message) : QStringLiteral("the source failed");
        g_clear_error(&err);
    } else {
        return GST_BUS_DROP;
    }
    {
        std::lock_guard lock(self->m_mutex);
        if (!self->m_ended) self->m_endReason = reason;
        self->m_ended = true;
    }
    self->m_arrived.notify_all();
    return GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR ? GST_BUS_PASS : GST_BUS_DROP;
}

int VideoCapture::OnSample(void* sink, void* data) {
    auto* self = static_cast<VideoCapture*>(data);
    GstSample* sample = gst_app_sink_pull_sample(static_cast<GstAppSink*>(sink));
    if (!sample) return GST_FLOW_EOS;
    std::function<void()> handler;
    {
        std::lock_guard lock(self->m_mutex);
        if (self->m_newest) gst_sample_unref(self->m_newest);
        self->m_newest = sample;
        self->m_newestNumber = ++lastFrameNumber;
        handler = self->m_onFrame;
    }
    self->m_arrived.notify_all();
    if (handler) handler();
    return GST_FLOW_OK;
}

CImageObject VideoCapture::NewestFrame(int timeoutMs) {
    quint64 any = 0;
    return NewFrame(any, timeoutMs);
}

CImageObject VideoCapture::NewFrame(quint64& number, int timeoutMs) {
    GstSample* sample = nullptr;
    {
        std::unique_lock lock(m_mutex);
        if (!m_pipeline) return {};
        const auto arrived = [this, number] { return m_newest && m_newestNumber > number; };
        m_arrived.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return arrived() || m_ended; });
        if (!arrived()) return {};
        sample = gst_sample_ref(m_newest);
        number = m_newestNumber;
    }
    CImageObject picture = PictureOfSample(sample);
    gst_sample_unref(sample);
    return picture;
}

QSize VideoCapture::FrameSize() {
    std::lock_guard lock(m_mutex);
    GstVideoInfo info;
    if (!m_newest || !gst_video_info_from_caps(&info, gst_sample_get_caps(m_newest))) return {};
    return {GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info)};
}

void VideoCapture::SetFrameHandler(std::function<void()> handler) {
    std::lock_guard lock(m_mutex);
    m_onFrame = std::move(handler);
}

VideoFormat VideoCapture::CurrentFormat() const {
    VideoFormat format;
    if (!m_pipeline) return format;
    GstElement* convert = gst_bin_get_by_name(GST_BIN(m_pipeline), "convert");
    GstPad* pad = convert ? gst_element_get_static_pad(convert, "sink") : nullptr;
    GstCaps* caps = pad ? gst_pad_get_current_caps(pad) : nullptr;
    GstVideoInfo info;
    if (caps && gst_video_info_from_caps(&info, caps)) {
        format.size = QSize(GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info));
        if (GST_VIDEO_INFO_FPS_D(&info) > 0) format.framesPerSecond = double(GST_VIDEO_INFO_FPS_N(&info)) / GST_VIDEO_INFO_FPS_D(&info);
        format.encoding = QStringLiteral("video/x-raw,format=%1").arg(QLatin1String(gst_video_format_to_string(GST_VIDEO_INFO_FORMAT(&info))));
    }
    if (caps) gst_caps_unref(caps);
    if (pad) gst_object_unref(pad);
    if (convert) gst_object_unref(convert);
    return format;
}

QString VideoCapture::PendingError() {
    std::lock_guard lock(m_mutex);
    return std::exchange(m_endReason, {});
}

// The first element of the pipeline with picture controls, the source first: a camera's own
// controls change what it captures, ours only what we are given.
GstElement* VideoCapture::BalanceElement() const {
    if (!m_pipeline) return nullptr;
    GstIterator* it = gst_bin_iterate_sources(GST_BIN(m_pipeline));
    GstElement* found = nullptr;
    GValue item = G_VALUE_INIT;
    while (!found && gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
        auto* element = GST_ELEMENT(g_value_get_object(&item));
        if (GST_IS_COLOR_BALANCE(element) && gst_color_balance_list_channels(GST_COLOR_BALANCE(element)))
            found = GST_ELEMENT(gst_object_ref(element));
        g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(it);
    return found ? found : gst_bin_get_by_name(GST_BIN(m_pipeline), "balance");
}

std::vector<BalanceChannel> VideoCapture::Balance() const {
    std::vector<BalanceChannel> channels;
    GstElement* element = BalanceElement();
    if (!element) return channels;
    auto* balance = GST_COLOR_BALANCE(element);
    for (const GList* l = gst_color_balance_list_channels(balance); l; l = l->next) {
        auto* channel = GST_COLOR_BALANCE_CHANNEL(l->data);
        channels.push_back({QString::fromUtf8(channel->label).toLower(), channel->min_value, channel->max_value,
                            gst_color_balance_get_value(balance, channel)});
    }
    gst_object_unref(element);
    return channels;
}

void VideoCapture::SetBalance(const QString& label, int value) {
    GstElement* element = BalanceElement();
    if (!element) return;
    auto* balance = GST_COLOR_BALANCE(element);
    for (const GList* l = gst_color_balance_list_channels(balance); l; l = l->next) {
        auto* channel = GST_COLOR_BALANCE_CHANNEL(l->data);
        if (QString::fromUtf8(channel->label).toLower() == label)
            gst_color_balance_set_value(balance, channel, std::clamp(value, channel->min_value, channel->max_value));
    }
    gst_object_unref(element);
}
