#pragma once

#include "shell/options/CaptureOptions.h"

class CAppSettings;
class UiServices;

// The capture devices as "General Options" shows them: the scanner's source choice. Video
// drivers come with video capture; until then the sheet says that none is available.
class CaptureDeviceOptions : public CaptureOptions {
public:
    CaptureDeviceOptions(CAppSettings& settings, UiServices& ui) : m_settings(settings), m_ui(ui) {}

    QStringList VideoDrivers() const override { return {}; }
    QString CurrentVideoDriver() const override { return {}; }
    void SelectVideoDriver(const QString&) override {}
    void ShowDriverDialog(DriverDialog, QWidget*) override {}

    bool HasScanner() const override;
    void SelectScannerSource(QWidget* parent) override;

private:
    CAppSettings& m_settings;
    UiServices& m_ui;
};
