#pragma once

#include <QByteArrayView>
#include <QString>

// Formats no recorder makes. A header that claims one is damaged or made to do harm: converting
// to the rate it claims would ask for gigabytes.
namespace SoundPlausibility {

inline constexpr int kMaxRate = 384000;
inline constexpr int kMaxChannels = 8;

// Why a sound of RATE and CHANNELS cannot be real; empty when it can.
QString OfFormat(qint64 rate, int channels);
// Why a block of BLOCKALIGN bytes cannot hold one uncompressed sample of BITS for each of CHANNELS;
// empty when it does.
QString OfBlock(int blockAlign, int channels, int bits);
// Why the WAV header at the start of HEAD cannot be real (rate, channels, or a PCM block that
// does not hold one sample of each channel); empty when it can, or when HEAD is no WAV file.
QString OfWavHeader(QByteArrayView head);

}  // namespace SoundPlausibility
