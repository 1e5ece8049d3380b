#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "image/ImageLibrary.h"

// The image type a presentation shows a file as, by the text after the last "." in lower case:
// "jpg" and "jpeg" JPEG, "gif" GIF, "png" PNG, "bmp" and "dib" BMP, "avi" AVI (its first frame);
// IMAGE_NONE for anything else and for no extension.
int PresentationImageType(const QString& path);

// A card's picture, read for the presentation.
struct SlidePicture {
    enum class Outcome {
        Loaded,
        Unreadable,   // the window shows the error slide
        UnknownType,  // the window keeps the previous picture
    };
    Outcome outcome = Outcome::Unreadable;
    QImage image;    // upright, in the format the screen takes without conversion
    QString reason;  // why an unreadable one was refused, when the reader knows
};

// Reads PATH for a slide, turned upright by its camera orientation. With a FIT box the picture is
// scaled smoothly and in proportion to fit it (a JPEG decoded reduced first), so that painting it
// on a screen of that size only copies it.
SlidePicture LoadSlidePicture(const QString& path, QSize fit = {});

// What "Show image information" writes over a card.
inline QString SlideInfoText(const QString& name, const QString& description) {
    return name + QLatin1Char('\n') + description;
}
