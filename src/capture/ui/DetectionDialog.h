#pragma once

#include <QDialog>
#include <functional>

struct CaptureHardware;
class QCheckBox;
class QPlainTextEdit;

// "Albora Hardware/Software autodetection": what capture this computer offers. It opens at once
// and fills in when the probe, run on a thread of its own, has finished.
class DetectionDialog : public QDialog {
    Q_OBJECT

public:
    DetectionDialog(std::function<CaptureHardware()> probe, QWidget* parent);
    ~DetectionDialog() override;

private:
    void Show(const CaptureHardware& found);

    QCheckBox* m_scanner;
    QCheckBox* m_overlay;
    QCheckBox* m_video;
    QCheckBox* m_screen;
    QPlainTextEdit* m_report;
    QThread* m_thread = nullptr;
};
