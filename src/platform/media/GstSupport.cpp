#include "GstSupport.h"

#include <gst/gst.h>
#include <mutex>

bool EnsureGstreamer() {
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] { ready = gst_init_check(nullptr, nullptr, nullptr); });
    return ready;
}

QString DefaultAudioSource() {
    const QString configured = qEnvironmentVariable("ALBORA_AUDIO_SOURCE");
    return configured.isEmpty() ? QStringLiteral("pulsesrc") : configured;
}

QString DefaultAudioSink() {
    const QString configured = qEnvironmentVariable("ALBORA_AUDIO_SINK");
    return configured.isEmpty() ? QStringLiteral("autoaudiosink") : configured;
}

QString PendingPipelineError(GstElement* pipeline) {
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* message = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR);
    gst_object_unref(bus);
    if (!message) return {};
    GError* err = nullptr;
    gst_message_parse_error(message, &err, nullptr);
    QString reason = err ? QString::fromUtf8(err->message) : QStringLiteral("the media pipeline failed");
    g_clear_error(&err);
    gst_message_unref(message);
    return reason;
}

GstElement* StartPipeline(const QString& description, QString* error,
                          const std::function<void(GstElement*)>& prepare) {
    const auto fail = [error](const QString& reason) -> GstElement* {
        if (error) *error = reason;
        return nullptr;
    };
    if (!EnsureGstreamer()) return fail(QStringLiteral("the media system could not be started"));
    GError* parseError = nullptr;
    GstElement* pipeline = gst_parse_launch(description.toUtf8().constData(), &parseError);
    if (parseError) {
        const QString reason = QString::fromUtf8(parseError->message);
        g_error_free(parseError);
        if (pipeline) gst_object_unref(pipeline);
        return fail(reason);
    }
    if (prepare) prepare(pipeline);
    // A live source that cannot open its device fails here or posts an error right after.
    GstStateChangeReturn change = gst_element_set_state(pipeline, GST_STATE_PLAYING);
    if (change != GST_STATE_CHANGE_FAILURE) change = gst_element_get_state(pipeline, nullptr, nullptr, 3 * GST_SECOND);
    QString reason = PendingPipelineError(pipeline);
    if (change == GST_STATE_CHANGE_FAILURE || !reason.isEmpty()) {
        StopPipeline(pipeline);
        return fail(reason.isEmpty() ? QStringLiteral("the source cannot be started") : reason);
    }
    return pipeline;
}

void StopPipeline(GstElement*& pipeline) {
    if (!pipeline) return;
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    pipeline = nullptr;
}
