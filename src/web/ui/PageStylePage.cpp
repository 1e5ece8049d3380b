#include "PageStylePage.h"

#include "SvgPicture.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

struct FormatChoice {
    int id;
    const char* text;
    const char* name;
    const char* picture;
};

constexpr FormatChoice kFormats[] = {
    {PageFormatId::Normal, "No&rmal", "pageFormatNormal", ":/web/normal.svg"},
    {PageFormatId::Frames, "&Frames", "pageFormatFrames", ":/web/frames.svg"},
    {PageFormatId::OnePage, "&One page", "pageFormatOnePage", ":/web/onepage.svg"},
    {PageFormatId::MinMax, "&Min/Max", "pageFormatMinMax", ":/web/minmax.svg"},
};

constexpr QSize kPictureSize(96, 72);

}  // namespace

PageStylePage::PageStylePage()
    : HtmlWizardPage(QStringLiteral("Internet assistant, Page 3")),
      m_formats(new QButtonGroup(this)),
      m_styleSet(ChoiceBox("styleSet", {QStringLiteral("Classic"), QStringLiteral("Albora"),
                                        QStringLiteral("Formal")})),
      m_buttonSet(ChoiceBox("buttonSet", {QStringLiteral("Classic"), QStringLiteral("Rounded"),
                                          QStringLiteral("Albora")})) {
    auto* formats = new QGridLayout;
    int column = 0;
    for (const FormatChoice& format : kFormats) {
        auto* radio = new QRadioButton(QString::fromLatin1(format.text));
        radio->setObjectName(QString::fromLatin1(format.name));
        m_formats->addButton(radio, format.id);
        formats->addWidget(SvgLabel(QString::fromLatin1(format.picture), kPictureSize), 0, column,
                           Qt::AlignCenter);
        formats->addWidget(radio, 1, column++, Qt::AlignCenter);
    }

    auto* sets = new QFormLayout;
    sets->addRow(QStringLiteral("&General page style:"), m_styleSet);
    sets->addRow(QStringLiteral("B&utton style:"), m_buttonSet);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageText(QStringLiteral("Please select the page style:")));
    layout->addLayout(formats);
    layout->addSpacing(12);
    layout->addLayout(sets);
    layout->addStretch();
}

void PageStylePage::Load(const HtmlWizardSettings& settings) {
    QAbstractButton* format = m_formats->button(settings.pageFormat);
    (format ? format : m_formats->button(PageFormatId::Normal))->setChecked(true);
    SelectByPrefix(m_styleSet, settings.styleSet);
    SelectByPrefix(m_buttonSet, settings.buttonSet);
}

void PageStylePage::Store(HtmlWizardSettings& settings) const {
    settings.pageFormat = m_formats->checkedId();
    settings.styleSet = m_styleSet->currentText();
    settings.buttonSet = m_buttonSet->currentText();
}
