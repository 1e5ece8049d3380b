#pragma once

#include "WebPlaceholders.h"

#include <vector>

// How a page template's file name says which pages it makes.
enum class PageNaming { Single, PerCardCounter, PerCardImage };
PageNaming NamingOf(const QString& templateName);

// The page a per-card template writes for CARD: "{CNT0001}" becomes the position as "0001",
// "{ITERIMAGE}" the base name of the card's picture in the site.
QString CardPageName(const QString& templateName, PageNaming naming, const WebCard& card);

// A single page: the text between each "{BEGINITERATESELECTED}" and the next
// "{ENDITERATESELECTED}" repeated for every card; without such a pair, a plain page with the
// album values. CARD_PAGES as for WithCardValues.
QString ExpandSinglePage(QStringView page, const PlaceholderValues& album, const std::vector<WebCard>& cards,
                         const QStringList& cardPages, const HtmlWizardSettings& settings);
