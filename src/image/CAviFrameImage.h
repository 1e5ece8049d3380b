#pragma once

#include "CImageImpl.h"

#include <QByteArray>

struct ImageInfo;

// The first video frame of an AVI file (RIFF "AVI "): uncompressed DIB frames of 1 to 32 bits
// with their palette, and Motion-JPEG frames. Writing is not possible.
class CAviFrameImage final : public CImageImpl {
public:
    using CImageImpl::CImageImpl;
    bool Read(const QString& fileName) override;

    static bool Decode(const QByteArray& data, CImageImpl& image);
    // What the first frame's header says, without decoding it.
    static bool ReadHeader(const QByteArray& data, ImageInfo& info, QString& reason);
};
