#include "PageTemplates.h"

#include "HtmlText.h"

namespace {
const QString kCounter = QStringLiteral("{CNT0001}");
const QString kIterImage = QStringLiteral("{ITERIMAGE}");
const QString kBegin = QStringLiteral("{BEGINITERATESELECTED}");
const QString kEnd = QStringLiteral("{ENDITERATESELECTED}");
}  // namespace

PageNaming NamingOf(const QString& templateName) {
    if (templateName.contains(kCounter)) return PageNaming::PerCardCounter;
    if (templateName.contains(kIterImage)) return PageNaming::PerCardImage;
    return PageNaming::Single;
}

QString CardPageName(const QString& templateName, PageNaming naming, const WebCard& card) {
    QString name = templateName;
    if (naming == PageNaming::PerCardCounter)
        name.replace(kCounter, QStringLiteral("%1").arg(card.position, 4, 10, QLatin1Char('0')));
    else
        name.replace(kIterImage, card.pictureName.left(card.pictureName.lastIndexOf(QLatin1Char('.'))));
    return SafeOutputName(name);
}

QString ExpandSinglePage(QStringView page, const PlaceholderValues& album, const std::vector<WebCard>& cards,
                         const HtmlWizardSettings& settings) {
    // Matched ignoring case like every other placeholder of a page.
    const qsizetype begin = page.indexOf(kBegin, 0, Qt::CaseInsensitive);
    const qsizetype end = page.indexOf(kEnd, std::max<qsizetype>(begin, 0), Qt::CaseInsensitive);
    if (begin < 0 || end < 0) return album.Expand(page);
    const qsizetype blockStart = begin + kBegin.size();
    const QStringView block = page.mid(blockStart, end - blockStart);
    QString out = album.Expand(page.left(blockStart));
    if (!block.isEmpty())
        for (const WebCard& card : cards) out += WithCardValues(album, card, settings).Expand(block);
    out += album.Expand(page.mid(end));
    return out;
}
