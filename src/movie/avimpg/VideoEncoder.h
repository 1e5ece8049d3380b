#pragma once

#include <string>

#include "EncoderSettings.h"
#include "Libav.h"

// The MPEG-1 video encoder set up from SETTINGS, then from the parameter file's lines (errors name
// PARAMETER_FILE and the line); the effective bitrates, buffer, GOP, B-frames and search range are
// copied back into SETTINGS. Not opened yet. Without an input layout and rate, stand-ins take their
// place so that the parameter file can still be checked.
CodecContextPtr ConfigureVideoEncoder(EncoderSettings& settings, const std::string& parameterFile);
