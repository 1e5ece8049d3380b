#pragma once

#include "image/CImageObject.h"

#include <QString>

class VideoCapture;

// The video sources this process has running, by their GStreamer description: a camera serves
// one program at a time, so a second user either shares the frames of the running one or is
// told the source is busy. Every connected VideoCapture is listed; safe from any thread.
namespace VideoSourceRegistry {

void Claim(const QString& source, VideoCapture* user);
// Removes USER; it returns once no shared read of USER's frames is under way.
void Release(VideoCapture* user);
bool InUse(const QString& source);
// The newest frame of a running user of SOURCE, waiting up to TIMEOUT_MS; invalid when none runs.
CImageObject SharedFrame(const QString& source, int timeoutMs);

}  // namespace VideoSourceRegistry
