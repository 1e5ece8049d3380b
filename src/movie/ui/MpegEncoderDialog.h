#pragma once

#include "movie/MpegEncoderOptions.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QProcess;
class QSpinBox;
class UiServices;

// "Make MPEG Movie from AVI file": the encoder's options, "&Begin..." starting avimpg with them
// and staying open, so that several movies can be encoded in a row. The end of each encoding is
// told: in the status bar when it made its movie, in a box with the encoder's last words when not.
class MpegEncoderDialog : public QDialog {
    Q_OBJECT

public:
    MpegEncoderDialog(UiServices& ui, QWidget* parent);
    ~MpegEncoderDialog() override;

    // The files no movie may be written over (the open album's); none when not set.
    std::function<OutputGuard()> protectedFiles;

    MpegEncoderOptions Options() const;
    void SetOptions(const MpegEncoderOptions& options);
    // "&Begin...": checks, then starts the encoder; false when it was not started.
    bool Begin();

Q_SIGNALS:
    // An encoding ended; OK when its movie was made.
    void encodingFinished(bool ok);

private:
    void BuildFiles(class QBoxLayout* page);
    void BuildStreams(class QBoxLayout* page);
    void BuildMore(class QBoxLayout* page);
    void Browse();
    void BrowseParameters();
    void FillBitrates(int layer);
    void ApplyEnableRules();
    void Finished(QProcess* encoder, const QString& output);

    UiServices& m_ui;
    QLineEdit* m_input;
    QCheckBox* m_ignoreErrors;
    QLineEdit* m_output;
    QCheckBox* m_videoOnly;
    QCheckBox* m_forceRate;
    QComboBox* m_rate;
    QCheckBox* m_crop;
    QSpinBox* m_cropWidth;
    QSpinBox* m_cropHeight;
    QComboBox* m_layer;
    QComboBox* m_bitrate;
    QCheckBox* m_jointStereo;
    QSpinBox* m_systemBitrate;
    QSpinBox* m_systemByteRate;
    QCheckBox* m_videoCd;
    QSpinBox* m_vbv;
    QSpinBox* m_motion;
    QCheckBox* m_useParameters;
    QLineEdit* m_parameters;
    class QPushButton* m_browseParameters;
};
