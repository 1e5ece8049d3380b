#pragma once

#include "SoundDecoder.h"
#include "WavReader.h"

// SAMPLES as FORMAT: channels mixed down by averaging or spread by repeating, the rate changed by
// averaging (down) or linear interpolation (up). Nullopt with REASON when it would take more
// than MAXBYTES.
std::optional<QByteArray> ConvertToPcm(const WavSamples& samples, PcmFormat format, qint64 maxBytes,
                                       QString* reason = nullptr);
