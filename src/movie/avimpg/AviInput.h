#pragma once

#include <string>

#include "EncoderSettings.h"
#include "Libav.h"

// The input movie: an AVI file read by libavformat, its first video stream and, when there is one,
// its first audio stream.
class AviInput {
public:
    explicit AviInput(const std::string& path);

    InputFacts Facts() const;
    AVStream* Video() const { return m_video; }
    AVStream* Audio() const { return m_audio; }

    // The frames the header declares, empty chunks included, and those the index or a scan of
    // the file found: fewer when the file is cut short.
    int64_t FramesDeclared() const;
    int64_t FramesFound() const;

    // The end of the last picture in video stream ticks (one tick per frame in an AVI): all the
    // frames declared or found, but no more than the file has room for, so a damaged header cannot
    // ask for an endless movie.
    int64_t VideoEnd() const;

    // The next packet of the video or audio stream; false at the end of the file. A read error is
    // thrown unless IGNORE_ERRORS, when it ends the input.
    bool Read(AVPacket* packet, bool ignoreErrors);

private:
    struct Closer {
        void operator()(AVFormatContext* format) const { avformat_close_input(&format); }
    };
    std::unique_ptr<AVFormatContext, Closer> m_format;
    AVStream* m_video = nullptr;
    AVStream* m_audio = nullptr;
};
