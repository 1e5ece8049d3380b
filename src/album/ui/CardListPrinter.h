#pragma once

#include "album/Placeholders.h"

#include <QRect>
#include <optional>

class CAlboraDoc;
class QPainter;
class QPrinter;

// The card list printed as a text table: a header and a footer line with placeholders, the column
// titles, and one line per card in "Courier New" of the FontSize setting, all in device pixels.
class CardListPrinter {
public:
    // Card lines on a page of printable height BOTTOM with the top and bottom margins and a line
    // height of LINEHEIGHT: four lines go to the header, the titles and the footer; at least 1.
    static int LinesPerPage(int bottom, int topMargin, int bottomMargin, int lineHeight);
    // Pages for CARDS at LINES per page; at least one, and no empty page at the end.
    static int PageCount(int cards, int linesPerPage);

    CardListPrinter(CAlboraDoc& doc, std::optional<SelectedCardTexts> selection);

    // Prints every page on PRINTER (its page range, when set, limits them); false when the
    // printer could not be started or finished.
    bool Print(QPrinter& printer);
    // Draws page PAGE (from 1) in RECT.
    void RenderPage(QPainter& painter, const QRect& rect, int page);
    int PageCountFor(QPainter& painter, const QRect& rect);

private:
    QString ExpandLine(const QString& pattern, int page);

    CAlboraDoc& m_doc;
    std::optional<SelectedCardTexts> m_selection;
};
