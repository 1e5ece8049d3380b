// Printing and print preview of the card list.
#include "CAlboraView.h"

#include "CardListPrinter.h"

#include "album/CAlboraDoc.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
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

void CAlboraView::Print() {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, std::max(1, m_doc.Db().GetCount()));
    if (dialog.exec() != QDialog::Accepted) return;
    CardListPrinter(m_doc, Selection()).Print(printer);
}

void CAlboraView::PrintPreview() {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer);
    printer.setPrintRange(QPrinter::AllPages);
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { CardListPrinter(m_doc, Selection()).Print(*target); });
    preview.exec();
}
