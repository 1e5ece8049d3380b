#include "ScannerCaptureDevice.h"

ScannerCaptureDevice::ScannerCaptureDevice(CAppSettings& settings, UiServices& ui, QWidget* parent)
    : m_settings(settings), m_ui(ui), m_parent(parent) {}

bool ScannerCaptureDevice::Activate() { return false; }

CaptureOutcome ScannerCaptureDevice::Take(const QString&) { return CaptureOutcome::Cancelled(); }
