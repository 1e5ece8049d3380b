#pragma once

#include <string>

#include "AtomicFile.h"
#include "EncoderSettings.h"
#include "Libav.h"

// The MPEG-1 system stream, written through an AtomicFile: the target changes only when Finish()
// succeeds.
class MpegOutput {
public:
    MpegOutput(const std::string& path, const EncoderSettings& settings);
    ~MpegOutput();
    MpegOutput(const MpegOutput&) = delete;
    MpegOutput& operator=(const MpegOutput&) = delete;

    // A stream carrying ENCODER's packets; its index.
    int AddStream(const AVCodecContext* encoder);
    void Begin();
    void Write(AVPacket* packet, int stream, AVRational encoderTimeBase);
    void Finish();

private:
    // A failed write names the file system's reason when there is one ("No space left on device").
    void CheckWrite(int code);

    std::string m_path;
    AtomicFile m_file;
    AVFormatContext* m_format = nullptr;
    AVIOContext* m_io = nullptr;
};
