#pragma once

#include <QString>

class CAlboraDoc;
class UiServices;
struct HtmlWizardSettings;

// Cards a site may hold; the page counter has room for more, but the product promised this.
constexpr int kMaxWebCards = 999;

// The templates folder shipped with the program ("HTMLWIZ"), which holds FORMATS/, STYLES/ and
// BUTTONS/; empty when none is found.
QString DefaultTemplatesDirectory();

enum class WebSiteResult {
    Complete,
    Incomplete,  // the site was made, but something in it failed or shows a stand-in
    NotMade,     // refused, stopped or aborted before the pages
};

// Writes the static site of the document's working list into SETTINGS.outputDirectory: every
// card's picture and thumbnail, the pages of the chosen format expanded with album and card
// data, the files of the chosen style and button sets. What an earlier run made from the same
// inputs is kept unless FULL_REBUILD; what it made and this run no longer makes is removed.
// Reports through UI.
WebSiteResult GenerateWebSite(CAlboraDoc& doc, UiServices& ui, const HtmlWizardSettings& settings,
                              const QString& templatesDirectory, bool fullRebuild = false);
