#pragma once

#include "EncoderSettings.h"
#include "Libav.h"
#include "PacketSink.h"

// The pictures of the input's video stream, retimed to the output rate: each input frame lasts
// as long as it did (an empty chunk holds the picture before it), so a picture is encoded again
// for every output frame that falls within its time.
class VideoTrack {
public:
    // ENCODER comes from ConfigureVideoEncoder and is opened here.
    VideoTrack(const AVStream* input, const PictureLayout& layout, CodecContextPtr encoder,
               bool ignoreErrors);

    AVCodecContext* Encoder() const { return m_encoder.get(); }
    int SkippedFrames() const { return m_skipped; }
    int64_t OutputFrames() const { return m_nextOutput; }

    void Decode(const AVPacket* packet, const PacketSink& sink);
    // Holds the last picture until INPUT_END (input ticks) or the end of the last frame read,
    // whichever is later, and drains the encoder.
    void Finish(int64_t inputEnd, const PacketSink& sink);

private:
    void ReceivePictures(const PacketSink& sink);
    void Damaged(int code, int64_t ticks);
    void Show(AVFrame* decoded, const PacketSink& sink);
    FramePtr Convert(AVFrame* decoded);
    void EncodeHeldUntil(int64_t outputIndex, const PacketSink& sink);
    void Encode(const AVFrame* frame, const PacketSink& sink);
    int64_t OutputIndex(int64_t ticks) const;

    AVRational m_inputTimeBase;
    PictureSize m_inputSize;
    PictureLayout m_layout;
    bool m_ignoreErrors;
    CodecContextPtr m_decoder;
    CodecContextPtr m_encoder;
    SwsPtr m_scaler;
    FramePtr m_decoded = NewFrame();
    PacketPtr m_encoded = NewPacket();
    FramePtr m_held;           // the picture being shown, converted for the encoder
    int64_t m_lastTicks = -1;  // when the latest picture started
    int64_t m_nextOutput = 0;  // the next output frame to encode
    int m_skipped = 0;
};
