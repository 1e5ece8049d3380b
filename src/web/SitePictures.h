#pragma once

#include "SitePictureMaker.h"

#include <QStringList>
#include <vector>

class SiteManifest;
class UiServices;

// One card's picture in the site, as the pages show it.
struct SitePicture {
    QString source;
    QString name;       // in the site folder
    QString thumbnail;  // "thumbs/" + its name
    QSize size;         // upright, once written
    QSize thumbnailSize;
    QString problem;  // why a stand-in shows instead of the card's picture
};

// What became of the pictures as a whole.
struct PicturesResult {
    bool aborted = false;  // the user chose Abort, or Esc: nothing more is to be written
    bool failed = false;   // a picture could not be written; the others were not tried
};

// The paths of one run: where the site goes, what earlier runs made, what this one makes.
struct SiteOutputs {
    QString folder;
    const SiteManifest& previous;
    SiteManifest& current;
    bool fullRebuild = false;
};

// Writes every picture and its thumbnail on a pool of workers, reusing those an earlier run made
// from the same file with the same options. Messages, progress and Esc are handled here on the
// calling thread, in card order, while the workers go on.
PicturesResult WritePictures(std::vector<SitePicture>& pictures, const PictureOptions& options, SiteOutputs& outputs,
                             UiServices& ui);
