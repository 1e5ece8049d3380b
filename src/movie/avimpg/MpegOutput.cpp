#include "MpegOutput.h"

#include <cstring>

extern "C" {
#include <libavutil/opt.h>
}

namespace {

constexpr int kIoBufferSize = 64 * 1024;

int WriteToFile(void* file, uint8_t* data, int size) {
    auto* target = static_cast<AtomicFile*>(file);
    return target->Write(data, size) ? size : AVERROR(target->WriteError());
}

}  // namespace

MpegOutput::MpegOutput(const std::string& path, const EncoderSettings& settings)
    : m_path(path), m_file(path) {
    Check(avformat_alloc_output_context2(&m_format, nullptr, settings.muxer.c_str(), nullptr),
          "cannot make an MPEG system stream");
    auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferSize));
    m_io = buffer ? avio_alloc_context(buffer, kIoBufferSize, 1, &m_file, nullptr, WriteToFile,
                                       nullptr)
                  : nullptr;
    if (!m_io) {
        av_free(buffer);
        throw AvimpgError("out of memory");
    }
    m_format->pb = m_io;
    m_format->flags |= AVFMT_FLAG_CUSTOM_IO;
    m_format->packet_size = unsigned(settings.packetSize);
    av_opt_set_int(m_format->priv_data, "muxrate", settings.muxrate, 0);
    av_opt_set_int(m_format->priv_data, "preload", settings.preloadMicroseconds, 0);
}

MpegOutput::~MpegOutput() {
    avformat_free_context(m_format);
    if (m_io) av_freep(&m_io->buffer);
    avio_context_free(&m_io);
}

int MpegOutput::AddStream(const AVCodecContext* encoder) {
    AVStream* stream = avformat_new_stream(m_format, nullptr);
    if (!stream) throw AvimpgError("out of memory");
    Check(avcodec_parameters_from_context(stream->codecpar, encoder),
          "cannot make an MPEG system stream");
    stream->time_base = encoder->time_base;
    return stream->index;
}

void MpegOutput::Begin() { CheckWrite(avformat_write_header(m_format, nullptr)); }

void MpegOutput::Write(AVPacket* packet, int stream, AVRational encoderTimeBase) {
    packet->stream_index = stream;
    av_packet_rescale_ts(packet, encoderTimeBase, m_format->streams[stream]->time_base);
    CheckWrite(av_interleaved_write_frame(m_format, packet));
}

void MpegOutput::Finish() {
    CheckWrite(av_write_trailer(m_format));
    avio_flush(m_io);
    CheckWrite(m_io->error);
    m_file.Commit();
}

void MpegOutput::CheckWrite(int code) {
    if (code < 0 && m_file.WriteError())
        throw AvimpgError("cannot write " + m_path + ": " + std::strerror(m_file.WriteError()));
    Check(code, "cannot write the MPEG system stream");
}
