#pragma once

#include "CImageImpl.h"

#include <QByteArray>

struct ImageInfo;

// JPEG through libjpeg: grey files become 8-bit pictures with a grey palette, colour files (CMYK
// and YCCK too) 24-bit ones; pictures are written as 24-bit colour JPEGs at the quality the object was made with.
class CJpegImage final : public CImageImpl {
public:
    explicit CJpegImage(const QString& fileName = {});
    bool Read(const QString& fileName) override;
    bool Write(const QString& fileName) override;

    int Quality() const { return m_quality; }
    void SetQuality(int quality) { m_quality = quality; }

    // Decodes JPEG data into IMAGE, reduced by libjpeg's DCT scaling to SCALE_DENOM (1, 2, 4 or
    // 8); false on corrupt or truncated data.
    static bool Decode(const QByteArray& data, CImageImpl& image, int scaleDenom = 1);
    // What the header says, without decoding; false with REASON when a full read would refuse
    // the file for it.
    static bool ReadHeader(const QByteArray& data, ImageInfo& info, QString& reason);
    // The JPEG file of IMAGE, or an empty array on failure.
    static QByteArray Encode(const CImageImpl& image, int quality);

private:
    int m_quality;
};
