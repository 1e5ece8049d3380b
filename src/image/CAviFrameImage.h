#pragma once

#include "CImageImpl.h"

#include <QByteArray>

struct ImageInfo;

// The first video frame of an AVI file (RIFF "AVI "): uncompressed DIB frames of 1 to 32 bits
// with their palette, and Motion-JPEG frames, found by offset so that a movie of any size is
// never read whole. Writing is not possible.
class CAviFrameImage final : public CImageImpl {
public:
    using CImageImpl::CImageImpl;
    bool Read(const QString& fileName) override;

    static bool Decode(const QByteArray& data, CImageImpl& image);
    // What the first frame's header says, without decoding it.
    static bool ReadHeader(const QByteArray& data, ImageInfo& info, QString& reason);
    // The same for the file FILENAME, of which only the headers and the first frame are read.
    static bool ReadFileHeader(const QString& fileName, ImageInfo& info, QString& reason);
};
