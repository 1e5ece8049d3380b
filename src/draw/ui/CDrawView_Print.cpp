// Printing the page: at 1:1 on the printer's own resolution, the page's top-left corner at the
// printable area's.
#include "CDrawView.h"

#include "draw/DrawAnnotation.h"
#include "draw/DrawExport.h"
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
    // The paper is the page: the drawing alone, as an export draws it, with nothing of the
    // screen's surround, border, shadow, grid or handles.
    DrawExport::Paint(Page(), painter, printer.resolution() / 100.0);
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
