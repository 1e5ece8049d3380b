#pragma once

#include "platform/media/AudioCapture.h"

#include <QString>
#include <cstdint>
#include <optional>

// How sequences are captured: the capture configuration's values, kept by the Video for Windows
// window for the run.
struct CaptureParameters {
    int microSecPerFrame = 66666;  // 15 frames a second, truncated as the dialog stores it
    int percentDropForError = 10;
    bool captureToMemory = false;
    bool writeCacheOff = false;
    bool captureAudio = false;
    bool compressed = true;  // MJPEG, else uncompressed frames
    int timeLimitSeconds = 0;  // 0: until stopped
    RecordingFormat audioFormat{8, 1, 11025};

    // 32 buffers when capturing to memory, else 1000.
    int VideoBuffers() const { return captureToMemory ? 32 : 1000; }
    // Whether DROPPED of the camera's FRAMES is more than counts as a good capture.
    bool TooManyDropped(int dropped, int frames) const {
        return frames > 0 && std::int64_t(dropped) * 100 > std::int64_t(percentDropForError) * frames;
    }
    // The rate these parameters give; a stored period of 0 or less reads as 15 a second rather
    // than dividing by it.
    double FramesPerSecond() const;
};

constexpr double kLeastFrameRate = 0.1;
constexpr double kMostFrameRate = 120;

// The period of RATE frames a second, truncated to whole microseconds; nullopt with the message
// in REFUSAL for a rate outside 0.1 to 120.
std::optional<int> MicrosecondsPerFrame(double rate, QString* refusal = nullptr);

// MEGABYTES as bytes, in 64 bits: 4096 MB must not wrap to nothing.
constexpr std::int64_t CaptureFileBytes(int megabytes) { return std::int64_t(megabytes) << 20; }

// Makes PATH the capture file and reserves MEGABYTES for it on the disk; false, with the
// program's message, when the disk cannot give that much (nothing is left behind then).
bool ReserveCaptureFile(const QString& path, int megabytes, QString* error = nullptr);
