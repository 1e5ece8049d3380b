// Printing the page: at 1:1 on the printer's own resolution, the page's top-left corner at the
// printable area's.
#include "CDrawView.h"

#include "draw/DrawAnnotation.h"
#include "platform/CommandIds.h"
#include "platform/widgets/PrintDialogs.h"

#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>

void CDrawView::Print(QPrinter& printer) {
    CurrentDrawViewState().zoom = DrawViewPainting::Zoom1to1;
    UpdateScrollSize();
    QPainter painter(&printer);
    DrawViewPainting::Mapping mapping;
    mapping.ppiX = mapping.ppiY = printer.resolution();
    mapping.width = Page().pageWidth;
    mapping.height = Page().pageHeight;
    // The paper is the page: nothing of the screen's surround, grid or handles.
    DrawViewPainting::Options options;
    DrawViewPainting::Paint(painter, Page(), mapping, QRect(QPoint(0, 0), mapping.ScrollSize()), options);
}

void CDrawView::PrintWithDialog(bool preview) {
    m_services.draw.PrinterPageSize();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QFileInfo(Page().annotationPath).fileName());
    PrintOrPreview(this, printer, preview, [this](QPrinter& target) { Print(target); });
}

void CDrawView::RegisterPrintCommands() {
    OnCommand(Cmd::FilePrint, [this] { PrintWithDialog(false); });
    OnCommand(Cmd::FilePrintPreview, [this] { PrintWithDialog(true); });
    OnCommand(Cmd::FilePrintSetup, [this] {
        QPrinter printer(QPrinter::HighResolution);
        QPageSetupDialog dialog(&printer, this);
        if (dialog.exec() == QDialog::Accepted) m_services.draw.PrinterPageSize();
    });
}
