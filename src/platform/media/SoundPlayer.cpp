#include "SoundPlayer.h"

#include "GstSupport.h"

#include <QFileInfo>
#include <QUrl>
#include <gst/gst.h>

namespace {
constexpr int kBusPollMs = 50;
}

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

bool SoundPlayer::Play(const QString& path) {
    Stop();
    if (!QFileInfo(path).isFile() || !EnsureGstreamer()) return false;
    GstElement* playbin = gst_element_factory_make("playbin", nullptr);
    if (!playbin) return false;
    GError* error = nullptr;
    GstElement* sink = gst_parse_bin_from_description(DefaultAudioSink().toUtf8().constData(), TRUE, &error);
    if (error) g_error_free(error);
    if (sink) g_object_set(playbin, "audio-sink", sink, nullptr);
    const QByteArray uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded();
    g_object_set(playbin, "uri", uri.constData(), nullptr);
    if (gst_element_set_state(playbin, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        gst_element_set_state(playbin, GST_STATE_NULL);
        gst_object_unref(playbin);
        return false;
    }
    m_pipeline = playbin;
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
