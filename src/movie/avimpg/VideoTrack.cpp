#include "VideoTrack.h"

#include <algorithm>

extern "C" {
#include <libavutil/imgutils.h>
}

VideoTrack::VideoTrack(const AVStream* input, const PictureLayout& layout, CodecContextPtr encoder,
                       bool ignoreErrors)
    : m_inputTimeBase(input->time_base),
      m_inputSize{input->codecpar->width, input->codecpar->height},
      m_layout(layout),
      m_ignoreErrors(ignoreErrors),
      m_encoder(std::move(encoder)) {
    const AVCodec* codec = avcodec_find_decoder(input->codecpar->codec_id);
    if (!codec)
        throw AvimpgError(std::string("no decoder for the video (") +
                          avcodec_get_name(input->codecpar->codec_id) + ")");
    m_decoder.reset(avcodec_alloc_context3(codec));
    if (!m_decoder) throw AvimpgError("out of memory");
    Check(avcodec_parameters_to_context(m_decoder.get(), input->codecpar),
          "cannot decode the video");
    m_decoder->pkt_timebase = input->time_base;
    Check(avcodec_open2(m_decoder.get(), codec, nullptr), "cannot decode the video");
    Check(avcodec_open2(m_encoder.get(), nullptr, nullptr), "cannot open the MPEG-1 video encoder");
}

void VideoTrack::Decode(const AVPacket* packet, const PacketSink& sink) {
    // An empty chunk: the picture before it goes on.
    if (packet->size == 0) return;
    const int sent = avcodec_send_packet(m_decoder.get(), packet);
    if (sent < 0) return Damaged(sent, packet->pts);
    ReceivePictures(sink);
}

void VideoTrack::Finish(int64_t inputEnd, const PacketSink& sink) {
    if (avcodec_send_packet(m_decoder.get(), nullptr) >= 0) ReceivePictures(sink);
    if (!m_held) throw AvimpgError("no picture could be read from the AVI file");
    // An AVI frame lasts one tick.
    const int64_t end = std::max(inputEnd, m_lastTicks + 1);
    EncodeHeldUntil(std::max<int64_t>(1, OutputIndex(end)), sink);
    Encode(nullptr, sink);
}

void VideoTrack::ReceivePictures(const PacketSink& sink) {
    for (;;) {
        const int received = avcodec_receive_frame(m_decoder.get(), m_decoded.get());
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return;
        if (received < 0) return Damaged(received, AV_NOPTS_VALUE);
        Show(m_decoded.get(), sink);
        av_frame_unref(m_decoded.get());
    }
}

void VideoTrack::Damaged(int code, int64_t ticks) {
    if (!m_ignoreErrors) {
        const std::string frame =
            ticks == AV_NOPTS_VALUE ? "a frame" : "frame " + std::to_string(ticks + 1);
        Fail(code, frame + " is damaged");
    }
    ++m_skipped;
}

void VideoTrack::Show(AVFrame* decoded, const PacketSink& sink) {
    const int64_t ticks = decoded->best_effort_timestamp != AV_NOPTS_VALUE
                              ? decoded->best_effort_timestamp
                              : m_lastTicks + 1;
    if (decoded->width != m_inputSize.width || decoded->height != m_inputSize.height)
        return Damaged(AVERROR_INVALIDDATA, ticks);
    // The first picture also covers any damaged frames before it.
    if (m_held) EncodeHeldUntil(OutputIndex(ticks), sink);
    m_held = Convert(decoded);
    m_lastTicks = std::max(m_lastTicks, ticks);
}

FramePtr VideoTrack::Convert(AVFrame* decoded) {
    const PictureRect& source = m_layout.source;
    decoded->crop_left = std::size_t(source.x);
    decoded->crop_top = std::size_t(source.y);
    decoded->crop_right = std::size_t(decoded->width - source.x - source.width);
    decoded->crop_bottom = std::size_t(decoded->height - source.y - source.height);
    Check(av_frame_apply_cropping(decoded, AV_FRAME_CROP_UNALIGNED), "cannot crop the picture");

    const PictureRect& picture = m_layout.picture;
    m_scaler.reset(sws_getCachedContext(
        m_scaler.release(), decoded->width, decoded->height, AVPixelFormat(decoded->format),
        picture.width, picture.height, AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr, nullptr));
    if (!m_scaler) throw AvimpgError("cannot convert pictures of this pixel format");

    FramePtr frame = NewFrame();
    frame->format = AV_PIX_FMT_YUV420P;
    frame->width = m_layout.frame.width;
    frame->height = m_layout.frame.height;
    frame->sample_aspect_ratio = m_encoder->sample_aspect_ratio;
    Check(av_frame_get_buffer(frame.get(), 0), "out of memory");
    if (picture.width != frame->width || picture.height != frame->height) {
        const ptrdiff_t linesizes[4] = {frame->linesize[0], frame->linesize[1], frame->linesize[2],
                                        0};
        av_image_fill_black(frame->data, linesizes, AV_PIX_FMT_YUV420P, AVCOL_RANGE_MPEG,
                            frame->width, frame->height);
    }
    // The picture's place in the frame; its offsets are even, so whole chroma samples.
    uint8_t* const target[4] = {frame->data[0] + picture.y * frame->linesize[0] + picture.x,
                                frame->data[1] + picture.y / 2 * frame->linesize[1] + picture.x / 2,
                                frame->data[2] + picture.y / 2 * frame->linesize[2] + picture.x / 2,
                                nullptr};
    sws_scale(m_scaler.get(), decoded->data, decoded->linesize, 0, decoded->height, target,
              frame->linesize);
    return frame;
}

void VideoTrack::EncodeHeldUntil(int64_t outputIndex, const PacketSink& sink) {
    while (m_nextOutput < outputIndex) {
        FramePtr frame(av_frame_clone(m_held.get()));
        if (!frame) throw AvimpgError("out of memory");
        frame->pts = m_nextOutput++;
        Encode(frame.get(), sink);
    }
}

void VideoTrack::Encode(const AVFrame* frame, const PacketSink& sink) {
    Check(avcodec_send_frame(m_encoder.get(), frame), "cannot encode the video");
    for (;;) {
        const int received = avcodec_receive_packet(m_encoder.get(), m_encoded.get());
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return;
        Check(received, "cannot encode the video");
        sink(m_encoded.get());
        av_packet_unref(m_encoded.get());
    }
}

int64_t VideoTrack::OutputIndex(int64_t ticks) const {
    return av_rescale_q_rnd(ticks, m_inputTimeBase, m_encoder->time_base, AV_ROUND_NEAR_INF);
}
