#pragma once

#include "capture/CaptureDevice.h"

class CAlboraDoc;
class CAppSettings;
class UiServices;
class QWidget;

// The screen behind Photo/Scan: the dialog "Screen Photo: Capture" and its four modes.
class ScreenCaptureDevice : public CaptureDevice {
public:
    // OWNER is the main window, hidden while the screen is taken.
    ScreenCaptureDevice(CAlboraDoc& doc, UiServices& ui, QWidget* owner);

    Capabilities Abilities() const override { return {Cards::WhenAutoInsert, false}; }
    QString StatusName() const override { return QStringLiteral("Screen"); }
    bool Activate() override;
    CaptureOutcome Take(const QString& proposed) override;

private:
    CAlboraDoc& m_doc;
    UiServices& m_ui;
    QWidget* m_owner;
};
