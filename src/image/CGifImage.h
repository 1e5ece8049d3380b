#pragma once

#include "CImageImpl.h"

#include <QByteArray>

struct ImageInfo;

// GIF with the program's own LZW coder: reads the first image of a GIF87a or GIF89a file
// (interlaced or not, with transparency from the graphic control extension) and writes GIF87a
// files of one 8-bit image with a 256-entry global colour table.
class CGifImage final : public CImageImpl {
public:
    using CImageImpl::CImageImpl;
    bool Read(const QString& fileName) override;
    bool Write(const QString& fileName) override;

    // A truncated or damaged file keeps the rows decoded so far and still succeeds; false only
    // when no GIF could be started.
    static bool Decode(const QByteArray& data, CImageImpl& image);
    // What the first image's descriptor and the extensions before it say, without decoding.
    static bool ReadHeader(const QByteArray& data, ImageInfo& info, QString& reason);
    // The GIF file of IMAGE, or an empty array when IMAGE has no palette or more than 8 bits.
    static QByteArray Encode(const CImageImpl& image);
};
