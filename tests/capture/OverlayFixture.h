#pragma once

#include "TestFiles.h"

#include "album/CAppSettings.h"
#include "capture/overlay/OverlayController.h"
#include "capture/overlay/OverlayMciDevice.h"
#include "platform/HeadlessUi.h"
#include "platform/media/MciInterpreter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <memory>

inline const QString kSmpte = QStringLiteral("videotestsrc is-live=true pattern=smpte");

// A picture of three solid bands, red, green and blue from the top, saved as a 24-bit BMP.
inline QImage Bands(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, y < size.height() / 3 ? qRgb(255, 0, 0) : y < 2 * size.height() / 3 ? qRgb(0, 255, 0) : qRgb(0, 0, 255));
    return image;
}

// The overlay window without a widget over GStreamer's test pattern, every command string logged.
class OverlayFixture : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("ALBORA_VIDEO_SOURCE", kSmpte.toUtf8());
        RegisterOverlayDevice(mci);
        window = std::make_unique<OverlayController>(settings, ui, mci);
        handle = OverlayWindows::OffscreenHandle();
        window->SetHandle(handle);
        window->onCommand = [this](const QString& command) { log << command; };
    }
    void TearDown() override {
        window->Close();
        qunsetenv("ALBORA_VIDEO_SOURCE");
    }

    ScopedTestDir dir;
    CAppSettings settings;
    HeadlessUi ui;
    MciInterpreter mci;
    std::unique_ptr<OverlayController> window;
    quint64 handle = 0;
    QStringList log;
};
