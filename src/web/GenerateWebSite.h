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

// Writes the static site of the document's working list into SETTINGS.outputDirectory: every
// card's picture, the pages of the chosen format expanded with album and card data, the files of
// the chosen style and button sets. Reports through UI; true when the site is complete.
bool GenerateWebSite(CAlboraDoc& doc, UiServices& ui, const HtmlWizardSettings& settings,
                     const QString& templatesDirectory);
