#pragma once

#include "PlaceholderValues.h"

#include <cstdint>

class CFotoObj;
class CFotoObjList;
struct HtmlWizardSettings;

// What a page knows of the album besides its header.
struct AlbumPageFacts {
    QString albumDirectory;
    QString programDirectory;
    int total = 0;
    std::int64_t now = 0;  // read once per page
};

// A card as the site shows it: its 1-based position and its picture's name in the site.
struct WebCard {
    const CFotoObj* card = nullptr;
    int position = 0;
    QString pictureName;
};

// The album placeholders of one page, the two iteration markers (removed) included. Every text
// value is escaped; the information block is markup built from escaped texts.
PlaceholderValues AlbumValues(const CFotoObjList& album, const AlbumPageFacts& facts,
                              const HtmlWizardSettings& settings);

// VALUES with the card placeholders of CARD added.
PlaceholderValues WithCardValues(PlaceholderValues values, const WebCard& card,
                                 const HtmlWizardSettings& settings);
