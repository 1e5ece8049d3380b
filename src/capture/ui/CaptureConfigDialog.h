#pragma once

#include "capture/video/CaptureParameters.h"

#include <QDialog>
#include <functional>
#include <map>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class UiServices;

// "Video capture configuration": the rate, buffers, drop rate, audio and time limit of the
// sequences. OK refuses a rate outside 0.1 to 120 and keeps the dialog open; the parameters
// change only on an accepted OK.
class CaptureConfigDialog : public QDialog {
public:
    // What the dialog's own buttons open: the camera's dialogs by their command, and the capture
    // file's.
    struct Buttons {
        std::map<int, std::function<void()>> device;
        std::function<void()> captureFile;
    };

    CaptureConfigDialog(CaptureParameters& parameters, int& hardPlay, UiServices& ui, Buttons buttons, QWidget* parent);
    void accept() override;

private:
    QWidget* ButtonRow(Buttons buttons);

    CaptureParameters& m_parameters;
    int& m_hardPlay;
    UiServices& m_ui;
    QLineEdit* m_rate;
    QLabel* m_buffers;
    QSpinBox* m_drop;
    QCheckBox* m_memory;
    QCheckBox* m_writeCacheOff;
    QCheckBox* m_audio;
    QComboBox* m_audioFormat;
    QComboBox* m_compression;
    QCheckBox* m_hardwarePlay;
    QSpinBox* m_timeLimit;
};
