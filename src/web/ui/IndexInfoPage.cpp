#include "IndexInfoPage.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

IndexInfoPage::IndexInfoPage()
    : HtmlWizardPage(QStringLiteral("Internet assistant, Page 4")),
      m_email(new QLineEdit),
      m_moreInfo(new QPlainTextEdit) {
    m_email->setObjectName(QStringLiteral("email"));
    m_moreInfo->setObjectName(QStringLiteral("moreInfo"));
    m_moreInfo->setTabChangesFocus(true);
    m_moreInfo->setMaximumHeight(m_moreInfo->fontMetrics().lineSpacing() * 6);

    // The album's author, description and date also fill the pages' placeholders, so these stay
    // usable without the index page.
    auto* album = new QVBoxLayout;
    album->setContentsMargins(24, 0, 0, 0);
    album->addWidget(FlagBox(QStringLiteral("Album &autor name"), "includeAlbumAuthor",
                             &HtmlWizardSettings::includeAlbumAuthor));
    album->addWidget(FlagBox(QStringLiteral("Album &description"), "includeAlbumDescription",
                             &HtmlWizardSettings::includeAlbumDescription));
    album->addWidget(FlagBox(QStringLiteral("Album creation da&te"), "includeAlbumDate",
                             &HtmlWizardSettings::includeAlbumDate));

    auto* contact = new QFormLayout;
    contact->addRow(QStringLiteral("e-&mail:"), m_email);
    contact->addRow(QStringLiteral("More &info:"), m_moreInfo);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FlagBox(QStringLiteral("&Generate index information page:"),
                              "generateIndexPage", &HtmlWizardSettings::generateIndexPage));
    layout->addLayout(album);
    layout->addSpacing(12);
    layout->addLayout(contact);
    layout->addStretch();
}

void IndexInfoPage::Load(const HtmlWizardSettings& settings) {
    HtmlWizardPage::Load(settings);
    m_email->setText(settings.email);
    m_moreInfo->setPlainText(settings.moreInfo);
}

void IndexInfoPage::Store(HtmlWizardSettings& settings) const {
    HtmlWizardPage::Store(settings);
    settings.email = m_email->text();
    settings.moreInfo = m_moreInfo->toPlainText();
}
