#pragma once

#include "PlaceholderValues.h"
#include "SitePictures.h"

#include <QSize>
#include <QStringList>
#include <cstdint>
#include <vector>

class CFotoObj;
class CFotoObjList;
struct HtmlWizardSettings;

// What a page knows of the album besides its header.
struct AlbumPageFacts {
    QString albumDirectory;
    QString programDirectory;
    int total = 0;
    std::int64_t now = 0;  // read once per page
    QString firstPage, lastPage;  // of the cards' own pages
};

// A card as the site shows it.
struct WebCard {
    const CFotoObj* card = nullptr;
    int position = 0;  // 1-based
    const SitePicture* picture = nullptr;
    QString soundName;  // the note copied beside the picture, or empty
};

// The album placeholders of one page, the two iteration markers (removed) included. Every text
// value is escaped; the information block is markup built from escaped texts.
PlaceholderValues AlbumValues(const CFotoObjList& album, const AlbumPageFacts& facts,
                              const HtmlWizardSettings& settings);

// VALUES with the time of the run, where a page tells when it was made, left empty.
PlaceholderValues WithoutTimeOfRun(PlaceholderValues values);

// VALUES with the card placeholders of CARDS[I] added. PAGES are the pages one per-card template
// makes, in card order, for the links to the card's own page and its neighbours' (empty when the
// format has none).
PlaceholderValues WithCardValues(PlaceholderValues values, const std::vector<WebCard>& cards, std::size_t i,
                                 const QStringList& pages, const HtmlWizardSettings& settings);
