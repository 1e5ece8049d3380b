#pragma once

#include "capture/CaptureDevice.h"

class CAppSettings;
class UiServices;
class QWidget;

// The scanner behind Photo/Scan: the dialog "Scanner Photo: Multiple Twain scanner capture" over
// a SANE session.
class ScannerCaptureDevice : public CaptureDevice {
public:
    ScannerCaptureDevice(CAppSettings& settings, UiServices& ui, QWidget* parent);

    Capabilities Abilities() const override { return {Cards::Always, false}; }
    QString StatusName() const override { return QStringLiteral("Twain"); }
    bool Activate() override;
    CaptureOutcome Take(const QString& proposed) override;

private:
    CAppSettings& m_settings;
    UiServices& m_ui;
    QWidget* m_parent;
};
