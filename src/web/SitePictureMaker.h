#pragma once

#include <QColor>
#include <QSize>
#include <QString>

// The picture type a site's pictures are written in; IMAGE_NONE keeps each card's file as it is.
struct PictureTarget {
    int type;
    QString extension;
};
PictureTarget PictureTargetOf(const QString& imageFormat);

// What every picture of one site is made to.
struct PictureOptions {
    PictureTarget target;
    QSize pictureBox;  // empty: each picture keeps its own size
    QSize thumbnailBox;
    int quality = 75;  // of JPEG pictures and thumbnails
    bool keepLocationAndOwner = false;  // of JPEGs' camera notes
    QColor background{Qt::white};       // under transparent pictures
};

// The type the picture of the card file SOURCE is written in: the target's, or with no target
// the file's own when browsers show it (a card of another kind becomes a JPEG).
PictureTarget EffectiveTarget(const QString& source, const PictureTarget& target);

// The picture name of the card file SOURCE in the site (before it is made unique).
QString PictureName(const QString& source, const PictureTarget& target);
// The thumbnail's name for the site picture PICTURE_NAME, inside thumbs/.
QString ThumbnailName(const QString& pictureName, const PictureTarget& target);

// One card's picture and thumbnail, with the paths they are written to and which of them are to
// be written (what an earlier run made and no change reaches is left as it is).
struct PictureJob {
    QString source;
    QString picturePath;
    QString thumbnailPath;
    bool makePicture = true;
    bool makeThumbnail = true;
};

struct PictureOutcome {
    enum Kind { Written, CopyFailed, SaveFailed } kind = Written;
    QSize picture;  // upright, as written
    QSize thumbnail;
    // A source that is missing or no picture is drawn as a stand-in, and this says why; for a
    // failed copy or save, the system's reason.
    QString problem;
};

// Writes the picture of JOB, decoded once and no larger than needed, fitted to the boxes without
// being enlarged, turned upright and laid on the background where transparent. A file that needs
// no change is copied byte for byte, but for the camera notes of a JPEG the options do not keep.
// Safe to run on many threads at once: it reports to no one.
PictureOutcome MakeSitePicture(const PictureJob& job, const PictureOptions& options);
