// Printing and print preview of the card list.
#include "CAlboraView.h"

#include "CardListPrinter.h"

#include "album/CAlboraDoc.h"

#include "platform/widgets/PrintDialogs.h"

#include <QPrinter>

namespace {
// Card lines the print dialog assumes before a page has been laid out.
constexpr int kFirstGuessLinesPerPage = 65;
}

void CAlboraView::SetUpPrinter(QPrinter& printer) const {
    printer.setResolution(kPrintResolution);
    printer.setDocName(m_doc.GetTitle());
    printer.setFromTo(1, m_doc.Db().GetCount() / kFirstGuessLinesPerPage + 1);
}

void CAlboraView::PrintCardList(bool preview) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer);
    if (preview) printer.setPrintRange(QPrinter::AllPages);
    PrintOrPreview(this, printer, preview, [this](QPrinter& target) { CardListPrinter(m_doc, Selection()).Print(target); });
}
