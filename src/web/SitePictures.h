#pragma once

#include <QString>
#include <vector>

class UiServices;

// The picture type a site's pictures are written in; IMAGE_NONE keeps each card's file as it is.
struct PictureTarget {
    int type;
    QString extension;
};
PictureTarget PictureTargetOf(const QString& imageFormat);

// The picture name of the card file SOURCE in the site (before it is made unique): its base name
// with the target's extension, or its own with no target.
QString PictureName(const QString& source, const PictureTarget& target);

// One card's picture: where it comes from and its name in the site.
struct SitePicture {
    QString source;
    QString name;
};

// Writes every picture into OUTDIR, copying a file already of the target type and converting the
// others. An unreadable or unsaved picture ends the pictures (the pages still follow); false only
// when the user chose Abort.
bool WritePictures(const std::vector<SitePicture>& pictures, const QString& outDir, const PictureTarget& target,
                   UiServices& ui);
