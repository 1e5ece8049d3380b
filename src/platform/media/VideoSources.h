#pragma once

#include <QString>
#include <vector>

// A camera the video capture can use, by its place in the list of capture drivers (0 to 9).
struct VideoSource {
    QString name;      // "Integrated Camera", or the pipeline of ALBORA_VIDEO_SOURCE
    QString pipeline;  // the GStreamer source: "v4l2src device=/dev/video0"
};

// ALBORA_VIDEO_SOURCE's pipeline first when it is set (so that tests and the user's own sources
// stand where a camera would), then GStreamer's video sources with a device path; at most ten.
std::vector<VideoSource> ListVideoSources();
