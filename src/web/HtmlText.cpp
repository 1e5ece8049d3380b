#include "HtmlText.h"

#include <QUrl>

QString HtmlEscape(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        case '"': out += QLatin1String("&quot;"); break;
        case '\'': out += QLatin1String("&#39;"); break;
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
            out += QLatin1String("<br>");
            break;
        case '\n': out += QLatin1String("<br>"); break;
        default: out += c;
        }
    }
    return out;
}

QString BaseName(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

QString SafeOutputName(const QString& name) {
    QString out = name;
    for (QChar& c : out)
        if (QStringView(u"#?%\"<>\\").contains(c)) c = QLatin1Char('_');
    return out;
}

QString UrlPath(const QString& name) {
    return QString::fromLatin1(QUrl::toPercentEncoding(name, QByteArrayLiteral("/")));
}

QString WithTrimmedTitle(const QString& page) {
    const qsizetype open = page.indexOf(QLatin1String("<title>"), 0, Qt::CaseInsensitive);
    if (open < 0) return page;
    const qsizetype start = open + 7;
    const qsizetype close = page.indexOf(QLatin1String("</title>"), start, Qt::CaseInsensitive);
    if (close < 0) return page;
    QString out = page;
    return out.replace(start, close - start, page.mid(start, close - start).simplified());
}
