#include "CaptureDeviceOptions.h"

#include "ScannerSource.h"
#include "capture/sane/TwainSession.h"

bool CaptureDeviceOptions::HasScanner() const { return TwainSession::IsAvailable(); }

void CaptureDeviceOptions::SelectScannerSource(QWidget* parent) { ::SelectScannerSource(m_settings, m_ui, parent); }
