#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "AvimpgOptions.h"
#include "FrameRate.h"
#include "ParameterFile.h"
#include "PictureLayout.h"

// What the settings depend on in the input movie.
struct InputFacts {
    PictureSize size;
    Rational sampleAspect{0, 1};  // 0/1 when the file does not say
    Rational frameRate{15, 1};
    bool hasAudio = false;
};

// Everything the encoding does, decided once from the options and the input.
struct EncoderSettings {
    std::string muxer = "mpeg";            // "vcd" for VIDEO-CD
    std::optional<Rational> frameRate;     // nullopt while the input is unknown
    std::optional<PictureLayout> layout;   // likewise
    std::optional<PictureSize> cropAsked;  // -c, for the description without an input
    int64_t videoBitrate = 0;              // bit/s
    int64_t videoMaxrate = 0;              // bit/s, 0 = unconstrained
    int64_t vbvBits = 0;                   // 0 = the encoder's choice
    int gopSize = 15;  // half a second or less at every MPEG-1 rate, as VIDEO-CD allows
    int bFrames = 2;
    int meRange = 16;
    std::vector<EncoderParameter> parameters;  // from -p, applied after all of the above
    bool audio = false;
    std::string audioEncoder;
    int audioBitrate = 0;  // bit/s
    int audioChannels = 2;
    bool jointStereo = false;
    int64_t muxrate = 0;  // bit/s
    int packetSize = 2048;
    int preloadMicroseconds = 500000;
};

struct ResolvedSettings {
    EncoderSettings settings;
    std::string error;               // options that contradict each other
    std::vector<std::string> notes;  // what was asked for but cannot be done exactly
};

inline constexpr int kAudioSampleRate = 44100;

// INPUT is nullopt for "-V" without files; the input is then assumed to have sound. AUDIO_ENCODER
// is the libav encoder that makes Layer II.
ResolvedSettings ResolveSettings(const AvimpgOptions& options,
                                 const std::optional<InputFacts>& input,
                                 const std::string& audioEncoder);

// The settings as "name = value" lines for -V, in the terms of ffmpeg's command line where it has
// them.
std::vector<std::pair<std::string, std::string>> DescribeSettings(const EncoderSettings& settings);
