#include "ScreenCaptureDevice.h"

ScreenCaptureDevice::ScreenCaptureDevice(CAlboraDoc& doc, UiServices& ui, QWidget* owner)
    : m_doc(doc), m_ui(ui), m_owner(owner) {}

bool ScreenCaptureDevice::Activate() { return true; }

CaptureOutcome ScreenCaptureDevice::Take(const QString&) { return CaptureOutcome::Cancelled(); }
