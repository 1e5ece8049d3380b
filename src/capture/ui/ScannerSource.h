#pragma once

class CAppSettings;
class UiServices;
class QWidget;

// "Select Source": the scanners found, the remembered one ("scannerSource") chosen; OK
// remembers the choice. A failure to list them says "A scanner error occurred." and why.
void SelectScannerSource(CAppSettings& settings, UiServices& ui, QWidget* parent);
