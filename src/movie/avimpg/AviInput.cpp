#include "AviInput.h"

#include "RegularInput.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

namespace {

// The smallest chunk in an AVI's "movi" list, an empty one: its fourcc and size.
constexpr int64_t kSmallestChunk = 8;

// The slowest input accepted, one frame in 10 s: an album movie holds a picture with empty chunks,
// and a slower rate is a damaged header that would ask for hours of held pictures.
constexpr double kSlowestRate = 0.1;

}  // namespace

AviInput::AviInput(const std::string& path) {
    if (const std::string why = RefusedInput(path); !why.empty()) throw AvimpgError("cannot open: " + why);
    std::ifstream in(path, std::ios::binary);
    if (!in) throw AvimpgError(std::string("cannot open: ") + std::strerror(errno));
    char riff[12] = {};
    in.read(riff, sizeof riff);
    if (std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "AVI ", 4) != 0)
        throw AvimpgError("not an AVI file");

    AVFormatContext* format = nullptr;
    // "file:" keeps a name with a colon from being taken for another protocol.
    Check(avformat_open_input(&format, ("file:" + path).c_str(), av_find_input_format("avi"),
                              nullptr),
          "damaged AVI file");
    m_format.reset(format);
    Check(avformat_find_stream_info(format, nullptr), "damaged AVI file");
    for (unsigned i = 0; i < m_format->nb_streams; ++i) {
        AVStream* stream = m_format->streams[i];
        const AVMediaType type = stream->codecpar->codec_type;
        if (type == AVMEDIA_TYPE_VIDEO && !m_video)
            m_video = stream;
        else if (type == AVMEDIA_TYPE_AUDIO && !m_audio)
            m_audio = stream;
        else
            stream->discard = AVDISCARD_ALL;
    }
    if (!m_video) throw AvimpgError("the AVI file has no video stream");
    const AVCodecParameters* video = m_video->codecpar;
    if (video->width <= 0 || video->height <= 0)
        throw AvimpgError("the AVI header has no picture size");
    if (av_q2d(m_video->time_base) <= 0 || 1 / av_q2d(m_video->time_base) < kSlowestRate)
        throw AvimpgError("the AVI header gives no usable frame rate");
}

InputFacts AviInput::Facts() const {
    InputFacts facts;
    const AVCodecParameters* video = m_video->codecpar;
    facts.size = {video->width, video->height};
    facts.sampleAspect = {video->sample_aspect_ratio.num, video->sample_aspect_ratio.den};
    facts.frameRate = {m_video->time_base.den, m_video->time_base.num};
    facts.hasAudio = m_audio != nullptr;
    return facts;
}

int64_t AviInput::FramesDeclared() const { return std::max<int64_t>(m_video->nb_frames, 0); }

int64_t AviInput::FramesFound() const { return std::max<int64_t>(m_video->duration, 0); }

int64_t AviInput::VideoEnd() const {
    const int64_t frames = std::max(FramesDeclared(), FramesFound());
    const int64_t fileSize = avio_size(m_format->pb);
    return fileSize > 0 ? std::min(frames, fileSize / kSmallestChunk) : frames;
}

bool AviInput::Read(AVPacket* packet, bool ignoreErrors) {
    for (;;) {
        const int read = av_read_frame(m_format.get(), packet);
        if (read == AVERROR_EOF) return false;
        if (read < 0) {
            if (ignoreErrors) return false;
            Fail(read, "cannot read the AVI file");
        }
        if (packet->stream_index == m_video->index ||
            (m_audio && packet->stream_index == m_audio->index))
            return true;
        av_packet_unref(packet);
    }
}
