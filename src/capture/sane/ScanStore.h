#pragma once

#include "ScanPageReader.h"

#include <QDir>
#include <QString>
#include <vector>

class CAppSettings;
class UiServices;

// What became of one picture of a scanned page.
struct ScanStoreEvent {
    QString name;     // the file's name, relative to the folder
    bool written = false;
    QString message;  // the Messages line
    bool conversionFailed = false;  // shown in a box as well
};

// The per-image step of a scan: each page (or, with SPLIT, each photo on it) gets the next
// scanner name for PREFIX (".jpg" or ".bmp" by "flgJPG", a counter of its own, names that exist
// skipped) in FOLDER and is written there as the settings say. Only written files are listed as
// written, so no card is ever made for a picture that is not there.
std::vector<ScanStoreEvent> StoreScannedPage(const ScannedPage& page, bool split, const QString& prefix,
                                             const CAppSettings& settings, UiServices& ui,
                                             const QDir& folder = QDir::current());
