#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

// What a picture's header says, read without decoding a pixel: the values a full read would
// give the picture (type, size, depth, colour type, palette size, transparent index).
struct ImageInfo {
    int type = -1;
    int width = 0;
    int height = 0;
    int bpp = 0;
    int colorType = 0;
    int paletteSize = 0;
    int transparentIndex = -1;
    // Bytes a decoder holds beside the picture whatever size it decodes at: the coefficients of
    // a progressive JPEG.
    std::int64_t decoderBytes = 0;
};

// The header of the file at PATH (TYPE -1: from its extension); nullopt when a full read would
// refuse the file for what its header says, with the reason in REASON.
std::optional<ImageInfo> ReadImageInfo(const QString& path, int type = -1, QString* reason = nullptr);
// The same for a file already in memory.
std::optional<ImageInfo> ReadImageInfo(const QByteArray& data, int type, QString* reason = nullptr);
