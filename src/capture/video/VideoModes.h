#pragma once

#include "VideoCapture.h"

#include <vector>

// What a camera can send: each encoding with its sizes and rates. Ranges (a test source, some
// drivers) are offered at the usual sizes and rates that fall inside them.
std::vector<VideoFormat> SourceModes(const QString& source, QString* error = nullptr);

// The encoding as people know it: "YUY2", "MJPG".
QString EncodingName(const QString& encoding);
