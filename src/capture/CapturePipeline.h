#pragma once

#include "CaptureDevice.h"

#include <functional>
#include <map>
#include <memory>

class CAppSettings;
class UiServices;

// The device chosen by "hardCapture", its activation, and Photo/Scan: the device's pictures
// handed out one by one, in order, to become cards.
class CapturePipeline {
public:
    // Makes the device of a kind; null when this computer has no such device.
    using DeviceMaker = std::function<std::unique_ptr<CaptureDevice>(int kind)>;

    CapturePipeline(CAppSettings& settings, UiServices& ui, DeviceMaker maker);
    ~CapturePipeline();

    // The current device; made on first use and kept for the whole run.
    CaptureDevice* Current();
    // Chooses a device and activates it.
    void Select(int kind);
    // Activates the current device, falling back to none when it cannot serve.
    void Activate();
    // What one Photo/Scan did: whether a picture was taken, and whether it became cards (the
    // card editor then opens; the overlay only saves its file).
    struct Shot {
        bool taken = false;
        bool cards = false;
    };
    // One Photo/Scan with PROPOSED as the next free image name. INSERT gets each new file that
    // is to become a card, in order. UNATTENDED takes it without the device's dialogs (Autophoto).
    Shot PhotoScan(const QString& proposed, const std::function<void(const QString&)>& insert, bool unattended = false);

private:
    void FallBackToNone();

    CAppSettings& m_settings;
    UiServices& m_ui;
    DeviceMaker m_maker;
    std::map<int, std::unique_ptr<CaptureDevice>> m_devices;
};
