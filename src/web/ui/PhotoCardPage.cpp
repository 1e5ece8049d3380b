#include "PhotoCardPage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

PhotoCardPage::PhotoCardPage() : HtmlWizardPage(QStringLiteral("Internet assistant, Page 2")) {
    auto* card = new QGroupBox(QStringLiteral("Photo card"));
    auto* cardFlags = new QVBoxLayout(card);
    cardFlags->addWidget(FlagBox(QStringLiteral("&Image name"), "includeImageName",
                                 &HtmlWizardSettings::includeImageName));
    cardFlags->addWidget(FlagBox(QStringLiteral("&Description"), "includeDescription",
                                 &HtmlWizardSettings::includeDescription));
    cardFlags->addWidget(FlagBox(QStringLiteral("Information last &modification date"),
                                 "includeCardDate", &HtmlWizardSettings::includeCardDate));
    cardFlags->addWidget(FlagBox(QStringLiteral("&Sound anotations"), "includeSound",
                                 &HtmlWizardSettings::includeSound));

    auto* extra = new QGroupBox(QStringLiteral("Image extra data"));
    auto* extraFlags = new QVBoxLayout(extra);
    extraFlags->addWidget(FlagBox(QStringLiteral("&File name"), "includeFileName",
                                  &HtmlWizardSettings::includeFileName));
    extraFlags->addWidget(FlagBox(QStringLiteral("File &creation date"), "includeFileDate",
                                  &HtmlWizardSettings::includeFileDate));
    extraFlags->addWidget(FlagBox(QStringLiteral("File si&ze"), "includeFileSize",
                                  &HtmlWizardSettings::includeFileSize));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageText(
        QStringLiteral("Please select the information that you want to include for each image:")));
    layout->addWidget(card);
    layout->addWidget(extra);
    layout->addStretch();
}
