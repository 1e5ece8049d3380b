#include "MpegEncoder.h"

#include <memory>

#include "AudioTrack.h"
#include "MpegOutput.h"
#include "VideoTrack.h"

namespace {

std::unique_ptr<AudioTrack> OpenAudio(const AviInput& input, const EncoderSettings& settings,
                                      bool ignoreErrors, std::vector<std::string>& notes) {
    if (!settings.audio || !input.Audio()) return nullptr;
    try {
        return std::make_unique<AudioTrack>(input.Audio(), settings, ignoreErrors);
    } catch (const AvimpgError& error) {
        if (!ignoreErrors) throw;
        notes.push_back(std::string("the movie has no sound: ") + error.what());
        return nullptr;
    }
}

}  // namespace

std::vector<std::string> EncodeMpeg(AviInput& input, const EncoderSettings& settings,
                                    CodecContextPtr videoEncoder, const std::string& output,
                                    bool ignoreErrors) {
    std::vector<std::string> notes;
    if (input.FramesFound() < input.FramesDeclared()) {
        const std::string cut =
            "the AVI file is cut short: " + std::to_string(input.FramesFound()) + " of its " +
            std::to_string(input.FramesDeclared()) + " frames are there";
        if (!ignoreErrors) throw AvimpgError(cut);
        notes.push_back(cut + "; the last picture is held");
    }
    VideoTrack video(input.Video(), *settings.layout, std::move(videoEncoder), ignoreErrors);
    const std::unique_ptr<AudioTrack> audio = OpenAudio(input, settings, ignoreErrors, notes);

    MpegOutput mpeg(output, settings);
    const int videoStream = mpeg.AddStream(video.Encoder());
    const int audioStream = audio ? mpeg.AddStream(audio->Encoder()) : -1;
    mpeg.Begin();
    const PacketSink videoSink = [&](AVPacket* packet) {
        mpeg.Write(packet, videoStream, video.Encoder()->time_base);
    };
    const PacketSink audioSink = [&](AVPacket* packet) {
        mpeg.Write(packet, audioStream, audio->Encoder()->time_base);
    };

    const AVRational inputTimeBase = input.Video()->time_base;
    const AVRational sampleTime{1, kAudioSampleRate};
    const int64_t videoEnd = input.VideoEnd();
    const int64_t soundLimit = av_rescale_q(videoEnd, inputTimeBase, sampleTime);
    PacketPtr packet = NewPacket();
    while (input.Read(packet.get(), ignoreErrors)) {
        if (packet->stream_index == input.Video()->index)
            video.Decode(packet.get(), videoSink);
        else if (audio)
            audio->Decode(packet.get(), soundLimit, audioSink);
        av_packet_unref(packet.get());
    }
    video.Finish(videoEnd, videoSink);
    if (audio)
        audio->Finish(av_rescale_q(video.OutputFrames(), video.Encoder()->time_base, sampleTime),
                      audioSink);
    mpeg.Finish();

    if (video.SkippedFrames() > 0)
        notes.push_back(std::to_string(video.SkippedFrames()) +
                        " damaged frame(s) skipped, the picture before held");
    if (audio && audio->SkippedPackets() > 0)
        notes.push_back(std::to_string(audio->SkippedPackets()) +
                        " damaged piece(s) of sound skipped");
    return notes;
}
