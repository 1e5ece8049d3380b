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
        name.replace(kIterImage, BaseName(card.picture->name));
    return SafeOutputName(name);
}

QString ExpandSinglePage(QStringView page, const PlaceholderValues& album, const std::vector<WebCard>& cards,
                         const QStringList& cardPages, const HtmlWizardSettings& settings) {
    // Matched ignoring case like every other placeholder of a page.
    QString out;
    qsizetype done = 0;
    for (;;) {
        const qsizetype begin = page.indexOf(kBegin, done, Qt::CaseInsensitive);
        const qsizetype end = begin < 0 ? -1 : page.indexOf(kEnd, begin, Qt::CaseInsensitive);
        if (end < 0) break;
        const qsizetype blockStart = begin + kBegin.size();
        out += album.Expand(page.mid(done, blockStart - done));
        const QStringView block = page.mid(blockStart, end - blockStart);
        if (!block.isEmpty())
            for (std::size_t i = 0; i < cards.size(); ++i)
                out += WithCardValues(album, cards, i, cardPages, settings).Expand(block);
        done = end;
    }
    return out + album.Expand(page.mid(done));
}
