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
