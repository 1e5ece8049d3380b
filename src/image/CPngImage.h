#pragma once

#include "CImageImpl.h"

#include <QByteArray>
#include <QImage>

#include <utility>
#include <vector>

struct ImageInfo;

// Latin-1 keys and texts of a PNG's tEXt chunks.
using PngTexts = std::vector<std::pair<QByteArray, QByteArray>>;

// PNG through libpng: grey, palette, RGB and RGB with alpha, 1 to 16 bits per sample, interlaced
// or not. Alpha is composited on the blue (31, 127, 255); 16-bit samples are cut to 8 bits.
class CPngImage final : public CImageImpl {
public:
    using CImageImpl::CImageImpl;
    bool Read(const QString& fileName) override;
    bool Write(const QString& fileName) override;

    static bool Decode(const QByteArray& data, CImageImpl& image);
    // What the header says, without decoding a row; false with REASON when a full read would
    // refuse the file for it.
    static bool ReadHeader(const QByteArray& data, ImageInfo& info, QString& reason);
    static QByteArray Encode(const CImageImpl& image);
    // IMAGE (RGB, or RGBA when it has alpha) with TEXTS, written for speed rather than size:
    // for pictures made to be shown, like thumbnails and contact sheets.
    static QByteArray EncodeQuick(const QImage& image, const PngTexts& texts = {});
};
