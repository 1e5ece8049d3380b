#include "VideoCapture.h"

#include "VideoSourceRegistry.h"

#include "platform/media/GstSupport.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include <chrono>
#include <cmath>
#include <cstring>

namespace {

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

}  // namespace

QString VideoCaps(const char* formatName, const VideoFormat& format) {
    QString caps = QStringLiteral("video/x-raw,format=%1").arg(QLatin1String(formatName));
    if (!format.size.isEmpty()) caps += QStringLiteral(",width=%1,height=%2").arg(format.size.width()).arg(format.size.height());
    if (format.framesPerSecond > 0) {
        // As a fraction over 1000, so 29.97 stays 29.97.
        caps += QStringLiteral(",framerate=%1/1000").arg(std::lround(format.framesPerSecond * 1000));
    }
    return caps;
}

VideoCapture::~VideoCapture() { Disconnect(); }

bool VideoCapture::Connect(const QString& source, const VideoFormat& format, QString* error) {
    Disconnect();
    // videorate only when a rate is asked: it would otherwise hold frames back to even them out.
    const QString description =
        QStringLiteral("%1 ! videoconvert ! videoscale ! %2 %3 ! appsink name=sink max-buffers=1 drop=true sync=false")
            .arg(source, format.framesPerSecond > 0 ? QStringLiteral("videorate !") : QString(),
                 VideoCaps("BGR", format));
    m_pipeline = StartPipeline(description, error, [this](GstElement* pipeline) {
        GstElement* sink = gst_bin_get_by_name(GST_BIN(pipeline), "sink");
        GstAppSinkCallbacks callbacks{};
        callbacks.new_sample = [](GstAppSink* appSink, gpointer self) {
            return GstFlowReturn(OnSample(appSink, self));
        };
        gst_app_sink_set_callbacks(GST_APP_SINK(sink), &callbacks, this, nullptr);
        gst_object_unref(sink);
    });
    if (m_pipeline) {
        m_source = source;
        VideoSourceRegistry::Claim(source, this);
    }
    return m_pipeline != nullptr;
}

void VideoCapture::Disconnect() {
    VideoSourceRegistry::Release(this);
    StopPipeline(m_pipeline);
    std::lock_guard lock(m_mutex);
    if (m_newest) gst_sample_unref(m_newest);
    m_newest = nullptr;
    m_source.clear();
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
        handler = self->m_onFrame;
    }
    self->m_arrived.notify_all();
    if (handler) handler();
    return GST_FLOW_OK;
}

CImageObject VideoCapture::NewestFrame(int timeoutMs) {
    GstSample* sample = nullptr;
    {
        std::unique_lock lock(m_mutex);
        if (!m_pipeline) return {};
        m_arrived.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_newest != nullptr; });
        if (m_newest) sample = gst_sample_ref(m_newest);
    }
    if (!sample) return {};
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
