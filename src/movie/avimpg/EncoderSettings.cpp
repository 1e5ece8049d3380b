#include "EncoderSettings.h"

#include <cmath>

namespace {

// VIDEO-CD: video at 1150 kbit/s in a VBV buffer of 20 x 16 kbit, audio at 224 kbit/s, the system
// stream at the CD's 75 sectors of 2352 bytes a second in packs of one sector's 2324 user bytes.
constexpr int64_t kVideoCdVideoBitrate = 1150000;
constexpr int64_t kVideoCdVbvBits = 20 * 16384;
constexpr int kVideoCdAudioBitrate = 224000;
constexpr int64_t kVideoCdMuxrate = 75 * 2352 * 8;
constexpr int kVideoCdPacketSize = 2324;
// The first data after the padding packs that start a VIDEO-CD track (36000 + 3 * 1200 at 90 kHz).
constexpr int kVideoCdPreload = 440000;

// Pack and packet headers take about this share of the system stream.
constexpr int kMuxOverheadPercent = 3;
constexpr int64_t kMinVideoBitrate = 16000;
constexpr int64_t kVbvUnitBits = 16384;

// Layer II allows these bitrates for one channel only.
bool MonoOnly(int kbps) { return kbps == 32 || kbps == 48 || kbps == 56 || kbps == 80; }

std::string RateText(Rational rate) {
    return rate.den == 1 ? std::to_string(rate.num)
                         : std::to_string(rate.num) + "/" + std::to_string(rate.den);
}

std::string SizeText(PictureSize size) {
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

// The same picture geometry as an ffmpeg filter chain.
std::string FilterChain(const PictureLayout& layout) {
    std::string chain;
    const auto add = [&chain](const std::string& filter) {
        chain += (chain.empty() ? "" : ",") + filter;
    };
    const PictureRect& source = layout.source;
    const PictureRect& picture = layout.picture;
    add("crop=" + std::to_string(source.width) + ":" + std::to_string(source.height) + ":" +
        std::to_string(source.x) + ":" + std::to_string(source.y));
    if (source.width != picture.width || source.height != picture.height)
        add("scale=" + std::to_string(picture.width) + ":" + std::to_string(picture.height));
    if (picture.width != layout.frame.width || picture.height != layout.frame.height)
        add("pad=" + std::to_string(layout.frame.width) + ":" +
            std::to_string(layout.frame.height) + ":" + std::to_string(picture.x) + ":" +
            std::to_string(picture.y) + ":black");
    add("setsar=" + RateText(layout.sampleAspect));
    return chain;
}

void ResolveVideoCd(const AvimpgOptions& options, const std::optional<InputFacts>& input,
                    EncoderSettings& s) {
    s.muxer = "vcd";
    if (input) {
        const bool pal = input->frameRate == Rational{25, 1} || input->frameRate == Rational{50, 1};
        s.frameRate = pal ? Rational{25, 1} : Rational{30000, 1001};
        s.layout = FittedLayout(input->size, input->sampleAspect, {352, pal ? 288 : 240});
    }
    s.videoBitrate = s.videoMaxrate = kVideoCdVideoBitrate;
    s.vbvBits = kVideoCdVbvBits;
    s.audioBitrate = kVideoCdAudioBitrate;
    s.jointStereo = options.jointStereo;
    s.muxrate = kVideoCdMuxrate;
    s.packetSize = kVideoCdPacketSize;
    s.preloadMicroseconds = kVideoCdPreload;
}

}  // namespace

ResolvedSettings ResolveSettings(const AvimpgOptions& options,
                                 const std::optional<InputFacts>& input,
                                 const std::string& audioEncoder) {
    ResolvedSettings result;
    EncoderSettings& s = result.settings;
    // Each step of -m doubles the search: f_code 2 (16 pixels) at 0 up to f_code 6 (256) at 4.
    s.meRange = 16 << options.motionSearch;
    s.audio = !options.videoOnly && (!input || input->hasAudio);
    s.audioEncoder = audioEncoder;
    if (options.videoCd) {
        ResolveVideoCd(options, input, s);
        return result;
    }

    if (options.cropWidth)
        s.cropAsked = PictureSize{*options.cropWidth, options.cropHeight.value_or(0)};
    if (options.frameRateIndex)
        s.frameRate = ForcedFrameRate(*options.frameRateIndex);
    else if (input)
        s.frameRate = ChooseFrameRate(input->frameRate);
    if (input) s.layout = PlainLayout(input->size, input->sampleAspect, s.cropAsked);

    s.audioBitrate = options.audioKbps * 1000;
    s.audioChannels = MonoOnly(options.audioKbps) ? 1 : 2;
    s.jointStereo = options.jointStereo && s.audioChannels == 2;
    s.muxrate = int64_t(options.systemKbps) * 1000;
    s.videoBitrate = s.muxrate * (100 - kMuxOverheadPercent) / 100 - (s.audio ? s.audioBitrate : 0);
    if (s.videoBitrate < kMinVideoBitrate) {
        result.error = "a system bitrate of " + std::to_string(options.systemKbps) +
                       " kbit/s leaves no room for video beside " +
                       std::to_string(options.audioKbps) + " kbit/s of audio";
        return result;
    }
    if (options.vbvUnits > 0) {
        s.vbvBits = options.vbvUnits * kVbvUnitBits;
        s.videoMaxrate = s.videoBitrate;
        // The buffer must hold at least one picture's share of the bitrate.
        if (s.frameRate) {
            const int64_t perPicture =
                (s.videoBitrate * s.frameRate->den + s.frameRate->num - 1) / s.frameRate->num;
            const int64_t units = (perPicture + kVbvUnitBits - 1) / kVbvUnitBits;
            if (s.vbvBits < units * kVbvUnitBits) {
                s.vbvBits = units * kVbvUnitBits;
                result.notes.push_back("the VBV buffer is raised to " + std::to_string(units) +
                                       " units to hold one picture at " +
                                       std::to_string(s.videoBitrate / 1000) + " kbit/s");
            }
        }
    }
    return result;
}

std::vector<std::pair<std::string, std::string>> DescribeSettings(const EncoderSettings& s) {
    std::vector<std::pair<std::string, std::string>> lines;
    const auto add = [&lines](const std::string& name, const std::string& value) {
        lines.emplace_back(name, value);
    };
    const std::string fromInput = "input";
    add("format", s.muxer);
    add("video_codec", "mpeg1video");
    add("frame_rate", s.frameRate ? RateText(*s.frameRate) : fromInput);
    add("size", s.layout ? SizeText(s.layout->frame) : fromInput);
    if (s.cropAsked) add("crop", SizeText(*s.cropAsked));
    add("video_filter", s.layout ? FilterChain(*s.layout) : fromInput);
    add("pixel_format", "yuv420p");
    add("video_bitrate", std::to_string(s.videoBitrate));
    add("video_maxrate", std::to_string(s.videoMaxrate));
    add("video_bufsize", std::to_string(s.vbvBits));
    add("gop_size", std::to_string(s.gopSize));
    add("b_frames", std::to_string(s.bFrames));
    add("me_range", std::to_string(s.meRange));
    for (const EncoderParameter& parameter : s.parameters)
        add("param." + parameter.name, parameter.value);
    add("audio", s.audio ? "mp2" : "none");
    if (s.audio) {
        add("audio_encoder", s.audioEncoder);
        add("audio_bitrate", std::to_string(s.audioBitrate));
        add("audio_rate", std::to_string(kAudioSampleRate));
        add("audio_channels", std::to_string(s.audioChannels));
        add("audio_mode", s.audioChannels == 1 ? "mono"
                          : s.jointStereo      ? "joint_stereo"
                                               : "stereo");
    }
    add("muxrate", std::to_string(s.muxrate));
    add("packet_size", std::to_string(s.packetSize));
    add("preload", std::to_string(s.preloadMicroseconds));
    return lines;
}
