#pragma once

#include <QString>
#include <functional>

// GStreamer is started once for the process; false when it cannot be.
bool EnsureGstreamer();

// The pipeline description of the sound source: ALBORA_AUDIO_SOURCE when set, else PulseAudio's
// default source (PipeWire serves it too). "autoaudiosrc" is avoided: without a sound server it
// records silence instead of failing.
QString DefaultAudioSource();
// The sound output: ALBORA_AUDIO_SINK when set, else the desktop's automatic choice.
QString DefaultAudioSink();

typedef struct _GstElement GstElement;

// Parses DESCRIPTION, lets PREPARE fit its elements (sinks' callbacks, tags) and sets it playing,
// waiting up to three seconds for a live source to open its device. Null, with the reason in
// ERROR, when it cannot play.
GstElement* StartPipeline(const QString& description, QString* error,
                          const std::function<void(GstElement*)>& prepare = {});
// Stops PIPELINE and lets it go; PIPELINE becomes null.
void StopPipeline(GstElement*& pipeline);
// The reason in the first error message waiting on PIPELINE's bus, or empty.
QString PendingPipelineError(GstElement* pipeline);
