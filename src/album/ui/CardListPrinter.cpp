#include "CardListPrinter.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "platform/CTime.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace {

QFont ListFont(const CAppSettings& settings) {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(std::max(1, settings.FontSize));
    font.setWeight(QFont::Normal);
    return font;
}

// One line with tab stops every eight average characters of the painter's own font, inside RECT:
// a column that would cross its right edge is cut short with an ellipsis. The stops are placed
// here because Qt's text layout measures tab stops in screen pixels and scales them by the
// printer's resolution, which pushes the columns off the paper.
void DrawTabbed(QPainter& painter, const QRect& rect, const QString& text) {
    const QFontMetrics metrics = painter.fontMetrics();
    const int stop = std::max(1, 8 * metrics.averageCharWidth());
    int x = rect.left();
    const QStringList columns = text.split('\t');
    for (qsizetype i = 0; i < columns.size() && x < rect.right(); ++i) {
        if (i > 0) x = rect.left() + ((x - rect.left()) / stop + 1) * stop;
        const QString shown = metrics.elidedText(columns[i], Qt::ElideRight, rect.right() - x);
        if (shown.isEmpty()) continue;
        painter.drawText(x, rect.top() + metrics.ascent(), shown);
        x += metrics.horizontalAdvance(shown);
    }
}

}  // namespace

int CardListPrinter::LinesPerPage(int bottom, int topMargin, int bottomMargin, int lineHeight) {
    if (lineHeight <= 0) return 1;
    return std::max(1, (bottom - bottomMargin - topMargin) / lineHeight - 4);
}

int CardListPrinter::PageCount(int cards, int linesPerPage) {
    return std::max(1, (cards + linesPerPage - 1) / std::max(1, linesPerPage));
}

CardListPrinter::CardListPrinter(CAlboraDoc& doc, std::optional<SelectedCardTexts> selection)
    : m_doc(doc), m_selection(std::move(selection)) {}

QString CardListPrinter::ExpandLine(const QString& pattern, int page) {
    QString line = pattern;
    ReplacePlaceholder(QStringLiteral("{PAGENUM}"), QString::number(page), line);
    ExpandPlaceholders(line, m_doc, m_selection);
    return line;
}

int CardListPrinter::PageCountFor(QPainter& painter, const QRect& rect) {
    const CAppSettings& s = m_doc.Settings();
    painter.setFont(ListFont(s));
    const int h = painter.fontMetrics().boundingRect(QStringLiteral("M")).height();
    return PageCount(m_doc.Db().GetCount(), LinesPerPage(rect.bottom(), s.MarYArribaBorde, s.MarYAbajoBorde, h));
}

void CardListPrinter::RenderPage(QPainter& painter, const QRect& rect, int page) {
    const CAppSettings& s = m_doc.Settings();
    painter.save();
    painter.setFont(ListFont(s));
    painter.setPen(Qt::black);
    const int h = painter.fontMetrics().boundingRect(QStringLiteral("M")).height();
    const int lines = LinesPerPage(rect.bottom(), s.MarYArribaBorde, s.MarYAbajoBorde, h);
    const int left = s.MarXIzqBorde, right = rect.right() - s.MarXDerBorde, top = s.MarYArribaBorde;
    if (s.flgMarHeaderPag) painter.drawText(left, top + h, ExpandLine(s.MarHeader, page));
    DrawTabbed(painter, QRect(QPoint(left, top + 3 * h), QPoint(right, top + 4 * h + 10)),
               QStringLiteral("Name\t\tGraphic\t\tDate\t\t\tDescripcion"));
    const CFotoDB& db = m_doc.Db();
    const int first = lines * (page - 1);
    for (int k = 0; k < lines && first + k < db.GetCount(); ++k) {
        const CFotoObj* card = db.GetAt(first + k);
        QString description = card->m_strDescription;
        description.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace('\n', ' ');
        const QString line = QStringLiteral("%1\t%2\t%3\t%4")
                                 .arg(card->m_strName, card->m_strGraphic,
                                      CTime::CardDate(card->m_time).value_or(QStringLiteral("<Error>")), description);
        DrawTabbed(painter, QRect(left, top + (4 + k) * h, right - left, h + 10), line);
    }
    if (s.flgMarFooherPag) painter.drawText(left, rect.bottom() - 2 * h, ExpandLine(s.MarFoother, page));
    painter.restore();
}

bool CardListPrinter::Print(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRect rect = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRect drawing(0, 0, rect.width(), rect.height());
    const int pages = PageCountFor(painter, drawing);
    int from = 1, to = pages;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = std::max(1, printer.fromPage());
        to = std::min(pages, printer.toPage());
    }
    for (int page = from; page <= to; ++page) {
        if (page > from) printer.newPage();
        RenderPage(painter, drawing, page);
    }
    return painter.end();
}
