#pragma once

#include "DrawPage.h"

#include <QImage>

// The page as others read it: a picture at any resolution, SVG with vectors and real text, PDF.
// The annotation itself stays the editable .adw.
namespace DrawExport {

// Paints the paper and the objects with page point (x, y) at ((x + w/2)·S, (h/2 − y)·S).
void Paint(const DrawPage& page, QPainter& painter, double scale);
// The page at DPI pixels per inch: at 100 a background picture comes out 1:1.
QImage ToImage(const DrawPage& page, double dpi);
// At the page's physical size, one user unit per page unit.
QByteArray ToSvg(const DrawPage& page);
QByteArray ToPdf(const DrawPage& page);
// PNG, SVG or PDF by PATH's extension, written atomically; false with ERROR otherwise.
bool Write(const DrawPage& page, const QString& path, double dpi, QString* error);

}  // namespace DrawExport
