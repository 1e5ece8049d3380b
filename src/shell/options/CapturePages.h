#pragma once

#include "OptionsPage.h"

class CaptureOptions;
class QListWidget;

// "Scanner": the multiple scan mode and the scanner's source.
class ScannerPage : public OptionsPage {
    Q_OBJECT

public:
    explicit ScannerPage(CaptureOptions* capture, QWidget* parent = nullptr);
};

// "Video for Windows": the video capture driver and its dialogs. The choice takes effect at once
// and is no setting of the sheet.
class VideoDriverPage : public OptionsPage {
    Q_OBJECT

public:
    explicit VideoDriverPage(CaptureOptions* capture, QWidget* parent = nullptr);

private:
    void ShowDrivers();

    CaptureOptions* m_capture;
    QLineEdit* m_current;
    QListWidget* m_drivers;
};
