#pragma once

#include <QString>

// GStreamer is started once for the process; false when it cannot be.
bool EnsureGstreamer();

// The pipeline description of the sound source: ALBORA_AUDIO_SOURCE when set, else PulseAudio's
// default source (PipeWire serves it too). "autoaudiosrc" is avoided: without a sound server it
// records silence instead of failing.
QString DefaultAudioSource();
// The sound output: ALBORA_AUDIO_SINK when set, else the desktop's automatic choice.
QString DefaultAudioSink();
