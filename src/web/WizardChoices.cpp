#include "WizardChoices.h"

#include "HtmlWizardSettings.h"

#include "album/ChoiceFlags.h"

namespace {

constexpr ChoiceFlag<HtmlWizardSettings> kFlags[] = {
    {&CAppSettings::WebKeepLocation, &HtmlWizardSettings::keepLocationAndOwner},
    {&CAppSettings::WebImageName, &HtmlWizardSettings::includeImageName},
    {&CAppSettings::WebDescription, &HtmlWizardSettings::includeDescription},
    {&CAppSettings::WebCardDate, &HtmlWizardSettings::includeCardDate},
    {&CAppSettings::WebSound, &HtmlWizardSettings::includeSound},
    {&CAppSettings::WebFileName, &HtmlWizardSettings::includeFileName},
    {&CAppSettings::WebFileDate, &HtmlWizardSettings::includeFileDate},
    {&CAppSettings::WebFileSize, &HtmlWizardSettings::includeFileSize},
    {&CAppSettings::WebIndexPage, &HtmlWizardSettings::generateIndexPage},
    {&CAppSettings::WebAlbumAuthor, &HtmlWizardSettings::includeAlbumAuthor},
    {&CAppSettings::WebAlbumDescription, &HtmlWizardSettings::includeAlbumDescription},
    {&CAppSettings::WebAlbumDate, &HtmlWizardSettings::includeAlbumDate},
};

struct TextKey {
    QString CAppSettings::*stored;
    QString HtmlWizardSettings::*chosen;
};

// The lists take the first item that begins with a stored text, so any text is safe to offer.
constexpr TextKey kTexts[] = {
    {&CAppSettings::WebImageFormat, &HtmlWizardSettings::imageFormat},
    {&CAppSettings::WebStyleSet, &HtmlWizardSettings::styleSet},
    {&CAppSettings::WebButtonSet, &HtmlWizardSettings::buttonSet},
    {&CAppSettings::WebEmail, &HtmlWizardSettings::email},
    {&CAppSettings::WebMoreInfo, &HtmlWizardSettings::moreInfo},
};

}  // namespace

void RecallWizardChoices(const CAppSettings& stored, HtmlWizardSettings& choices) {
    RecallFlags<HtmlWizardSettings>(kFlags, stored, choices);
    for (const TextKey& text : kTexts) choices.*text.chosen = stored.*text.stored;
    choices.pageFormat = stored.WebPageFormat;
    // A box edited into something else keeps the assistant's own; a thumbnail needs a size.
    if (const std::optional<QSize> box = ParseBox(stored.WebPictureBox)) choices.pictureBox = *box;
    if (const std::optional<QSize> box = ParseBox(stored.WebThumbnailBox); box && !box->isEmpty())
        choices.thumbnailBox = *box;
}

void RememberWizardChoices(const HtmlWizardSettings& choices, CAppSettings& stored) {
    RememberFlags<HtmlWizardSettings>(kFlags, choices, stored);
    for (const TextKey& text : kTexts) stored.*text.stored = choices.*text.chosen;
    stored.WebPageFormat = choices.pageFormat;
    stored.WebPictureBox = BoxText(choices.pictureBox);
    stored.WebThumbnailBox = BoxText(choices.thumbnailBox);
}
