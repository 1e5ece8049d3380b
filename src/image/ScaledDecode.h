#pragma once

#include "CImageObject.h"
#include "ImageInfo.h"

#include <QByteArray>
#include <QSize>
#include <QString>
#include <optional>

// A picture file read into memory with what its header says, ready to be decoded no larger
// than it is needed.
struct OpenedPicture {
    QString file;
    int type = -1;
    QByteArray data;
    ImageInfo info;
    int orientation = 1;  // the camera's, 1 to 8

    bool Sideways() const { return orientation >= 5; }
    // The size as the picture is shown, turned upright.
    QSize Upright() const { return Sideways() ? QSize(info.height, info.width) : QSize(info.width, info.height); }
};

// FILE read and its header checked; nullopt, with the reason in REASON, when it holds no
// picture the library reads.
std::optional<OpenedPicture> OpenPicture(const QString& file, QString* reason = nullptr);

// PICTURE decoded as stored. A JPEG is reduced by libjpeg's DCT scaling to the smallest size that
// is still at least UPRIGHT_NEED when turned upright; other types are decoded whole. The picture's
// bytes are released. Very large decodes are admitted one at a time, so a pool of workers never
// holds several of them at once.
std::optional<CImageObject> DecodeAtLeast(OpenedPicture& picture, QSize uprightNeed);

// SIZE reduced in proportion to fit BOX, never enlarged, at least a pixel each way.
QSize FitWithin(QSize size, QSize box);

// SOURCE, stored as the camera held it (ORIENTATION), resized with the box filter to UPRIGHT
// once turned and then turned upright; nullopt when memory runs out.
std::optional<CImageObject> ResizeUpright(CImageObject source, QSize upright, int orientation);
