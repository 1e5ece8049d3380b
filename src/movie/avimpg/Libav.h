#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <memory>
#include <stdexcept>
#include <string>

// Owners of libav objects.
struct LibavDeleter {
    void operator()(AVCodecContext* p) const { avcodec_free_context(&p); }
    void operator()(AVFrame* p) const { av_frame_free(&p); }
    void operator()(AVPacket* p) const { av_packet_free(&p); }
    void operator()(SwsContext* p) const { sws_freeContext(p); }
    void operator()(SwrContext* p) const { swr_free(&p); }
    void operator()(AVAudioFifo* p) const { av_audio_fifo_free(p); }
};
using CodecContextPtr = std::unique_ptr<AVCodecContext, LibavDeleter>;
using FramePtr = std::unique_ptr<AVFrame, LibavDeleter>;
using PacketPtr = std::unique_ptr<AVPacket, LibavDeleter>;
using SwsPtr = std::unique_ptr<SwsContext, LibavDeleter>;
using SwrPtr = std::unique_ptr<SwrContext, LibavDeleter>;
using AudioFifoPtr = std::unique_ptr<AVAudioFifo, LibavDeleter>;

// Why avimpg stops: printed as "avimpg: SUBJECT: what()", SUBJECT the input unless set.
class AvimpgError : public std::runtime_error {
public:
    explicit AvimpgError(const std::string& why, std::string subject = {})
        : std::runtime_error(why), m_subject(std::move(subject)) {}
    const std::string& Subject() const { return m_subject; }

private:
    std::string m_subject;
};

// Keeps libav's own error messages instead of printing them, so a failure is one line of ours.
void CaptureLibavMessages();

// Throws WHAT with the cause of a failed libav call (CODE < 0): the last message libav logged since
// the previous check, which names the cause better than the code, else the code's text.
void Check(int code, const std::string& what);
[[noreturn]] void Fail(int code, const std::string& what);

FramePtr NewFrame();
PacketPtr NewPacket();
