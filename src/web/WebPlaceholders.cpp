#include "WebPlaceholders.h"

#include "CardFileFacts.h"
#include "HtmlText.h"
#include "HtmlWizardSettings.h"

#include "album/CFotoObjList.h"
#include "platform/CTime.h"

#include <QRegularExpression>

namespace {

const char* const kLongDate = "%B %d, %Y %H:%M:%S";

QString Clock(const char* format, std::int64_t seconds) {
    return CTime::Format(format, seconds).value_or(QString());
}

// The card's name as the site shows it. A name that is a path (what a card filled from a folder
// is named) shows only its file name: a site is published, and the user's folders are no one's
// business.
QString ShownName(const CFotoObj& card) {
    const QString& name = card.m_strName;
    static const QRegularExpression path(QStringLiteral("^(/|[A-Za-z]:[\\\\/]|\\\\\\\\)"));
    if (name != card.m_strGraphic && !path.match(name).hasMatch()) return name;
    return name.mid(std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\'))) + 1);
}

QString CardInfoBlock(const WebCard& web, const QString& date, const HtmlWizardSettings& s) {
    QString block = QStringLiteral("<B>");
    if (s.includeImageName) block += HtmlEscape(ShownName(*web.card));
    block += QStringLiteral("</B><UL>");
    if (s.includeCardDate) block += QStringLiteral("<LI>") + date;
    if (s.includeDescription) block += QStringLiteral("<LI>") + HtmlEscape(web.card->m_strDescription);
    if (s.includeFileName) block += QStringLiteral("<LI>") + HtmlEscape(web.picture->name);
    // Of the card's own file, not of the copy the site shows; left out when it cannot be read.
    const auto fact = [&block](const QString& value) {
        if (!value.isEmpty()) block += QStringLiteral("<LI>") + HtmlEscape(value);
    };
    if (s.includeFileDate) fact(CardFileFacts::CreationDate(web.picture->source));
    if (s.includeFileSize) fact(CardFileFacts::Size(web.picture->source));
    block += QStringLiteral("</UL>");
    if (!web.soundName.isEmpty())
        block += QStringLiteral("<audio controls preload=\"none\" src=\"") + UrlPath(web.soundName) +
                 QStringLiteral("\"></audio>");
    return block;
}

// The album's name, then its facts as items of a list (a list holds nothing else); a fact the
// album or the user left empty is left out, label and all.
QString AlbumInfoBlock(const CFotoObjList& album, const QString& created, const HtmlWizardSettings& s) {
    QString items;
    const auto add = [&items](const char* label, const QString& value, const char* between = "") {
        if (!value.isEmpty())
            items += QStringLiteral("<LI><B>%1: </B>%2").arg(QLatin1String(label), QLatin1String(between) + value);
    };
    if (s.includeAlbumDate) add("Creation date", created);
    if (s.includeAlbumDescription) add("Description", HtmlEscape(album.m_strDescription), "<BR>");
    if (s.includeAlbumAuthor) add("Author", HtmlEscape(album.m_strAuthor));
    const QString email = HtmlEscape(s.email);
    if (!email.isEmpty()) add("Email", QStringLiteral("<A HREF=\"MAILTO:%1\">%1</A>").arg(email));
    add("More information", HtmlEscape(s.moreInfo), "<BR>");
    QString block;
    if (!album.m_strName.isEmpty()) block = QStringLiteral("<B>Album name: </B>") + HtmlEscape(album.m_strName);
    if (!items.isEmpty()) block += QStringLiteral("<UL>") + items + QStringLiteral("</UL>");
    return block;
}

}  // namespace

PlaceholderValues AlbumValues(const CFotoObjList& album, const AlbumPageFacts& facts,
                              const HtmlWizardSettings& settings) {
    const QString created = HtmlEscape(Clock(kLongDate, album.m_timeCreated));
    PlaceholderValues v;
    v.Set(QStringLiteral("{BEGINITERATESELECTED}"), {});
    v.Set(QStringLiteral("{ENDITERATESELECTED}"), {});
    v.Set(QStringLiteral("{ALBOPATH}"), HtmlEscape(facts.programDirectory));
    v.Set(QStringLiteral("{CURDATETIME}"), HtmlEscape(Clock(kLongDate, facts.now)));
    v.Set(QStringLiteral("{CURDATE}"), HtmlEscape(Clock("%B %d, %Y", facts.now)));
    v.Set(QStringLiteral("{CURTIME}"), HtmlEscape(Clock("%H:%M:%S", facts.now)));
    v.Set(QStringLiteral("{CRPNAME}"), HtmlEscape(album.m_strName));
    v.Set(QStringLiteral("{CRPDESC}"), HtmlEscape(album.m_strDescription));
    v.Set(QStringLiteral("{CRPAUTHOR}"), HtmlEscape(album.m_strAuthor));
    v.Set(QStringLiteral("{CRPPATH}"), HtmlEscape(facts.albumDirectory));
    v.Set(QStringLiteral("{CRPDATE}"), settings.includeAlbumDate ? created : QString());
    v.Set(QStringLiteral("{CRPDATASELECTED}"), AlbumInfoBlock(album, created, settings));
    v.Set(QStringLiteral("{TOTALCNT}"), QString::number(facts.total));
    v.Set(QStringLiteral("{MOREINFO}"), HtmlEscape(settings.moreInfo));
    v.Set(QStringLiteral("{EMAIL}"), HtmlEscape(settings.email));
    v.Set(QStringLiteral("{FIRSTPAGE}"), UrlPath(facts.firstPage));
    v.Set(QStringLiteral("{LASTPAGE}"), UrlPath(facts.lastPage));
    v.Set(QStringLiteral("{THUMBBOXWIDTH}"), QString::number(settings.thumbnailBox.width()));
    v.Set(QStringLiteral("{THUMBBOXHEIGHT}"), QString::number(settings.thumbnailBox.height()));
    return v;
}

PlaceholderValues WithoutTimeOfRun(PlaceholderValues values) {
    for (const char* placeholder : {"{CURDATETIME}", "{CURDATE}", "{CURTIME}"}) values.Set(QString::fromLatin1(placeholder), {});
    return values;
}

PlaceholderValues WithCardValues(PlaceholderValues values, const std::vector<WebCard>& cards, std::size_t i,
                                 const QStringList& pages, const HtmlWizardSettings& settings) {
    const WebCard& web = cards[i];
    const SitePicture& picture = *web.picture;
    const QString date = HtmlEscape(CTime::CardDate(web.card->m_time).value_or(QString()));
    const auto number = [](int n) { return QString::number(n); };
    values.Set(QStringLiteral("{COUNTERPLUS}"), number(web.position));
    values.Set(QStringLiteral("{CNT0001}"), QStringLiteral("%1").arg(web.position, 4, 10, QLatin1Char('0')));
    values.Set(QStringLiteral("{IMAGEDATASELECTED}"), CardInfoBlock(web, date, settings));
    values.Set(QStringLiteral("{IMAGESELARCH}"), UrlPath(picture.name));
    values.Set(QStringLiteral("{IMAGESELNAME}"), HtmlEscape(ShownName(*web.card)));
    values.Set(QStringLiteral("{IMAGESELDESCRIP}"), HtmlEscape(web.card->m_strDescription));
    values.Set(QStringLiteral("{IMAGESELDATE}"), date);
    values.Set(QStringLiteral("{ITERIMAGE}"), HtmlEscape(BaseName(picture.name)));
    values.Set(QStringLiteral("{IMAGESELTHUMB}"), UrlPath(picture.thumbnail));
    values.Set(QStringLiteral("{IMAGESELWIDTH}"), number(picture.size.width()));
    values.Set(QStringLiteral("{IMAGESELHEIGHT}"), number(picture.size.height()));
    values.Set(QStringLiteral("{THUMBSELWIDTH}"), number(picture.thumbnailSize.width()));
    values.Set(QStringLiteral("{THUMBSELHEIGHT}"), number(picture.thumbnailSize.height()));
    values.Set(QStringLiteral("{IMAGESELORIENT}"), picture.size.height() > picture.size.width() ? QStringLiteral("portrait")
                                                                                                : QStringLiteral("landscape"));
    values.Set(QStringLiteral("{IMAGESELSOUND}"), UrlPath(web.soundName));
    const qsizetype n = pages.size();
    const auto page = [&](qsizetype at) { return n ? UrlPath(pages[(at + n) % n]) : QString(); };
    values.Set(QStringLiteral("{IMAGESELPAGE}"), page(qsizetype(i)));
    values.Set(QStringLiteral("{PREVPAGE}"), page(qsizetype(i) - 1));
    values.Set(QStringLiteral("{NEXTPAGE}"), page(qsizetype(i) + 1));
    return values;
}
