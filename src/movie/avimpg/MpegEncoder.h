#pragma once

#include <string>
#include <vector>

#include "AviInput.h"
#include "EncoderSettings.h"
#include "Libav.h"

// Encodes INPUT into the MPEG file OUTPUT as SETTINGS say, with VIDEO_ENCODER from
// ConfigureVideoEncoder. Failures throw AvimpgError; OUTPUT is then as it was. The notes tell
// what IGNORE_ERRORS let pass.
std::vector<std::string> EncodeMpeg(AviInput& input, const EncoderSettings& settings,
                                    CodecContextPtr videoEncoder, const std::string& output,
                                    bool ignoreErrors);
