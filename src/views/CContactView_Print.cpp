// Printing the contact sheet: pages of thumbnails with their numbers and file names.
#include "CContactView.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "image/ContactCell.h"
#include "platform/UiServices.h"
#include "platform/widgets/PrintDialogs.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

void CContactView::Print(QPrinter& printer) {
    const CAppSettings& s = m_doc.Settings();
    const QSize cell = PaperCellSize(s.tamContacto);
    QPainter painter;
    if (!painter.begin(&printer)) return;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int w = page.width(), h = page.height();
    const int perPage = std::max(1, ((w - s.MarXDerBorde - s.MarXIzqBorde) / (cell.width() + 100)) *
                                        ((h - s.MarYAbajoBorde - s.MarYArribaBorde) / (cell.height() + 100)));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, PaperCaptionHeight(s.tamContacto, s.FontSize)));
    painter.setFont(font);
    const int line = painter.fontMetrics().height();
    UiServices& ui = m_services.ui;
    ui.SetStatusText(0, QStringLiteral("Contact for print:"));
    const int count = m_doc.Db().GetCount();
    for (int first = 0; first < count; first += perPage) {
        if (first > 0) printer.newPage();
        ui.ProgressBegin(0, perPage, 1);
        int card = first;
        for (int y = s.MarYArribaBorde; y < h - s.MarYAbajoBorde - cell.height() && card < count && card < first + perPage;
             y += cell.height() + 100)
            for (int x = s.MarXIzqBorde; x < w - s.MarXDerBorde - cell.width() && card < count && card < first + perPage;
                 x += cell.width() + 100, ++card) {
                ui.ProgressStep();
                const Thumbnail thumb = MakeThumbnail(m_doc.CardFile(card), cell);
                PaintContactCell(painter, QRect(QPoint(x, y), cell), thumb, card + 1, m_doc.Db().GetAt(card)->m_strGraphic, s.bShowContactInfo != 0, line);
            }
        ui.ProgressEnd();
    }
    painter.end();
}

void CContactView::PrintWithDialog(bool preview) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(600);
    PrintOrPreview(this, printer, preview, [this](QPrinter& target) { Print(target); });
}
