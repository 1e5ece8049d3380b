#include "AudioTrack.h"

#include <algorithm>

extern "C" {
#include <libavutil/opt.h>
}

std::string Layer2EncoderName() {
    return avcodec_find_encoder_by_name("libtwolame") ? "libtwolame" : "mp2";
}

AudioTrack::AudioTrack(const AVStream* input, const EncoderSettings& settings, bool ignoreErrors)
    : m_ignoreErrors(ignoreErrors) {
    const AVCodec* decoder = avcodec_find_decoder(input->codecpar->codec_id);
    if (!decoder)
        throw AvimpgError(std::string("no decoder for the sound (") +
                          avcodec_get_name(input->codecpar->codec_id) + ")");
    m_decoder.reset(avcodec_alloc_context3(decoder));
    if (!m_decoder) throw AvimpgError("out of memory");
    Check(avcodec_parameters_to_context(m_decoder.get(), input->codecpar),
          "cannot decode the sound");
    m_decoder->pkt_timebase = input->time_base;
    Check(avcodec_open2(m_decoder.get(), decoder, nullptr), "cannot decode the sound");

    const AVCodec* encoder = avcodec_find_encoder_by_name(settings.audioEncoder.c_str());
    if (!encoder) throw AvimpgError("this libavcodec has no " + settings.audioEncoder + " encoder");
    m_encoder.reset(avcodec_alloc_context3(encoder));
    if (!m_encoder) throw AvimpgError("out of memory");
    m_encoder->sample_rate = kAudioSampleRate;
    m_encoder->time_base = {1, kAudioSampleRate};
    m_encoder->sample_fmt = AV_SAMPLE_FMT_S16;
    av_channel_layout_default(&m_encoder->ch_layout, settings.audioChannels);
    m_encoder->bit_rate = settings.audioBitrate;
    if (settings.audioEncoder == "libtwolame")
        av_opt_set(m_encoder->priv_data, "mode",
                   settings.audioChannels == 1 ? "mono"
                   : settings.jointStereo      ? "joint_stereo"
                                               : "stereo",
                   0);
    Check(avcodec_open2(m_encoder.get(), encoder, nullptr), "cannot open the Layer II encoder");

    m_fifo.reset(
        av_audio_fifo_alloc(AV_SAMPLE_FMT_S16, settings.audioChannels, m_encoder->frame_size));
    if (!m_fifo) throw AvimpgError("out of memory");
}

void AudioTrack::Decode(const AVPacket* packet, int64_t limit, const PacketSink& sink) {
    const int sent = avcodec_send_packet(m_decoder.get(), packet);
    if (sent < 0) {
        if (!m_ignoreErrors) Fail(sent, "the sound is damaged");
        ++m_skipped;
        return;
    }
    ReceiveSound();
    EncodeUpTo(limit, sink);
}

void AudioTrack::Finish(int64_t totalSamples, const PacketSink& sink) {
    if (avcodec_send_packet(m_decoder.get(), nullptr) >= 0) ReceiveSound();
    if (m_resampler) Resample(nullptr, 0);
    // Whole frames only, the nearest count: the sound then ends within half a frame of the video.
    const int frameSize = m_encoder->frame_size;
    const int64_t wanted = (totalSamples + frameSize / 2) / frameSize * frameSize;
    const int64_t missing = wanted - m_encodedSamples - av_audio_fifo_size(m_fifo.get());
    if (missing > 0) {
        std::vector<int16_t> silence(std::size_t(missing) *
                                     std::size_t(m_encoder->ch_layout.nb_channels));
        void* data[1] = {silence.data()};
        if (av_audio_fifo_write(m_fifo.get(), data, int(missing)) < missing)
            throw AvimpgError("out of memory");
    }
    EncodeUpTo(wanted, sink);
    Encode(nullptr, sink);
}

void AudioTrack::ReceiveSound() {
    for (;;) {
        const int received = avcodec_receive_frame(m_decoder.get(), m_decoded.get());
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return;
        if (received < 0) {
            if (!m_ignoreErrors) Fail(received, "the sound is damaged");
            ++m_skipped;
            return;
        }
        if (!m_resampler) {
            SwrContext* resampler = nullptr;
            Check(swr_alloc_set_opts2(&resampler, &m_encoder->ch_layout, m_encoder->sample_fmt,
                                      kAudioSampleRate, &m_decoded->ch_layout,
                                      AVSampleFormat(m_decoded->format), m_decoded->sample_rate, 0,
                                      nullptr),
                  "cannot resample the sound");
            m_resampler.reset(resampler);
            Check(swr_init(resampler), "cannot resample the sound");
        }
        Resample(const_cast<const uint8_t**>(m_decoded->extended_data), m_decoded->nb_samples);
        av_frame_unref(m_decoded.get());
    }
}

// With no INPUT, drains what the resampler still holds.
void AudioTrack::Resample(const uint8_t** input, int samples) {
    const int room = swr_get_out_samples(m_resampler.get(), samples);
    if (room <= 0) return;
    m_converted.resize(std::size_t(room) * std::size_t(m_encoder->ch_layout.nb_channels));
    uint8_t* output[1] = {reinterpret_cast<uint8_t*>(m_converted.data())};
    const int converted = swr_convert(m_resampler.get(), output, room, input, samples);
    Check(converted, "cannot resample the sound");
    void* data[1] = {m_converted.data()};
    if (av_audio_fifo_write(m_fifo.get(), data, converted) < converted)
        throw AvimpgError("out of memory");
}

void AudioTrack::EncodeUpTo(int64_t limit, const PacketSink& sink) {
    const int frameSize = m_encoder->frame_size;
    while (av_audio_fifo_size(m_fifo.get()) >= frameSize && m_encodedSamples + frameSize <= limit) {
        FramePtr frame = NewFrame();
        frame->nb_samples = frameSize;
        frame->format = m_encoder->sample_fmt;
        frame->sample_rate = kAudioSampleRate;
        Check(av_channel_layout_copy(&frame->ch_layout, &m_encoder->ch_layout), "out of memory");
        Check(av_frame_get_buffer(frame.get(), 0), "out of memory");
        av_audio_fifo_read(m_fifo.get(), reinterpret_cast<void**>(frame->data), frameSize);
        frame->pts = m_encodedSamples;
        m_encodedSamples += frameSize;
        Encode(frame.get(), sink);
    }
}

void AudioTrack::Encode(const AVFrame* frame, const PacketSink& sink) {
    Check(avcodec_send_frame(m_encoder.get(), frame), "cannot encode the sound");
    for (;;) {
        const int received = avcodec_receive_packet(m_encoder.get(), m_encoded.get());
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return;
        Check(received, "cannot encode the sound");
        sink(m_encoded.get());
        av_packet_unref(m_encoded.get());
    }
}
