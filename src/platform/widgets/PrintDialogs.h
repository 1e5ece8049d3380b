#pragma once

#include <functional>

class QPrinter;
class QWidget;

// Runs the print dialog (or the print preview) over PARENT and prints with PRINT on OK.
void PrintOrPreview(QWidget* parent, QPrinter& printer, bool preview, const std::function<void(QPrinter&)>& print);
