#pragma once

#include "platform/media/AudioCapture.h"

#include <QDialog>
#include <QWidget>
#include <memory>

// One bar of the meter: black up to the level, a red line at the peak, white beyond.
class MeterWidget : public QWidget {
    Q_OBJECT

public:
    explicit MeterWidget(QWidget* parent = nullptr);
    void SetLevel(int level);
    int Level() const { return m_level; }
    int Peak() const { return m_peak; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int X(int value) const { return value * width() / 100; }

    int m_level = 0;
    int m_peak = 0;
};

// "Recording Level (mono)" or "(stereo)": the live level of the sound input, a twentieth of a
// second at a time, until "Close".
class LevelMeterDialog : public QDialog {
    Q_OBJECT

public:
    LevelMeterDialog(const RecordingFormat& format, const QString& source, QWidget* parent);
    ~LevelMeterDialog() override;

    // Starts the input; false when there is none (the dialog is then not shown).
    bool Start();
    MeterWidget* Meter(int channel) const { return m_meters[channel]; }

    // Levels of one buffer, as the input delivers them.
    void OnBuffer(const QByteArray& buffer);

private:
    RecordingFormat m_format;
    std::unique_ptr<AudioCapture> m_capture;
    MeterWidget* m_meters[2] = {nullptr, nullptr};
};

// Shows the level meter modally for a source of CHANNELS, BITS and RATE; SOURCE empty means the
// default sound input. Returns at once when there is no input.
void ShowLevelMeter(QWidget* owner, int channels, int bitsPerSample, int samplesPerSecond,
                    const QString& source = {});
