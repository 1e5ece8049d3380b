#pragma once

#include <string>
#include <vector>

#include "EncoderSettings.h"
#include "Libav.h"
#include "PacketSink.h"

// The Layer II encoder this libavcodec offers: libtwolame when it is there (it does joint
// stereo), else FFmpeg's own.
std::string Layer2EncoderName();

// The input's sound resampled to 44.1 kHz and encoded as MPEG-1 Layer II, cut or padded with
// silence to the length of the video.
class AudioTrack {
public:
    AudioTrack(const AVStream* input, const EncoderSettings& settings, bool ignoreErrors);

    AVCodecContext* Encoder() const { return m_encoder.get(); }
    int SkippedPackets() const { return m_skipped; }

    // Encodes whole frames as they come, but none beyond LIMIT samples: the video's length as far
    // as it is known.
    void Decode(const AVPacket* packet, int64_t limit, const PacketSink& sink);
    void Finish(int64_t totalSamples, const PacketSink& sink);

private:
    void ReceiveSound();
    void Resample(const uint8_t** input, int samples);
    void EncodeUpTo(int64_t limit, const PacketSink& sink);
    void Encode(const AVFrame* frame, const PacketSink& sink);

    bool m_ignoreErrors;
    CodecContextPtr m_decoder;
    CodecContextPtr m_encoder;
    SwrPtr m_resampler;
    AudioFifoPtr m_fifo;
    FramePtr m_decoded = NewFrame();
    PacketPtr m_encoded = NewPacket();
    std::vector<int16_t> m_converted;
    int64_t m_encodedSamples = 0;
    int m_skipped = 0;
};
