#pragma once

#include "CImageImpl.h"

#include <QByteArray>

struct ImageInfo;

// Windows bitmaps: with or without the 14-byte file header, 12-byte core and 40-byte or longer
// information headers, 1, 4, 8, 16, 24 and 32 bits, RLE4 and RLE8, bottom-up and top-down.
// Pictures of 16 and 32 bits are held as 24-bit ones.
class CBmpImage final : public CImageImpl {
public:
    using CImageImpl::CImageImpl;
    bool Read(const QString& fileName) override;
    bool Write(const QString& fileName) override;

    // Decodes a bitmap file or a bare DIB held in memory into IMAGE.
    static bool Decode(const QByteArray& data, CImageImpl& image);
    // What the header says, every size checked as Decode checks it, without decoding a pixel.
    static bool ReadHeader(const QByteArray& data, ImageInfo& info, QString& reason);
    // The file's bytes: file header, header, the palette's colours and the pixels.
    static QByteArray Encode(const CImageImpl& image);
};
