#pragma once

#include <QString>
#include <QStringList>

// What "Hardware/Software detection..." found. Probing SANE can take seconds, so it is done off
// the UI thread; the screen is always there where a display is.
struct CaptureHardware {
    bool scanner = false;
    bool overlay = false;
    bool video = false;
    bool screen = true;
    bool trueColour = true;
    QStringList scanners;  // "test:0 (Noname frontend-tester virtual device)"
    QStringList videoSources;  // "0: Integrated Camera", by capture driver number
    QString screenWhy;     // why the screen cannot be captured, when it cannot
};

// Looks for the capture hardware; may take seconds (SANE asks every backend).
CaptureHardware ProbeCaptureHardware();

// The report text of the detection dialog, line ends as the dialog shows them ("\r\n").
QString DetectionReportText(const CaptureHardware& found);
