#include "PrintDialogs.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

void PrintOrPreview(QWidget* parent, QPrinter& printer, bool preview, const std::function<void(QPrinter&)>& print) {
    if (preview) {
        QPrintPreviewDialog dialog(&printer, parent);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&print](QPrinter* target) { print(*target); });
        dialog.exec();
        return;
    }
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted) print(printer);
}
